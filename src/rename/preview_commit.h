#pragma once

#include "platform/main_services.h"
#include "rename/undo_record.h"

namespace qm {

// Click on 按钮_打开预览: switches PreviewMode and the layout that goes with it
// (window and list width, the preview column, the commit and undo buttons).
void TogglePreview(Form& form, ListView& list);

// Shows 按钮_撤回上一步 once there is something to undo; with the preview
// closed it stands below the list, inside the window.
void RevealUndoButton(Form& form);

// Click on 按钮_确认无误执行吧: renames every row to its previewed name and
// records what it replaced, so that the commit can be undone.
void CommitPreview(MainServices& services, UndoRecord& undo);

}  // namespace qm
