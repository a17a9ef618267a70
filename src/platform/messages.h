#pragma once

#include "base/gbk_text_type.h"

namespace qm {

enum class Icon { Information, None };
enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

// Modal message boxes owned by a window.
class Messages {
 public:
  virtual ~Messages() = default;
  // An empty title shows the default title "信息：". Closing the box answers Cancel.
  virtual Answer Show(const GbkText& text, const GbkText& title, Icon icon, Buttons buttons) = 0;
};

}  // namespace qm
