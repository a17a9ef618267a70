#pragma once

#include "platform/main_services.h"
#include "rename/rename_plan.h"
#include "rename/undo_record.h"

namespace qm {

// Called by whatever writes preview values, before it writes them, with the
// WorkingFolder they are made in. Values made in two different folders can't
// be committed in one, so the record then becomes unknown.
void RecordPreviewFolder(MainServices& services, const GbkText& folder);
// Where the list's preview values were made; "" when unknown, as it is to
// services that keep nothing between clicks.
const GbkText& PreviewFolder(const MainServices& services);
// Shows 按钮_撤回上一步 once there is something to undo; where it stands is
// the window's layout.
void RevealUndoButton(Form& form);

// Marks each row of the preview column whose previewed name a commit would
// fail on (taken, a duplicate, too long, invalid, its file gone or replaced)
// with the reason, and clears the marks of the other rows; returns how many
// it marked. The check is the commit's own, on the folder the preview was made
// in. `between` is called between look-ups, so that the window can paint.
// `written` tells the rows whose values a preview run has just written: the
// files they stand for now are noted, so that the commit can tell a file
// replaced since.
int MarkFailingPreviews(MainServices& services, const PlanProgress& between = {},
                        const std::vector<bool>& written = {});

// Click on 按钮_确认无误执行吧: renames every row to its previewed name and
// records what it replaced, so that the commit can be undone. It renames only
// in the folder the preview was made in: when that is unknown or no longer
// WorkingFolder it says so and changes nothing.
void CommitPreview(MainServices& services);

}  // namespace qm
