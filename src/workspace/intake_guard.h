#pragma once

#include <cstdint>

namespace qm {

// A folder scan processes window messages while it runs, so another intake, a
// drop or a clear of the list can run in the middle of it. Every such change
// takes a new ticket; a scan appends its rows only while its own ticket is
// still the newest, so the list never mixes entries of two folders or refills
// after the user emptied it.
class IntakeGuard {
 public:
  // Marks the list as changed by a new intake or a clear; returns its ticket.
  uint64_t Begin() { return ++newest_; }
  bool IsNewest(uint64_t ticket) const { return ticket == newest_; }

 private:
  uint64_t newest_ = 0;
};

}  // namespace qm
