#include "rename/folder_identities.h"

#include "platform/free_aside.h"

namespace qm {
namespace {

// Below this many names, a look-up per name costs less than reading the folder.
constexpr int kListingFrom = 64;

}  // namespace

FolderIdentities::FolderIdentities(FolderHandle& folder, int names,
                                   const std::function<void()>& between)
    : folder_(folder) {
  if (names < kListingFrom) return;
  listing_ = folder.IdentifyAll(between);
  if (!listing_) return;
  index_.emplace(listing_->size(), NameInListing{&*listing_});
  for (size_t i = 0; i < listing_->size(); ++i) {
    if (between && i % 4096 == 0) between();
    index_->Insert(static_cast<int>(i), HashOf((*listing_)[i].name));
  }
}

FolderIdentities::~FolderIdentities() {
  if (listing_) FreeAside(std::move(*listing_));
}

std::optional<FileIdentity> FolderIdentities::Of(const GbkText& name, size_t hash) const {
  if (!listing_) return folder_.Identify(name);
  int found = index_->Find(name, hash);
  if (found < 0) return std::nullopt;
  return (*listing_)[found].identity;
}

}  // namespace qm
