// Creating and deleting single entries for the side tools of the main window.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_trash.h"
#include "platform/posix/unique_fd.h"

namespace qm {
namespace {

// The names inside an open folder, read before anything is removed so that
// removing does not disturb the reading.
int NamesIn(int folder_fd, std::vector<std::pair<std::string, bool>>& names) {
  UniqueFd own(::dup(folder_fd));
  if (!own.ok()) return errno;
  UniqueDir dir = OpenFolderStream(std::move(own));
  if (!dir) return errno;
  errno = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool is_folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat status;
      is_folder = ::fstatat(folder_fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                  S_ISDIR(status.st_mode);
    }
    names.emplace_back(std::move(name), is_folder);
  }
  return errno;
}

// Removes the folder name inside parent_fd with everything below it. Every
// step goes through an open folder with O_NOFOLLOW, so a symbolic link (or a
// folder swapped for one meanwhile) is unlinked, never entered; a folder on
// another file system (a mount point) is left alone. Keeps going after a
// failure and returns the first error number, 0 when everything went.
int RemoveTreeAt(int parent_fd, const std::string& name, dev_t device) {
  UniqueFd folder(
      ::openat(parent_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!folder.ok()) return errno;
  struct stat status;
  if (::fstat(folder.fd(), &status) != 0 || status.st_dev != device) return EXDEV;
  std::vector<std::pair<std::string, bool>> names;
  int first_error = NamesIn(folder.fd(), names);
  for (const auto& [child, is_folder] : names) {
    int error_number = 0;
    if (is_folder) {
      error_number = RemoveTreeAt(folder.fd(), child, device);
    } else if (::unlinkat(folder.fd(), child.c_str(), 0) != 0) {
      error_number = errno;
    }
    if (first_error == 0) first_error = error_number;
  }
  folder.Close();
  if (::unlinkat(parent_fd, name.c_str(), AT_REMOVEDIR) != 0 && first_error == 0) {
    first_error = errno;
  }
  return first_error;
}

// Splits an absolute or relative path into its folder and its last name,
// ignoring trailing separators.
std::pair<std::string, std::string> SplitLast(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

bool PosixFileSystem::IsFolder(const GbkText& path) {
  auto native = InternalToUtf8(path);
  struct stat status;
  return native && !native->empty() && ::stat(native->c_str(), &status) == 0 &&
         S_ISDIR(status.st_mode);
}

Result<void> PosixFileSystem::CreateFolder(const GbkText& path) {
  auto native = InternalToUtf8(path);
  if (!native) return native.error();
  if (::mkdir(native->c_str(), 0777) != 0) return SystemError("create folder", errno);
  return {};
}

Result<void> PosixFileSystem::CreateNewFile(const GbkText& path, std::string_view bytes) {
  auto native = InternalToUtf8(path);
  if (!native) return native.error();
  // O_EXCL: an existing file, or a link in its place, is never opened at all.
  UniqueFd fd(::open(native->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!fd.ok()) return SystemError("create file", errno);
  int error_number = WriteAll(fd.fd(), bytes);
  if (int closed = fd.Close(); error_number == 0) error_number = closed;
  if (error_number != 0) {
    // The file is our own new one: a partial file would count as created.
    ::unlink(native->c_str());
    return SystemError("write file", error_number);
  }
  return {};
}

Result<void> PosixFileSystem::RemoveFile(const GbkText& path) {
  auto native = InternalToUtf8(path);
  if (!native) return native.error();
  if (::unlink(native->c_str()) != 0) return SystemError("delete file", errno);
  return {};
}

Result<void> PosixFileSystem::RemoveFolderTree(const GbkText& path) {
  auto native = InternalToUtf8(path);
  if (!native) return native.error();
  auto [folder, name] = SplitLast(*native);
  if (name.empty() || name == "." || name == "..") return SystemError("delete folder", EINVAL);
  UniqueFd parent(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!parent.ok()) return SystemError("open folder", errno);
  struct stat status;
  int error_number = 0;
  if (::fstatat(parent.fd(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    error_number = errno;
  } else if (S_ISLNK(status.st_mode)) {
    // A link to a folder lists as a folder; deleting it removes the link only.
    if (::unlinkat(parent.fd(), name.c_str(), 0) != 0) error_number = errno;
  } else if (!S_ISDIR(status.st_mode)) {
    error_number = ENOTDIR;
  } else {
    error_number = RemoveTreeAt(parent.fd(), name, status.st_dev);
  }
  if (error_number != 0) return SystemError("delete folder", error_number);
  return {};
}

Result<void> PosixFileSystem::MoveToTrash(const GbkText& path) {
  auto native = InternalToUtf8(path);
  if (!native) return native.error();
  return MoveToFreedesktopTrash(*native);
}

}  // namespace qm
