#include "rename/folder_identities.h"

#include <cassert>
#include <chrono>
#include <system_error>

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
  try {
    reading_ = std::async(std::launch::async, [this] { Read(); });
  } catch (const std::system_error&) {
    Read();  // no thread to be had: read it here, before anything else needs it
  }
}

FolderIdentities::~FolderIdentities() {
  if (reading_.valid()) reading_.wait();
  if (listing_) FreeAside(std::move(*listing_));
}

void FolderIdentities::Read() {
  listing_ = folder_.IdentifyAll();
  if (!listing_) return;
  index_.emplace(listing_->size(), NameInListing{&*listing_});
  for (size_t i = 0; i < listing_->size(); ++i) {
    index_->Insert(static_cast<int>(i), HashOf(listing_->NameAt(i)));
  }
}

void FolderIdentities::Ready(const std::function<void()>& between) {
  if (!reading_.valid()) return;
  while (reading_.wait_for(kPaintEvery) != std::future_status::ready) {
    if (between) between();
  }
  reading_.get();  // passes on what the reading threw (out of memory)
}

std::optional<FileIdentity> FolderIdentities::Of(const GbkText& name, size_t hash) const {
  assert(!reading_.valid() && "Ready() comes before the first look-up");
  if (!listing_) return folder_.Identify(name);
  int found = index_->Find(name, hash);
  if (found < 0) return std::nullopt;
  return listing_->IdentityAt(found);
}

}  // namespace qm
