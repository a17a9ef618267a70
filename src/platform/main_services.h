#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "platform/gbk_text_type.h"
#include "platform/list_view.h"
#include "platform/messages.h"

namespace qm {

// What MainWindow's handlers reach the world through: its controls, its list
// (FileListView), its message boxes, the window system and the file system.
struct MainServices {
  Form& form;
  ListView& list;
  Messages& messages;
  WindowSystem& windows;
  FileSystem& files;
  // The WorkingFolder the list's preview values were made in, "" when unknown.
  // The list holds names only, and WorkingFolder can change (or be emptied)
  // while they stay; the commit renames only in this folder.
  GbkText preview_folder = {};
};

}  // namespace qm
