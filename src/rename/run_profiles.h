#pragma once

#include "rename/operations.h"
#include "rename/rename_run.h"

namespace qm {

// The fixed pipeline settings of each operation.
const RunProfile& ProfileOf(OperationId operation);

}  // namespace qm
