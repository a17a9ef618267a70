#pragma once

#include <vector>

#include "base/gbk_text_type.h"

namespace qm {

// An entry that could not be renamed, with the reason the user reads.
struct FailedRename {
  GbkText old_name;
  GbkText new_name;
  GbkText reason;
  bool operator==(const FailedRename&) const = default;
};

// A window listing what could not be done, one row per entry, as text the
// user can read and copy but not edit. Shown modally; returns when closed.
class FailureList {
 public:
  virtual ~FailureList() = default;
  virtual void Show(const GbkText& title, const GbkText& summary,
                    const std::vector<FailedRename>& rows) = 0;
};

}  // namespace qm
