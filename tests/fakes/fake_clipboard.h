#pragma once

#include <optional>

#include "platform/clipboard.h"

namespace qm {

class FakeClipboard : public Clipboard {
 public:
  void SetText(const GbkText& text) override { this->text = text; }
  std::optional<GbkText> text;  // nullopt until something was copied
};

}  // namespace qm
