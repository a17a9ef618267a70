#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/gbk_text_type.h"
#include "platform/result.h"

namespace qm {

struct FolderListing {
  bool opened = false;      // false: the folder does not exist or cannot be read
  int unrepresentable = 0;  // names on disk the internal encoding cannot hold, left out
};

// The file system as the core sees it. Paths are in the internal encoding.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Calls visit for every entry of folder (hidden ones too, never "." or ".."),
  // in the order the system delivers them. Subfolders are not entered.
  virtual FolderListing ListFolder(
      const GbkText& folder,
      const std::function<void(const GbkText& name, bool is_directory)>& visit) = 0;

  // Renames from to to; never overwrites: fails when to exists or from does not.
  virtual Result<bool> Rename(const GbkText& from, const GbkText& to) = 0;

  // Replaces path with bytes as one step: a failure leaves any old file whole.
  virtual Result<bool> WriteFileAtomically(const GbkText& path, std::string_view bytes) = 0;

  virtual Result<std::string> ReadFile(const GbkText& path) = 0;

  // The last-write time of path in nanoseconds since 1970 (UTC).
  virtual Result<int64_t> LastWriteTime(const GbkText& path) = 0;
  // True when path is an existing folder (or a symbolic link to one).
  virtual bool IsFolder(const GbkText& path) = 0;
  // Creates one folder; fails when anything of that name exists.
  virtual Result<bool> CreateFolder(const GbkText& path) = 0;
  // Creates a file holding bytes; fails, leaving it untouched, when anything of that name exists.
  virtual Result<bool> CreateNewFile(const GbkText& path, std::string_view bytes) = 0;
  // Deletes one file or symbolic link for good; fails on a folder.
  virtual Result<bool> RemoveFile(const GbkText& path) = 0;
  // Deletes a folder with everything below it for good. Symbolic links are
  // removed, never followed; a link given as path is removed itself.
  virtual Result<bool> RemoveFolderTree(const GbkText& path) = 0;
  // Moves a file or folder to the trash of its file system, where the file
  // manager can restore it; on failure it stays where it was.
  virtual Result<bool> MoveToTrash(const GbkText& path) = 0;

  // The folder of the running executable, without a trailing separator.
  virtual GbkText ProgramFolder() = 0;

  // The user's documents folder, without a trailing separator, created when
  // missing; empty when the user has none.
  virtual GbkText DocumentsFolder() = 0;
};

}  // namespace qm
