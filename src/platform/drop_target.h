#pragma once

#include <functional>

#include "base/gbk_text_type.h"

namespace qm {

// Receives one dropped path: a file, a folder (with or without a trailing
// separator) or a root folder. The text is only valid during the call.
using DropCallback = std::function<void(const GbkText& path)>;

// Makes one window accept files dropped from the desktop's file manager. While
// registered, a drop of n items calls the callback n times, in the order the
// file manager lists them, on the UI thread, before the next drop is handled.
class DropTarget {
 public:
  virtual ~DropTarget() = default;
  virtual void Register(DropCallback callback) = 0;
  // The window stops accepting drops. Harmless when not registered.
  virtual void Unregister() = 0;
};

}  // namespace qm
