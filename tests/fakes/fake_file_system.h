#pragma once

#include <map>
#include <set>
#include <vector>

#include "platform/file_system.h"

namespace qm {

// An in-memory file system with "/" separated paths. Entries list in the
// order they were added, like a real folder read.
class FakeFileSystem : public FileSystem {
 public:
  void AddFile(const GbkText& path, std::string content = {});
  // Many empty files in folder at once, as fast as a large folder needs.
  void AddFiles(const GbkText& folder, const std::vector<GbkText>& names);
  void AddFolder(const GbkText& path);
  bool Exists(const GbkText& path) const { return index_.count(Normalized(path)) != 0; }
  std::string Content(const GbkText& path) const;
  // Names directly inside folder, in listing order.
  std::vector<GbkText> Names(const GbkText& folder) const;

  FolderListing ListFolder(
      const GbkText& folder,
      const std::function<void(const GbkText& name, bool is_directory)>& visit) override;
  // Renames by full path, never overwriting; the folder handles rename through it.
  virtual Result<void> Rename(const GbkText& from, const GbkText& to);
  Result<std::unique_ptr<FolderHandle>> OpenFolder(const GbkText& folder) override;
  // The identity the fake gives path; nullopt when nothing is there.
  std::optional<FileIdentity> IdentityOf(const GbkText& path) const;
  void Remove(const GbkText& path);
  Result<void> WriteFileAtomically(const GbkText& path, std::string_view bytes) override;
  Result<std::string> ReadFile(const GbkText& path, size_t max_bytes) override;
  Result<int64_t> LastWriteTime(const GbkText& path) override;
  void SetLastWriteTime(const GbkText& path, int64_t nanoseconds);
  GbkText ProgramFolder() override { return program_folder; }
  bool IsFolder(const GbkText& path) override;
  Result<void> CreateFolder(const GbkText& path) override;
  Result<void> CreateNewFile(const GbkText& path, std::string_view bytes) override;
  Result<void> RemoveFile(const GbkText& path) override;
  Result<void> RemoveFolderTree(const GbkText& path) override;
  Result<void> MoveToTrash(const GbkText& path) override;
  GbkText DocumentsFolder() override { return documents_folder; }

  std::set<GbkText> failing_renames;  // sources whose rename fails
  bool fail_writes = false;
  int unrepresentable_names = 0;                     // reported by every listing
  std::vector<std::pair<GbkText, GbkText>> renames;  // successful renames, in order
  GbkText program_folder = "/program";
  // Renames (by full source path) that fail with the given reason.
  std::map<GbkText, RenameFailure> rename_failures;
  size_t name_max = 255;  // longest name in bytes of its UTF-8 form
  // Runs after every successful rename through a folder handle, with the
  // number done so far: lets a test change the world in the middle of a run.
  std::function<void(int renamed)> after_rename;
  std::set<GbkText>
      failing_removals;          // paths that RemoveFile, RemoveFolderTree and MoveToTrash refuse
  std::vector<GbkText> trashed;  // paths moved to the trash, in order
  GbkText documents_folder = "/home/user/Documents";
  std::set<GbkText> read_only_folders;  // writes of files directly inside them fail
  // Identities read through folder handles: one per Identify, one per IdentifyAll.
  int identity_reads = 0;

 private:
  struct Entry {
    GbkText path;
    bool is_directory = false;
    std::string content;
    uint64_t inode = 0;
    int64_t modified = 0;
  };
  friend class FakeFolderHandle;
  uint64_t next_inode_ = 100;
  int handle_renames_ = 0;
  // Counts every change of any folder's entries: a folder's stamp, coarser
  // than a real one but never wrong.
  int64_t entry_changes_ = 0;
  static GbkText Normalized(const GbkText& path);
  static GbkText ParentOf(const GbkText& path);

  std::vector<Entry> entries_;  // listing order; removed entries are erased
  std::map<GbkText, size_t> index_;
  void Reindex();
  Result<void> Add(const GbkText& path, bool is_directory, std::string_view content);
  // Erases path and everything below it.
  void Erase(const GbkText& path);
};

}  // namespace qm
