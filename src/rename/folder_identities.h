#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace qm {

inline size_t HashOf(std::string_view name) { return std::hash<std::string_view>{}(name); }

// Names by hash for a plan's look-ups. A plan of 100,000 entries looks names
// up several times each; a node per name (std::unordered_map) costs more in
// allocations and cache misses than the renames' own system calls. A slot
// holds a value and part of its name's hash; name_of(value) gives the name
// back, so the names stay where they are.
template <class NameOf>
class NameIndex {
 public:
  // `between`, when given, is called now and then while the slots are set
  // up: a million names' slots are more fresh memory than a window may wait
  // for in one piece.
  NameIndex(size_t names, NameOf name_of, const std::function<void()>& between = {})
      : name_of_(std::move(name_of)) {
    size_t size = 16;
    while (size < names * 2) size *= 2;
    constexpr size_t kPiece = 64 * 1024;
    slots_.reserve(size);
    for (size_t done = 0; done < size; done += kPiece) {
      if (between) between();
      slots_.resize(std::min(size, done + kPiece));
    }
  }

  // Stores value under its name unless the name is there already; returns
  // the value stored before, or -1.
  int Insert(int value, size_t hash) {
    Slot& slot = slots_[PlaceOf(name_of_(value), hash)];
    if (slot.value >= 0) return slot.value;
    slot = {static_cast<uint32_t>(hash), value};
    return -1;
  }
  // The value stored under name, or -1.
  int Find(std::string_view name, size_t hash) const { return slots_[PlaceOf(name, hash)].value; }

 private:
  struct Slot {
    uint32_t tag = 0;
    int value = -1;
  };
  // The slot holding name, or the empty one where it belongs.
  size_t PlaceOf(std::string_view name, size_t hash) const {
    const size_t mask = slots_.size() - 1;
    const auto tag = static_cast<uint32_t>(hash);
    for (size_t at = (hash >> 32 ^ hash) & mask;; at = (at + 1) & mask) {
      const Slot& slot = slots_[at];
      if (slot.value < 0 || (slot.tag == tag && name_of_(slot.value) == name)) return at;
    }
  }
  NameOf name_of_;
  std::vector<Slot> slots_;
};

// The identities of the files a large job names. A job of many names reads
// the folder once instead of looking every name up, on a thread of its own,
// and the caller takes the listing piece by piece as it comes in: the caller
// matches the first entries while the rest are still read, and no index of
// the whole folder is built. A small job looks its few names up. While the
// listing is read, the folder handle takes calls of CheckName from the
// caller's thread, and no other (FolderHandle::IdentifyAll).
class FolderIdentities {
 public:
  using Take = std::function<void(std::string_view name, const FileIdentity& identity)>;

  FolderIdentities(FolderHandle& folder, int names);
  ~FolderIdentities();
  FolderIdentities(const FolderIdentities&) = delete;
  FolderIdentities& operator=(const FolderIdentities&) = delete;

  // Calls take for every entry of the folder, on the caller's thread, as the
  // listing comes in; `between`, when given, is called every few
  // milliseconds meanwhile, so a window can paint. Once, unless `again`
  // asks to keep the listing for one more call. False when the folder was not
  // listed whole (a small job, or a folder that could not be read): the
  // caller then looks each of its names up with Identify, and whatever was
  // taken before still holds.
  bool TakeAll(const Take& take, const std::function<void()>& between = {}, bool again = false);

 private:
  // The reading thread's part: the listing, handed over piece by piece.
  void Read();

  FolderHandle& folder_;
  bool started_ = false;  // the folder is being read, or was
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<FolderEntries> pieces_;  // read and not yet taken
  std::vector<FolderEntries> kept_;    // taken, and kept for the next TakeAll
  bool finished_ = false;              // the reading is over
  bool listed_ = false;                // and it read the whole folder
  std::future<void> reading_;          // valid while the listing may still be read
};

}  // namespace qm
