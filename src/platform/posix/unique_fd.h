#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

namespace qm {

// An open file descriptor, closed when it goes. Every early return of the
// POSIX code then closes what it opened, and a descriptor handed on (to
// fdopendir, to an object that keeps it) is given away by Release.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.Release();
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }

  int fd() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

  // The descriptor, no longer closed here.
  int Release() { return std::exchange(fd_, -1); }

  // Closes now; 0 or the errno. A file written through the descriptor may
  // report its write error only here, so a writer must not leave it to the
  // destructor.
  int Close() {
    if (fd_ < 0) return 0;
    return ::close(Release()) == 0 ? 0 : errno;
  }

 private:
  int fd_ = -1;
};

// A folder stream, closed when it goes, with the descriptor it reads.
struct CloseDir {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, CloseDir>;

// A stream over an open folder. The stream takes the descriptor over; when no
// stream can be made, the descriptor is closed all the same and errno says why.
inline UniqueDir OpenFolderStream(UniqueFd folder) {
  UniqueDir dir(::fdopendir(folder.fd()));
  if (dir) {
    folder.Release();
    return dir;
  }
  const int error_number = errno;  // fdopendir's reason, not the close's
  folder.Close();
  errno = error_number;
  return dir;
}

}  // namespace qm
