#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/posix/posix_journal_store.h"

namespace qm {

// The journals of a benchmark's window, in a folder of their own: a run the
// benchmark stops (or that is killed) never leaves the user's own journal
// folder a run to put back at the next start, nor fills it.
class ScratchJournal {
 public:
  ScratchJournal() : folder_(MakeFolder()), store_(folder_) {}
  ~ScratchJournal() { std::filesystem::remove_all(folder_); }
  ScratchJournal(const ScratchJournal&) = delete;
  ScratchJournal& operator=(const ScratchJournal&) = delete;

  JournalStore& store() { return store_; }

 private:
  static std::string MakeFolder() {
    char pattern[] = "/tmp/qm_bench_journals_XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    return pattern;
  }

  std::string folder_;
  PosixJournalStore store_;
};

}  // namespace qm
