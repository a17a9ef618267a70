#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace qm {

// One journal being written: bytes are only ever appended.
class JournalWriter {
 public:
  virtual ~JournalWriter() = default;
  virtual const std::string& Id() const = 0;
  // Appends bytes; with sync they are on disk (not only in the cache) when it returns.
  virtual Result<bool> Append(std::string_view bytes, bool sync) = 0;
};

struct StoredJournal {
  std::string id;
  std::string bytes;
};

// Where the rename journals live between runs of the program. Ids sort in the
// order the journals were created.
class JournalStore {
 public:
  virtual ~JournalStore() = default;
  // A new, empty journal that no other is named like.
  virtual Result<std::unique_ptr<JournalWriter>> Create() = 0;
  // Opens an existing journal to append to it.
  virtual Result<std::unique_ptr<JournalWriter>> Reopen(const std::string& id) = 0;
  // Every journal that no running program is writing, oldest first.
  virtual std::vector<StoredJournal> ReadAll() = 0;
  virtual void Remove(const std::string& id) = 0;
};

}  // namespace qm
