#include "platform/file_system.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qm {

void FolderEntries::Add(std::string_view name, const FileIdentity& identity) {
  if (blocks_.empty() || name.size() > block_size_ - block_used_) {
    // A name longer than a block (no file system allows one) gets a block of its own.
    block_size_ = std::max(kBlock, name.size());
    block_used_ = 0;
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(block_size_));
  }
  char* const stored = blocks_.back().get() + block_used_;
  std::memcpy(stored, name.data(), name.size());
  block_used_ += name.size();
  if (entries_.empty()) entries_.reserve(kPiece);
  entries_.push_back({stored, static_cast<uint32_t>(name.size()), identity});
}

void ListingPieces::Add(std::string_view name, const FileIdentity& identity) {
  piece_.Add(name, identity);
  if (piece_.size() == FolderEntries::kPiece) take_(std::exchange(piece_, {}));
}

void ListingPieces::Finish() {
  if (piece_.size() > 0) take_(std::exchange(piece_, {}));
}

}  // namespace qm
