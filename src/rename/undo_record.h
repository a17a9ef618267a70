#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/gbk_text_type.h"

namespace qm {

// One rename that really happened: the file `identity` went from old_name to
// new_name inside the record's folder.
struct UndoPair {
  GbkText old_name;
  GbkText new_name;
  FileIdentity identity;
};

// The last rename of the program (a direct run or a commit) that renamed
// anything: exactly the pairs that were done, also when some failed or the
// run was stopped. It survives a restart through its journal.
struct UndoRecord {
  GbkText folder;
  std::vector<UndoPair> pairs;
  std::string journal_id;  // the finished journal that holds this record; empty for none

  bool empty() const { return pairs.empty(); }
  void clear() {
    folder.clear();
    pairs.clear();
    journal_id.clear();
  }
};

}  // namespace qm
