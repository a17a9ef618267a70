#pragma once

#include "platform/file_system.h"

namespace qm {

// The reason the user is shown for a system error of a rename.
RenameFailure RenameFailureOf(int error_number);

// The real file system: internal-encoding paths become UTF-8 at this edge.
class PosixFileSystem : public FileSystem {
 public:
  FolderListing ListFolder(
      const GbkText& folder,
      const std::function<void(const GbkText& name, bool is_directory)>& visit) override;
  Result<bool> Rename(const GbkText& from, const GbkText& to) override;
  Result<std::unique_ptr<FolderHandle>> OpenFolder(const GbkText& folder) override;
  Result<bool> WriteFileAtomically(const GbkText& path, std::string_view bytes) override;
  Result<std::string> ReadFile(const GbkText& path) override;
  GbkText ProgramFolder() override;
};

}  // namespace qm
