#pragma once

#include "platform/gbk_text_type.h"

namespace qm {

// The system clipboard, for text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const GbkText& text) = 0;
};

}  // namespace qm
