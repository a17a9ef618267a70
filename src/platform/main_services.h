#pragma once

#include "platform/dialogs.h"
#include "platform/file_info.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "base/gbk_text_type.h"
#include "platform/job_progress.h"
#include "platform/list_view.h"
#include "platform/messages.h"

namespace qm {

struct RenameServices;

// What MainWindow's handlers reach the world through: its controls, its list
// (FileListView), its message boxes, the window system and the file system,
// and the progress of its long jobs.
struct MainServices {
  Form& form;
  ListView& list;
  Messages& messages;
  WindowSystem& windows;
  FileSystem& files;
  // Journal, undo record, failure list and progress of the renames; without
  // them (tools, some tests) renames are neither journaled nor recorded.
  RenameServices* renames = nullptr;
  JobProgress& progress = NoJobProgress();
  // The WorkingFolder the list's preview values were made in, "" when unknown.
  // The list holds names only, and WorkingFolder can change (or be emptied)
  // while they stay; the commit renames only in this folder.
  GbkText preview_folder = {};
  // What files hold (photo dates, tags); nullptr where nothing reads them.
  FileInfoReader* file_info = nullptr;
};

}  // namespace qm
