#pragma once

#include <string>

#include "platform/journal_store.h"

namespace qm {

// Journals as files <id>.journal in one folder. A journal being written is
// locked (flock), so a second copy of the program never takes a running
// journal for an interrupted one.
class PosixJournalStore : public JournalStore {
 public:
  // folder: UTF-8 path; created when the first journal is.
  explicit PosixJournalStore(std::string folder) : folder_(std::move(folder)) {}

  // $XDG_STATE_HOME/quillmere, or ~/.local/state/quillmere when it is unset.
  static std::string DefaultFolder();

  Result<std::unique_ptr<JournalWriter>> Create() override;
  Result<std::unique_ptr<JournalWriter>> Reopen(const std::string& id) override;
  std::vector<std::string> List() override;
  Result<std::string> Read(const std::string& id, size_t tail_bytes) override;
  Result<std::string> ReadPaced(const std::string& id,
                                const std::function<void()>& between) override;
  Result<uint64_t> Size(const std::string& id) override;
  void SetAside(const std::string& id) override;
  void Remove(const std::string& id) override;

 private:
  std::string PathOf(const std::string& id) const { return folder_ + "/" + id + ".journal"; }
  std::string folder_;
};

}  // namespace qm
