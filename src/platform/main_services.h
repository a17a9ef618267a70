#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form.h"
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
};

}  // namespace qm
