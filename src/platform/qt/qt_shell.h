#pragma once

#include "platform/shell.h"

namespace qm {

// The default browser through QDesktopServices, the system clipboard.
class QtShell : public Shell {
 public:
  void OpenUrl(const GbkText& url) override;
  void SetClipboardText(const GbkText& text) override;
};

}  // namespace qm
