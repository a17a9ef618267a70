#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/limits.h>
#include <linux/magic.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

#include "base/encoding.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/unique_fd.h"

namespace qm {
namespace {

bool IsDirectory(int folder_fd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
  // A symbolic link to a folder lists as a folder, as the system's own tools show it.
  struct stat status;
  if (fstatat(folder_fd, entry->d_name, &status, 0) != 0) return false;
  return S_ISDIR(status.st_mode);
}

// Local file systems, whose folder listings carry the inode that a look-up of
// the name gives and whose times come from this machine's clock. Others
// (overlay, network and FUSE file systems) may number the listing differently,
// so their identities are looked up name by name, and their times may come
// from a server.
bool ListsTrueInodes(int folder_fd) {
  struct statfs status;
  if (fstatfs(folder_fd, &status) != 0) return false;
  switch (static_cast<unsigned long>(status.f_type)) {
    case TMPFS_MAGIC:
    case EXT4_SUPER_MAGIC:  // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
      return true;
    default:
      return false;
  }
}

// A name that is not a plain entry of the folder: empty, ".", "..", or one
// holding the separator, which would reach into another folder.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

int64_t Nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// A folder's times come from the kernel's coarse clock, a tick (a few
// milliseconds) behind the real one, or in whole seconds on a file system that
// keeps no fractions: a change within the same tick, or second, as the last
// one may leave them as they were. Once the real clock is well past both, any
// later change gives a later time. A time ahead of the clock (set by hand, or
// the clock set back) never settles.
bool SettledSinceLastChange(const struct stat& status) {
  timespec now;
  if (clock_gettime(CLOCK_REALTIME, &now) != 0) return false;
  const bool whole_seconds = status.st_mtim.tv_nsec == 0 || status.st_ctim.tv_nsec == 0;
  const int64_t settled = whole_seconds ? 2'000'000'000 : 100'000'000;
  const int64_t latest = std::max(Nanoseconds(status.st_mtim), Nanoseconds(status.st_ctim));
  return Nanoseconds(now) - latest >= settled;
}

class PosixFolderHandle : public FolderHandle {
 public:
  PosixFolderHandle(UniqueFd folder, long name_max)
      : folder_(std::move(folder)), name_max_(name_max), local_(ListsTrueInodes(folder_.fd())) {}

  std::optional<FileIdentity> Identify(const GbkText& name) override {
    if (!IsPlainName(name) || !InternalToUtf8Into(name, from_)) return std::nullopt;
    struct stat status;
    if (fstatat(folder_.fd(), from_.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
      return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
  }

  bool IdentifyAll(const TakeEntries& take) override {
    struct stat folder_status;
    if (fstat(folder_.fd(), &folder_status) != 0) return false;
    UniqueDir dir =
        OpenFolderStream(UniqueFd(::openat(folder_.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
    if (!dir) return false;
    const int listing_fd = dirfd(dir.get());
    const bool listed_inodes = local_;
    const auto device = static_cast<uint64_t>(folder_status.st_dev);
    ListingPieces pieces(take);
    std::string name;  // its buffer kept from entry to entry
    while (const dirent* entry = readdir(dir.get())) {
      const std::string_view utf8 = entry->d_name;
      // A name on disk the internal encoding cannot hold is no name of a plan.
      if (!IsPlainName(utf8) || !Utf8ToInternalInto(utf8, name)) continue;
      FileIdentity identity{device, static_cast<uint64_t>(entry->d_ino)};
      // A folder may be a mount point or a subvolume, whose device and inode
      // only a look-up gives.
      if (!listed_inodes || entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN) {
        struct stat status;
        if (fstatat(listing_fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
        identity = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
      }
      pieces.Add(name, identity);
    }
    pieces.Finish();
    return true;
  }

  std::optional<RenameFailure> CheckName(const GbkText& name) override {
    if (!IsPlainName(name) || !InternalToUtf8Into(name, from_))
      return RenameFailure{RenameReason::Invalid, {}};
    if (name_max_ > 0 && static_cast<long>(from_.size()) > name_max_)
      return RenameFailure{RenameReason::TooLong, {}};
    return std::nullopt;
  }

  std::optional<RenameFailure> RenameNoReplace(const GbkText& from, const GbkText& to) override {
    if (!IsPlainName(from) || !IsPlainName(to) || !InternalToUtf8Into(from, from_) ||
        !InternalToUtf8Into(to, to_))
      return RenameFailure{RenameReason::Invalid, {}};
    if (renameat2(folder_.fd(), from_.c_str(), folder_.fd(), to_.c_str(), RENAME_NOREPLACE) != 0)
      return RenameFailureOf(errno);
    return std::nullopt;
  }

  std::optional<FolderStamp> Stamp() override {
    if (!local_) return std::nullopt;
    struct stat status;
    if (fstat(folder_.fd(), &status) != 0 || !SettledSinceLastChange(status)) return std::nullopt;
    return FolderStamp{{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)},
                       Nanoseconds(status.st_mtim),
                       Nanoseconds(status.st_ctim)};
  }

 private:
  UniqueFd folder_;
  long name_max_;
  bool local_;  // ListsTrueInodes
  // The UTF-8 forms of the names of the last call, their buffers kept from
  // call to call.
  std::string from_, to_;
};

}  // namespace

RenameFailure RenameFailureOf(int error_number) {
  switch (error_number) {
    case EEXIST:
    case ENOTEMPTY:
      return {RenameReason::Exists, {}};
    case ENAMETOOLONG:
      return {RenameReason::TooLong, {}};
    case EACCES:
    case EPERM:
      return {RenameReason::Denied, {}};
    case EROFS:
      return {RenameReason::ReadOnly, {}};
    case ENOENT:
      return {RenameReason::Missing, {}};
    default:
      return {RenameReason::Other, Utf8ToInternalLenient(std::strerror(error_number))};
  }
}

Result<std::unique_ptr<FolderHandle>> PosixFileSystem::OpenFolder(const GbkText& folder) {
  auto path = InternalToUtf8(folder);
  if (!path) return path.error();
  UniqueFd fd(::open(path->empty() ? "." : path->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.ok()) return SystemError("open folder", errno);
  long name_max = fpathconf(fd.fd(), _PC_NAME_MAX);
  return std::unique_ptr<FolderHandle>(
      std::make_unique<PosixFolderHandle>(std::move(fd), name_max));
}

FolderListing PosixFileSystem::ListFolder(const GbkText& folder,
                                          const std::function<void(const GbkText&, bool)>& visit) {
  FolderListing listing;
  auto path = InternalToUtf8(folder);
  if (!path) return listing;
  UniqueDir dir(opendir(path->empty() ? "." : path->c_str()));
  if (!dir) return listing;
  listing.opened = true;
  int folder_fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    auto internal = Utf8ToInternal(name);
    if (!internal) {
      ++listing.unrepresentable;
      continue;
    }
    visit(*internal, IsDirectory(folder_fd, entry));
  }
  return listing;
}

Result<void> PosixFileSystem::WriteFileAtomically(const GbkText& path, std::string_view bytes) {
  auto target = InternalToUtf8(path);
  if (!target) return target.error();
  std::string temporary = *target + ".XXXXXX";
  UniqueFd fd(mkstemp(temporary.data()));
  if (!fd.ok()) return SystemError("create temporary file", errno);
  int error_number = WriteAll(fd.fd(), bytes);
  if (error_number == 0 && fsync(fd.fd()) != 0) error_number = errno;
  if (int closed = fd.Close(); error_number == 0) error_number = closed;
  if (error_number == 0 && fchmodat(AT_FDCWD, temporary.c_str(), 0644, 0) != 0)
    error_number = errno;
  if (error_number == 0 && ::rename(temporary.c_str(), target->c_str()) != 0) error_number = errno;
  if (error_number != 0) {
    ::unlink(temporary.c_str());
    return SystemError("write file", error_number);
  }
  return {};
}

Result<std::string> PosixFileSystem::ReadFile(const GbkText& path, size_t max_bytes) {
  auto source = InternalToUtf8(path);
  if (!source) return source.error();
  UniqueFd fd(::open(source->c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.ok()) return SystemError("open", errno);
  std::string content;
  char buffer[65536];
  while (content.size() < max_bytes) {
    ssize_t got = ::read(fd.fd(), buffer, std::min(sizeof buffer, max_bytes - content.size()));
    if (got < 0) {
      if (errno == EINTR) continue;
      return SystemError("read", errno);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  return content;
}

Result<int64_t> PosixFileSystem::LastWriteTime(const GbkText& path) {
  auto target = InternalToUtf8(path);
  if (!target) return target.error();
  struct stat status;
  if (::stat(target->c_str(), &status) != 0) return SystemError("stat", errno);
  // Nanoseconds reach from 1677 to 2262; a time outside sorts at that end.
  constexpr int64_t kBillion = 1'000'000'000;
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / kBillion - 1;
  int64_t seconds = std::clamp<int64_t>(status.st_mtim.tv_sec, -kLimit, kLimit);
  return seconds * kBillion + status.st_mtim.tv_nsec;
}

GbkText PosixFileSystem::ProgramFolder() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return GbkText(".");
  std::string path(buffer, static_cast<size_t>(length));
  path.erase(path.find_last_of('/') == 0 ? 1 : path.find_last_of('/'));
  auto internal = Utf8ToInternal(path);
  return internal ? *internal : GbkText(".");
}

GbkText PosixFileSystem::DocumentsFolder() {
  if (documents_folder_.empty()) return {};
  auto path = InternalToUtf8(documents_folder_);
  if (!path) return {};
  // Only the last level: a home folder that is missing is not ours to make.
  if (::mkdir(path->c_str(), 0755) != 0 && errno != EEXIST) return {};
  return documents_folder_;
}

}  // namespace qm
