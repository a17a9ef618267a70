#pragma once

#include "base/gbk_text_type.h"
#include "platform/dialogs.h"
#include "platform/failure_list.h"
#include "platform/file_info.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "platform/job_progress.h"
#include "platform/list_view.h"
#include "platform/messages.h"

namespace qm {

struct RenameContext;

// What MainWindow's handlers reach the world through: its controls, its list
// (FileListView), its message boxes, the window system and the file system,
// the progress of its long jobs and the list of failed renames. What lives
// between clicks is apart, in the RenameContext it points to.
struct MainServices {
  Form& form;
  ListView& list;
  Messages& messages;
  WindowSystem& windows;
  FileSystem& files;
  // The undo history, the journal and what the last preview saw; without
  // them (tools, some tests) renames are neither journaled nor recorded.
  RenameContext* renames = nullptr;
  JobProgress& progress = NoJobProgress();
  // Where the failures of a run are listed; nullptr lists none.
  FailureList* failures = nullptr;
  // What files hold (photo dates, tags); nullptr where nothing reads them.
  FileInfoReader* file_info = nullptr;
};

}  // namespace qm
