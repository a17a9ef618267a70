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
  void AddFolder(const GbkText& path);
  bool Exists(const GbkText& path) const { return index_.count(Normalized(path)) != 0; }
  std::string Content(const GbkText& path) const;
  // Names directly inside folder, in listing order.
  std::vector<GbkText> Names(const GbkText& folder) const;

  FolderListing ListFolder(
      const GbkText& folder,
      const std::function<void(const GbkText& name, bool is_directory)>& visit) override;
  Result<bool> Rename(const GbkText& from, const GbkText& to) override;
  Result<bool> WriteFileAtomically(const GbkText& path, std::string_view bytes) override;
  Result<std::string> ReadFile(const GbkText& path) override;
  Result<int64_t> LastWriteTime(const GbkText& path) override;
  void SetLastWriteTime(const GbkText& path, int64_t nanoseconds);
  GbkText ProgramFolder() override { return program_folder; }

  std::set<GbkText> failing_renames;  // sources whose rename fails
  bool fail_writes = false;
  int unrepresentable_names = 0;                     // reported by every listing
  std::vector<std::pair<GbkText, GbkText>> renames;  // successful renames, in order
  GbkText program_folder = "/program";

 private:
  struct Entry {
    GbkText path;
    bool is_directory = false;
    std::string content;
    int64_t modified = 0;
  };
  static GbkText Normalized(const GbkText& path);
  static GbkText ParentOf(const GbkText& path);

  std::vector<Entry> entries_;  // listing order; removed entries are erased
  std::map<GbkText, size_t> index_;
  void Reindex();
};

}  // namespace qm
