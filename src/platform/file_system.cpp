#include "platform/file_system.h"

#include <algorithm>
#include <cstring>

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
  if (pieces_.empty() || pieces_.back().size() == kPiece) {
    pieces_.emplace_back();
    pieces_.back().reserve(kPiece);
  }
  pieces_.back().push_back({stored, static_cast<uint32_t>(name.size()), identity});
  ++size_;
}

}  // namespace qm
