#include "rename/folder_identities.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <system_error>
#include <utility>

#include "platform/free_aside.h"

namespace qm {
namespace {

// Below this many names, a look-up per name costs less than reading the folder.
constexpr int kListingFrom = 64;

// How long the caller's thread waits for the listing between two calls of `between`.
constexpr std::chrono::milliseconds kPaintEvery(8);

}  // namespace

FolderIdentities::FolderIdentities(FolderHandle& folder, int names) : folder_(folder) {
  if (names < kListingFrom) return;
  started_ = true;
  try {
    reading_ = std::async(std::launch::async, [this] { Read(); });
  } catch (const std::system_error&) {
    Read();  // no thread to be had: read it here, before anything else needs it
  }
}

FolderIdentities::~FolderIdentities() {
  if (reading_.valid()) reading_.wait();
  if (!pieces_.empty()) FreeAside(std::move(pieces_));
  if (!kept_.empty()) FreeAside(std::move(kept_));
}

void FolderIdentities::Read() {
  bool listed = false;
  try {
    listed = folder_.IdentifyAll([this](FolderEntries piece) {
      std::lock_guard lock(mutex_);
      pieces_.push_back(std::move(piece));
      arrived_.notify_one();
    });
  } catch (...) {
    // Out of memory: the caller must not wait for good; it learns why from the future.
    std::lock_guard lock(mutex_);
    finished_ = true;
    arrived_.notify_one();
    throw;
  }
  std::lock_guard lock(mutex_);
  finished_ = true;
  listed_ = listed;
  arrived_.notify_one();
}

bool FolderIdentities::TakeAll(const Take& take, const std::function<void()>& between, bool again) {
  if (!started_) return false;
  auto deliver = [&take, &between](const FolderEntries& piece) {
    for (size_t i = 0; i < piece.size(); ++i) take(piece.NameAt(i), piece.IdentityAt(i));
    if (between) between();
  };
  std::vector<FolderEntries> arrived = std::exchange(kept_, {});
  bool finished = false;
  for (;;) {
    for (const FolderEntries& piece : arrived) deliver(piece);
    if (again) std::move(arrived.begin(), arrived.end(), std::back_inserter(kept_));
    // Freed piece by piece as they come: the reading thread takes the same memory again.
    arrived.clear();
    if (finished) break;
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, kPaintEvery, [this] { return !pieces_.empty() || finished_; })) {
      lock.unlock();
      if (between) between();
      continue;
    }
    arrived.swap(pieces_);
    finished = finished_;
  }
  if (reading_.valid()) reading_.get();  // passes on what the reading threw (out of memory)
  std::lock_guard lock(mutex_);
  return listed_;
}

}  // namespace qm
