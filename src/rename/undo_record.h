#pragma once

#include <vector>

#include "platform/gbk_text_type.h"

namespace qm {

// What the last commit of a preview replaced, one element per renamed row,
// in row order. The new names are kept too, so an undo never renames a row
// that no longer holds the name the commit gave it.
struct UndoRecord {
  std::vector<GbkText> old_names;
  std::vector<GbkText> new_names;

  bool empty() const { return old_names.empty(); }
  void clear() {
    old_names.clear();
    new_names.clear();
  }
};

}  // namespace qm
