#pragma once

#include "base/gbk_text_type.h"
#include "platform/main_services.h"
#include "workspace/intake_guard.h"

namespace qm {

// The folder that holds path, with a trailing separator: "/pics/a.jpg" and
// "/pics/2019/" give "/pics/"; a path without a separator, or the root
// folder, gives the bare separator, which no intake accepts as a folder.
GbkText ParentFolderOf(const GbkText& path);

// MainWindow's DropCallback, once per dropped path. WorkingFolder becomes the
// folder of the dropped item. "拖几个改几个" appends the item's name to the
// list; the other modes empty the list and list that folder again, so a drop
// of several items of one folder lists the whole folder.
void TakeDroppedPath(MainServices& services, IntakeGuard& guard, const GbkText& path);

}  // namespace qm
