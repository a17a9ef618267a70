#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace qm {

// One journal being written: bytes are only ever appended.
class JournalWriter {
 public:
  virtual ~JournalWriter() = default;
  virtual const std::string& Id() const = 0;
  // Appends bytes; with sync they are on disk (not only in the cache) when it returns.
  virtual Result<void> Append(std::string_view bytes, bool sync) = 0;
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
  // The ids of every journal that no running program is writing, oldest first.
  virtual std::vector<std::string> List() = 0;
  // A journal's bytes, all of them or only its last `tail_bytes`: a start
  // needs no more than a journal's end to know whether its run finished.
  virtual Result<std::string> Read(const std::string& id, size_t tail_bytes = SIZE_MAX) = 0;
  // A whole journal's bytes, with `between` called now and then while they
  // are read, so that a window can paint: a journal of a million renames is
  // a hundred megabytes. A store that reads at once needs not override it.
  virtual Result<std::string> ReadPaced(const std::string& id,
                                        const std::function<void()>& between) {
    (void)between;
    return Read(id);
  }
  // How many bytes a journal holds.
  virtual Result<uint64_t> Size(const std::string& id) = 0;
  // Moves a journal that cannot serve out of the list, keeping its bytes for
  // a person to look at.
  virtual void SetAside(const std::string& id) = 0;
  virtual void Remove(const std::string& id) = 0;
};

}  // namespace qm
