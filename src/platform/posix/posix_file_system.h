#pragma once

#include <utility>

#include "platform/file_system.h"

namespace qm {

// The reason the user is shown for a system error of a rename.
RenameFailure RenameFailureOf(int error_number);

// The real file system: internal-encoding paths become UTF-8 at this edge.
class PosixFileSystem : public FileSystem {
 public:
  // documents_folder: where the desktop keeps the user's documents (the
  // caller asks the desktop; this layer does not read its settings).
  explicit PosixFileSystem(GbkText documents_folder = {})
      : documents_folder_(std::move(documents_folder)) {}

  FolderListing ListFolder(
      const GbkText& folder,
      const std::function<void(const GbkText& name, bool is_directory)>& visit) override;
  Result<std::unique_ptr<FolderHandle>> OpenFolder(const GbkText& folder) override;
  Result<void> WriteFileAtomically(const GbkText& path, std::string_view bytes) override;
  Result<std::string> ReadFile(const GbkText& path, size_t max_bytes) override;
  Result<int64_t> LastWriteTime(const GbkText& path) override;
  // Creating and deleting live in posix_file_tools.cpp, the trash in posix_trash.cpp.
  bool IsFolder(const GbkText& path) override;
  Result<void> CreateFolder(const GbkText& path) override;
  Result<void> CreateNewFile(const GbkText& path, std::string_view bytes) override;
  Result<void> RemoveFile(const GbkText& path) override;
  Result<void> RemoveFolderTree(const GbkText& path) override;
  Result<void> MoveToTrash(const GbkText& path) override;
  GbkText ProgramFolder() override;
  GbkText DocumentsFolder() override;

 private:
  GbkText documents_folder_;
};

}  // namespace qm
