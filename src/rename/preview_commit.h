#pragma once

#include "platform/main_services.h"
#include "rename/undo_record.h"

namespace qm {

// Click on 按钮_打开预览: switches PreviewMode and the layout that goes with it
// (window and list width, the preview column, the commit and undo buttons).
void TogglePreview(Form& form, ListView& list);

// Called by whatever writes preview values, before it writes them, with the
// WorkingFolder they are made in. Values made in two different folders can't
// be committed in one, so the record then becomes unknown.
void RecordPreviewFolder(MainServices& services, const GbkText& folder);

// Click on 按钮_确认无误执行吧: renames every row to its previewed name and
// records what it replaced, so that the commit can be undone. It renames only
// in the folder the preview was made in: when that is unknown or no longer
// WorkingFolder it says so and changes nothing.
void CommitPreview(MainServices& services, UndoRecord& undo);

}  // namespace qm
