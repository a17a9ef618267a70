#pragma once

#include "platform/form.h"
#include "platform/list_view.h"

namespace qm {

// Where 按钮_撤回上一步 stands while the preview is closed.
inline constexpr int kUndoClosedLeft = 647;
inline constexpr int kUndoClosedTop = 632;

// Click on 按钮_打开预览: switches PreviewMode and the layout that goes with it
// (window and list width, the preview column, the commit and undo buttons).
void TogglePreview(Form& form, ListView& list);

}  // namespace qm
