#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "platform/job_progress.h"
#include "platform/list_view.h"
#include "platform/messages.h"

namespace qm {

// What MainWindow's handlers reach the world through: its controls, its list
// (FileListView), its message boxes, the window system and the file system,
// and the progress of its long jobs.
struct MainServices {
  Form& form;
  ListView& list;
  Messages& messages;
  WindowSystem& windows;
  FileSystem& files;
  JobProgress& progress = NoJobProgress();
};

}  // namespace qm
