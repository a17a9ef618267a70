#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/file_system.h"
#include "platform/free_aside.h"

namespace qm {

// One rename that really happened: the file `identity` went from old_name to
// new_name inside the record's folder.
struct UndoPair {
  GbkText old_name;
  GbkText new_name;
  FileIdentity identity;
};

// One rename of the program (a direct run, a commit, a mapped rename, an edit)
// that renamed anything: exactly the pairs that were done, also when some
// failed or the run was stopped. It survives a restart through its journal.
struct UndoRecord {
  GbkText folder;
  std::vector<UndoPair> pairs;
  std::string journal_id;  // the finished journal that holds this record; empty for none
  // False for a record known only by its journal since a restart: its folder
  // and pairs are read from the journal when it is undone, so a start never
  // reads a whole journal for an undo that may never come.
  bool loaded = true;
};

// The renames "撤回上一步" can still take back, the newest last. Each press
// takes back the newest; the oldest leave once more than kKept are held.
class UndoHistory {
 public:
  static constexpr size_t kKept = 20;

  bool empty() const { return records_.empty(); }
  size_t size() const { return records_.size(); }
  UndoRecord& Newest() { return records_.back(); }
  const UndoRecord& Newest() const { return records_.back(); }
  const std::vector<UndoRecord>& Records() const { return records_; }

  // Adds the newest rename; returns the journals of the records that left.
  std::vector<std::string> Add(UndoRecord record) {
    records_.push_back(std::move(record));
    std::vector<std::string> gone;
    while (records_.size() > kKept) {
      if (!records_.front().journal_id.empty()) gone.push_back(records_.front().journal_id);
      FreeAside(std::move(records_.front().pairs));
      records_.erase(records_.begin());
    }
    return gone;
  }
  // Drops the newest (undone, or no longer undoable); returns its journal.
  std::string DropNewest() {
    std::string journal = std::move(records_.back().journal_id);
    FreeAside(std::move(records_.back().pairs));
    records_.pop_back();
    return journal;
  }
  void clear() { records_.clear(); }

  // Frees the pairs of a record that its journal can give back: it is read
  // again, as after a restart, when its turn comes.
  void Unload(size_t index) {
    UndoRecord& record = records_[index];
    if (!record.loaded || record.journal_id.empty()) return;
    record.loaded = false;
    FreeAside(std::exchange(record.pairs, {}));
  }

 private:
  std::vector<UndoRecord> records_;
};

}  // namespace qm
