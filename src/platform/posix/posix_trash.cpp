#include "platform/posix/posix_trash.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/posix/posix_error.h"
#include "platform/posix/unique_fd.h"

namespace qm {
namespace {

UniqueFd OpenFolder(const std::string& path) {
  return UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Opens the folder name below parent, creating it private to the user when
// missing. With no_links a symbolic link in its place is refused, as the
// freedesktop.org trash asks of the shared $topdir trashes.
UniqueFd OpenOrMakeFolder(const UniqueFd& parent, const char* name, bool no_links) {
  int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (no_links ? O_NOFOLLOW : 0);
  UniqueFd folder(::openat(parent.fd(), name, flags));
  if (folder.ok() || errno != ENOENT) return folder;
  if (::mkdirat(parent.fd(), name, 0700) != 0 && errno != EEXIST) return UniqueFd();
  return UniqueFd(::openat(parent.fd(), name, flags));
}

struct Trash {
  UniqueFd files;
  UniqueFd info;
  // The Path= values are relative to this folder; empty for absolute ones.
  std::string relative_to;
};

std::optional<Trash> OpenTrashParts(const UniqueFd& trash, bool no_links, std::string relative_to) {
  if (!trash.ok()) return std::nullopt;
  Trash parts{OpenOrMakeFolder(trash, "files", no_links), OpenOrMakeFolder(trash, "info", no_links),
              std::move(relative_to)};
  if (!parts.files.ok() || !parts.info.ok()) return std::nullopt;
  return parts;
}

// $XDG_DATA_HOME, or $HOME/.local/share when that is unset. A relative value
// is no answer: it would put the trash under whatever folder is current.
std::optional<std::string> DataHome() {
  const char* data_home = ::getenv("XDG_DATA_HOME");
  if (data_home != nullptr && data_home[0] == '/') return std::string(data_home);
  const char* home = ::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share";
  return std::nullopt;
}

// The device of path, or of its nearest existing ancestor.
dev_t DeviceOfNearest(std::string path) {
  struct stat status;
  while (::stat(path.c_str(), &status) != 0 && path.size() > 1) {
    size_t slash = path.find_last_of('/');
    path = slash == 0 ? "/" : path.substr(0, slash);
  }
  return status.st_dev;
}

// The home trash, its folders created as needed (the data folder too: on a
// fresh account ~/.local/share may not exist yet).
std::optional<Trash> OpenHomeTrash(const std::string& trash_path) {
  if (UniqueFd trash = OpenFolder(trash_path); trash.ok()) return OpenTrashParts(trash, false, "");
  for (size_t slash = trash_path.find('/', 1); slash != std::string::npos;
       slash = trash_path.find('/', slash + 1)) {
    ::mkdir(trash_path.substr(0, slash).c_str(), 0700);
  }
  ::mkdir(trash_path.c_str(), 0700);
  return OpenTrashParts(OpenFolder(trash_path), false, "");
}

// The top folder of the file system that holds real_folder (a mount point).
std::string TopFolderOf(std::string real_folder, dev_t device) {
  while (real_folder != "/") {
    size_t slash = real_folder.find_last_of('/');
    std::string up = slash == 0 ? "/" : real_folder.substr(0, slash);
    struct stat status;
    if (::stat(up.c_str(), &status) != 0 || status.st_dev != device) break;
    real_folder = up;
  }
  return real_folder;
}

bool OwnedPrivateFolder(const UniqueFd& folder) {
  struct stat status;
  return folder.ok() && ::fstat(folder.fd(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::getuid();
}

// $topdir/.Trash/$uid when the administrator made a sticky .Trash, else
// $topdir/.Trash-$uid.
std::optional<Trash> OpenTopTrash(const std::string& top) {
  UniqueFd top_folder = OpenFolder(top);
  if (!top_folder.ok()) return std::nullopt;
  std::string uid = std::to_string(::getuid());
  struct stat status;
  if (::fstatat(top_folder.fd(), ".Trash", &status, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX) != 0) {
    UniqueFd shared(
        ::openat(top_folder.fd(), ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (shared.ok()) {
      UniqueFd own = OpenOrMakeFolder(shared, uid.c_str(), true);
      if (OwnedPrivateFolder(own)) {
        if (auto trash = OpenTrashParts(own, true, top)) return trash;
      }
    }
  }
  UniqueFd own = OpenOrMakeFolder(top_folder, (".Trash-" + uid).c_str(), true);
  if (!OwnedPrivateFolder(own)) return std::nullopt;
  return OpenTrashParts(own, true, top);
}

// "a.txt" -> "a.2.txt": the trashed copy of a name already in the trash.
std::string NumberedName(const std::string& name, int number) {
  if (number == 1) return name;
  size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return name + "." + std::to_string(number);
  return name.substr(0, dot) + "." + std::to_string(number) + name.substr(dot);
}

std::string DeletionDate() {
  time_t now = ::time(nullptr);
  struct tm local;
  ::localtime_r(&now, &local);
  char text[32];
  ::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// Reserves a name in the trash by creating its .trashinfo exclusively, then
// renames the entry into files/ under that name; the info goes again when the
// rename fails.
Result<void> MoveInto(const Trash& trash, const UniqueFd& parent, const std::string& name,
                      const std::string& original_path) {
  std::string info_text = "[Trash Info]\nPath=" + TrashInfoPathEncode(original_path) +
                          "\nDeletionDate=" + DeletionDate() + "\n";
  for (int number = 1; number < 100000; ++number) {
    std::string trashed = NumberedName(name, number);
    std::string info_name = trashed + ".trashinfo";
    UniqueFd info(::openat(trash.info.fd(), info_name.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!info.ok()) {
      if (errno == EEXIST) continue;
      return SystemError("write trash info", errno);
    }
    int error_number = WriteAll(info.fd(), info_text);
    if (int closed = info.Close(); error_number == 0) error_number = closed;
    struct stat status;
    if (error_number == 0 &&
        ::fstatat(trash.files.fd(), trashed.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
      error_number = EEXIST;  // a stray entry without info holds this name
    } else if (error_number == 0 && ::renameat2(parent.fd(), name.c_str(), trash.files.fd(),
                                                trashed.c_str(), RENAME_NOREPLACE) != 0) {
      error_number = errno;
    }
    if (error_number == 0) return {};
    ::unlinkat(trash.info.fd(), info_name.c_str(), 0);
    if (error_number != EEXIST) return SystemError("move to trash", error_number);
  }
  return SystemError("move to trash", EEXIST);
}

}  // namespace

std::string TrashInfoPathEncode(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char byte : path) {
    bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                 (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' ||
                 byte == '~' || byte == '/';
    if (plain) {
      encoded += static_cast<char>(byte);
    } else {
      encoded += '%';
      encoded += hex[byte >> 4];
      encoded += hex[byte & 15];
    }
  }
  return encoded;
}

Result<void> MoveToFreedesktopTrash(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  size_t slash = trimmed.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : trimmed.substr(0, slash == 0 ? 1 : slash);
  std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return SystemError("move to trash", EINVAL);

  UniqueFd parent = OpenFolder(folder);
  char real[PATH_MAX];
  if (!parent.ok() || ::realpath(folder.c_str(), real) == nullptr) {
    return SystemError("open folder", errno);
  }
  std::string real_folder = real;
  struct stat entry, folder_status;
  if (::fstatat(parent.fd(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0 ||
      ::fstat(parent.fd(), &folder_status) != 0) {
    return SystemError("move to trash", errno);
  }
  // A mount point cannot be renamed anywhere.
  if (entry.st_dev != folder_status.st_dev) return SystemError("move to trash", EXDEV);
  std::string original = (real_folder == "/" ? "" : real_folder) + "/" + name;

  std::optional<std::string> data_home = DataHome();
  if (!data_home) return Error{"move to trash: neither XDG_DATA_HOME nor HOME is an absolute path"};
  std::string home_trash = *data_home + "/Trash";
  std::optional<Trash> trash;
  if (DeviceOfNearest(home_trash) == entry.st_dev) {
    trash = OpenHomeTrash(home_trash);
  } else {
    trash = OpenTopTrash(TopFolderOf(real_folder, entry.st_dev));
  }
  if (!trash) return SystemError("open trash", errno);
  std::string recorded = original;
  if (!trash->relative_to.empty()) {
    size_t cut = trash->relative_to == "/" ? 1 : trash->relative_to.size() + 1;
    recorded = original.substr(cut);
  }
  return MoveInto(*trash, parent, name, recorded);
}

}  // namespace qm
