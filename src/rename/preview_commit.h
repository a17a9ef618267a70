#pragma once

#include "platform/main_services.h"
#include "rename/undo_record.h"

namespace qm {

// Click on 按钮_打开预览: switches PreviewMode and the layout that goes with it
// (window and list width, the preview column, the commit and undo buttons).
void TogglePreview(Form& form, ListView& list);

// Click on 按钮_确认无误执行吧: renames every row to its previewed name and
// records what it replaced, so that the commit can be undone.
void CommitPreview(MainServices& services, UndoRecord& undo);

}  // namespace qm
