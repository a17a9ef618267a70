#pragma once

#include "rename/rename_run.h"

namespace qm {

// 按钮_按信息命名: each listed file named after a template filled from what
// the file holds (rename/info_naming.h); the extension is kept.
OperationDefinition NameFromInfoOperation();

}  // namespace qm
