#pragma once

#include "base/gbk_text_type.h"

namespace qm {

// Dialogs and the message loop of the window system.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // A folder-picking dialog opened at start_folder (the user's home folder
  // when it is "" or gone); the chosen path, or "" when cancelled.
  virtual GbkText ChooseFolderDialog(const GbkText& title, const GbkText& start_folder) = 0;
  // Processes the window messages pending for the UI thread, then returns.
  virtual void PumpMessages() = 0;
};

}  // namespace qm
