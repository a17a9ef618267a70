#pragma once

#include "base/gbk_text_type.h"

namespace qm {

// The desktop around the program: the default web browser and the clipboard.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens an http or https address in the default browser; refuses any other.
  virtual void OpenUrl(const GbkText& url) = 0;
  virtual void SetClipboardText(const GbkText& text) = 0;
};

}  // namespace qm
