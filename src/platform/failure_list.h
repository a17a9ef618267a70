#pragma once

#include <vector>

#include "platform/gbk_text_type.h"

namespace qm {

// A window listing what could not be done, one line per entry, as text the
// user can read and copy but not edit. Shown modally; returns when closed.
class FailureList {
 public:
  virtual ~FailureList() = default;
  virtual void Show(const GbkText& title, const GbkText& summary,
                    const std::vector<GbkText>& lines) = 0;
};

}  // namespace qm
