#pragma once

#include "platform/clipboard.h"

namespace qm {

// The application's clipboard.
class QtClipboard : public Clipboard {
 public:
  void SetText(const GbkText& text) override;
};

}  // namespace qm
