#pragma once

#include "platform/job_progress.h"
#include "platform/list_view.h"
#include "platform/main_services.h"
#include "platform/messages.h"

namespace qm {

// What MappedRenameWindow's handlers reach: its own list (the MappedList),
// message boxes and job progress, and the main window's services
// (FileListView, WorkingFolder, the file system, the message boxes MainWindow
// owns, the journal and the undo record).
struct MappedServices {
  ListView& mapped;
  Messages& messages;
  MainServices& main;
  JobProgress& progress = NoJobProgress();
};

}  // namespace qm
