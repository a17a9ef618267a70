#pragma once

#include "platform/gbk_text_type.h"

namespace qm {

// Dialogs and the message loop of the window system.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // A folder-picking dialog; the chosen path, or "" when cancelled.
  virtual GbkText ChooseFolderDialog(const GbkText& title) = 0;
  // Processes the window messages pending for the UI thread, then returns.
  virtual void PumpMessages() = 0;
};

}  // namespace qm
