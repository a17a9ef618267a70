#include "fakes/fake_file_system.h"

#include "base/encoding.h"

namespace qm {

// Follows its folder by identity, as a directory descriptor does.
class FakeFolderHandle : public FolderHandle {
 public:
  FakeFolderHandle(FakeFileSystem& files, uint64_t folder) : files_(files), folder_(folder) {}

  std::optional<FileIdentity> Identify(const GbkText& name) override {
    ++files_.identity_reads;
    if (!Plain(name)) return std::nullopt;
    auto folder = FolderPath();
    if (!folder) return std::nullopt;
    return files_.IdentityOf(*folder + "/" + name);
  }

  bool IdentifyAll(const TakeEntries& take) override {
    ++files_.identity_reads;
    auto folder = FolderPath();
    if (!folder) return false;
    ListingPieces pieces(take);
    for (const GbkText& name : files_.Names(*folder)) {
      pieces.Add(name, *files_.IdentityOf(*folder + "/" + name));
    }
    pieces.Finish();
    return true;
  }

  std::optional<RenameFailure> CheckName(const GbkText& name) override {
    if (!Plain(name)) return RenameFailure{RenameReason::Invalid, {}};
    auto utf8 = InternalToUtf8(name);
    if (!utf8) return RenameFailure{RenameReason::Invalid, {}};
    if (utf8->size() > files_.name_max) return RenameFailure{RenameReason::TooLong, {}};
    return std::nullopt;
  }

  std::optional<RenameFailure> RenameNoReplace(const GbkText& from, const GbkText& to) override {
    if (!Plain(from) || !Plain(to)) return RenameFailure{RenameReason::Invalid, {}};
    if (auto problem = CheckName(to)) return problem;
    auto folder = FolderPath();
    if (!folder) return RenameFailure{RenameReason::Missing, {}};
    GbkText source = *folder + "/" + from;
    auto failure = files_.rename_failures.find(source);
    if (failure != files_.rename_failures.end()) return failure->second;
    if (files_.failing_renames.count(source) != 0) {
      return RenameFailure{RenameReason::Other, "rename refused by the test"};
    }
    if (!files_.Exists(source)) return RenameFailure{RenameReason::Missing, {}};
    if (files_.Exists(*folder + "/" + to)) return RenameFailure{RenameReason::Exists, {}};
    if (!files_.Rename(source, *folder + "/" + to).ok()) {
      return RenameFailure{RenameReason::Other, "rename failed"};
    }
    ++files_.handle_renames_;
    if (files_.after_rename) files_.after_rename(files_.handle_renames_);
    return std::nullopt;
  }

  std::optional<FolderStamp> Stamp() override {
    if (!FolderPath()) return std::nullopt;
    return FolderStamp{{1, folder_}, files_.entry_changes_, 0};
  }

 private:
  // A NUL would cut the name short on disk: no entry is named with one.
  static bool Plain(const GbkText& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == GbkText::npos &&
           name.find('\0') == GbkText::npos;
  }
  std::optional<GbkText> FolderPath() const {
    for (const auto& entry : files_.entries_) {
      if (entry.inode == folder_) return entry.path == "/" ? GbkText() : entry.path;
    }
    return std::nullopt;
  }

  FakeFileSystem& files_;
  uint64_t folder_;
};

GbkText FakeFileSystem::Normalized(const GbkText& path) {
  GbkText result = path;
  while (result.size() > 1 && result.back() == '/') result.pop_back();
  return result;
}

GbkText FakeFileSystem::ParentOf(const GbkText& path) {
  size_t slash = path.find_last_of('/');
  return slash == GbkText::npos ? GbkText() : path.substr(0, slash == 0 ? 1 : slash);
}

void FakeFileSystem::Reindex() {
  ++entry_changes_;
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) index_[entries_[i].path] = i;
}

void FakeFileSystem::AddFile(const GbkText& path, std::string content) {
  entries_.push_back({Normalized(path), false, std::move(content), next_inode_++});
  Reindex();
}

void FakeFileSystem::AddFiles(const GbkText& folder, const std::vector<GbkText>& names) {
  for (const GbkText& name : names) {
    entries_.push_back({Normalized(folder) + "/" + name, false, {}, next_inode_++});
  }
  Reindex();
}

void FakeFileSystem::AddFolder(const GbkText& path) {
  entries_.push_back({Normalized(path), true, {}, next_inode_++});
  Reindex();
}

std::string FakeFileSystem::Content(const GbkText& path) const {
  auto found = index_.find(Normalized(path));
  return found == index_.end() ? std::string() : entries_[found->second].content;
}

std::vector<GbkText> FakeFileSystem::Names(const GbkText& folder) const {
  std::vector<GbkText> names;
  GbkText parent = Normalized(folder);
  for (const Entry& entry : entries_) {
    if (ParentOf(entry.path) == parent)
      names.push_back(entry.path.substr(entry.path.find_last_of('/') + 1));
  }
  return names;
}

FolderListing FakeFileSystem::ListFolder(const GbkText& folder,
                                         const std::function<void(const GbkText&, bool)>& visit) {
  FolderListing listing;
  auto found = index_.find(Normalized(folder));
  if (found == index_.end() || !entries_[found->second].is_directory) return listing;
  listing.opened = true;
  listing.unrepresentable = unrepresentable_names;
  GbkText parent = Normalized(folder);
  // Copy first: a visitor may run handlers that change the fake.
  std::vector<Entry> snapshot = entries_;
  for (const Entry& entry : snapshot) {
    if (ParentOf(entry.path) == parent) {
      visit(entry.path.substr(entry.path.find_last_of('/') + 1), entry.is_directory);
    }
  }
  return listing;
}

Result<void> FakeFileSystem::Rename(const GbkText& from, const GbkText& to) {
  GbkText source = Normalized(from);
  GbkText target = Normalized(to);
  if (failing_renames.count(source) != 0) return Error{"rename refused by the test"};
  auto found = index_.find(source);
  if (found == index_.end()) return Error{"source does not exist"};
  if (index_.count(target) != 0) return Error{"target exists"};
  if (index_.count(ParentOf(target)) == 0) return Error{"target folder does not exist"};
  Entry& entry = entries_[found->second];
  GbkText prefix = source + "/";
  for (Entry& other : entries_) {
    if (other.path.compare(0, prefix.size(), prefix) == 0)
      other.path = target + other.path.substr(source.size());
  }
  entry.path = target;
  Reindex();
  renames.emplace_back(source, target);
  return {};
}

Result<std::unique_ptr<FolderHandle>> FakeFileSystem::OpenFolder(const GbkText& folder) {
  auto found = index_.find(Normalized(folder));
  if (found == index_.end() || !entries_[found->second].is_directory) {
    return Error{"open folder: No such file or directory"};
  }
  return std::unique_ptr<FolderHandle>(
      std::make_unique<FakeFolderHandle>(*this, entries_[found->second].inode));
}

std::optional<FileIdentity> FakeFileSystem::IdentityOf(const GbkText& path) const {
  auto found = index_.find(Normalized(path));
  if (found == index_.end()) return std::nullopt;
  return FileIdentity{1, entries_[found->second].inode};
}

void FakeFileSystem::Remove(const GbkText& path) {
  GbkText target = Normalized(path);
  GbkText prefix = target + "/";
  std::erase_if(entries_, [&](const Entry& entry) {
    return entry.path == target || entry.path.compare(0, prefix.size(), prefix) == 0;
  });
  Reindex();
}

Result<void> FakeFileSystem::WriteFileAtomically(const GbkText& path, std::string_view bytes) {
  if (fail_writes) return Error{"write refused by the test"};
  GbkText target = Normalized(path);
  if (read_only_folders.count(ParentOf(target)) != 0) return Error{"read-only folder"};
  auto found = index_.find(target);
  if (found != index_.end()) {
    entries_[found->second].content = std::string(bytes);
  } else {
    AddFile(target, std::string(bytes));
  }
  return {};
}

Result<std::string> FakeFileSystem::ReadFile(const GbkText& path, size_t max_bytes) {
  auto found = index_.find(Normalized(path));
  if (found == index_.end() || entries_[found->second].is_directory) return Error{"no such file"};
  return entries_[found->second].content.substr(0, max_bytes);
}

Result<int64_t> FakeFileSystem::LastWriteTime(const GbkText& path) {
  auto found = index_.find(Normalized(path));
  if (found == index_.end()) return Error{"no such file"};
  return entries_[found->second].modified;
}

void FakeFileSystem::SetLastWriteTime(const GbkText& path, int64_t nanoseconds) {
  auto found = index_.find(Normalized(path));
  if (found != index_.end()) entries_[found->second].modified = nanoseconds;
}

}  // namespace qm

namespace qm {

Result<void> FakeFileSystem::Add(const GbkText& path, bool is_directory, std::string_view content) {
  GbkText target = Normalized(path);
  if (index_.count(target) != 0) return Error{"exists"};
  auto parent = index_.find(ParentOf(target));
  if (parent == index_.end() || !entries_[parent->second].is_directory) {
    return Error{"parent folder does not exist"};
  }
  entries_.push_back({target, is_directory, std::string(content)});
  Reindex();
  return {};
}

void FakeFileSystem::Erase(const GbkText& path) {
  GbkText prefix = path + "/";
  std::erase_if(entries_, [&](const Entry& entry) {
    return entry.path == path || entry.path.compare(0, prefix.size(), prefix) == 0;
  });
  Reindex();
}

bool FakeFileSystem::IsFolder(const GbkText& path) {
  auto found = index_.find(Normalized(path));
  return found != index_.end() && entries_[found->second].is_directory;
}

Result<void> FakeFileSystem::CreateFolder(const GbkText& path) { return Add(path, true, {}); }

Result<void> FakeFileSystem::CreateNewFile(const GbkText& path, std::string_view bytes) {
  if (fail_writes) return Error{"write refused by the test"};
  return Add(path, false, bytes);
}

Result<void> FakeFileSystem::RemoveFile(const GbkText& path) {
  GbkText target = Normalized(path);
  if (failing_removals.count(target) != 0) return Error{"removal refused by the test"};
  auto found = index_.find(target);
  if (found == index_.end() || entries_[found->second].is_directory) return Error{"no such file"};
  Erase(target);
  return {};
}

Result<void> FakeFileSystem::RemoveFolderTree(const GbkText& path) {
  GbkText target = Normalized(path);
  if (failing_removals.count(target) != 0) return Error{"removal refused by the test"};
  if (!IsFolder(target)) return Error{"no such folder"};
  Erase(target);
  return {};
}

Result<void> FakeFileSystem::MoveToTrash(const GbkText& path) {
  GbkText target = Normalized(path);
  if (failing_removals.count(target) != 0) return Error{"trash refused by the test"};
  if (!Exists(target)) return Error{"no such file or folder"};
  Erase(target);
  trashed.push_back(target);
  return {};
}

}  // namespace qm
