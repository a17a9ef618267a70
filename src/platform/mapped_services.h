#pragma once

#include "platform/list_view.h"
#include "platform/main_services.h"
#include "platform/messages.h"

namespace qm {

// What MappedRenameWindow's handlers reach: its own list (the MappedList) and
// message boxes, and the main window's services (FileListView, WorkingFolder,
// the file system, and the message boxes MainWindow owns).
struct MappedServices {
  ListView& mapped;
  Messages& messages;
  MainServices& main;
};

}  // namespace qm
