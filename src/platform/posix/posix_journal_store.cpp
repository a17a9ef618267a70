#include "platform/posix/posix_journal_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/free_aside.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/unique_fd.h"

namespace qm {
namespace {

// A journal on its way out: no longer listed, its unlink still to come.
constexpr std::string_view kRemovedSuffix = ".removed";

// Ids are made here: digits and dashes, so an id can never reach outside the folder.
bool IsJournalId(std::string_view id) {
  return !id.empty() && std::all_of(id.begin(), id.end(),
                                    [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
}

Result<void> MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      return SystemError("create " + part, errno);
    }
    if (slash == std::string::npos) return {};
  }
}

class PosixJournalWriter : public JournalWriter {
 public:
  PosixJournalWriter(UniqueFd fd, std::string id) : fd_(std::move(fd)), id_(std::move(id)) {}
  const std::string& Id() const override { return id_; }

  Result<void> Append(std::string_view bytes, bool sync) override {
    if (int error_number = WriteAll(fd_.fd(), bytes))
      return SystemError("write journal", error_number);
    if (sync && ::fdatasync(fd_.fd()) != 0) return SystemError("sync journal", errno);
    return {};
  }

 private:
  UniqueFd fd_;
  std::string id_;
};

}  // namespace

std::string PosixJournalStore::DefaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/quillmere";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/state/quillmere";
}

Result<std::unique_ptr<JournalWriter>> PosixJournalStore::Create() {
  if (auto made = MakeFolders(folder_); !made.ok()) return made.error();
  auto now = std::chrono::system_clock::now().time_since_epoch();
  char id[64];
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::snprintf(id, sizeof id, "%020lld-%d-%d",
                  static_cast<long long>(std::chrono::nanoseconds(now).count()),
                  static_cast<int>(::getpid()), attempt);
    std::string path = PathOf(id);
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
    if (!fd.ok() && errno == EEXIST) continue;
    if (!fd.ok()) return SystemError("create " + path, errno);
    ::flock(fd.fd(), LOCK_EX | LOCK_NB);
    // The new name must survive a power loss as well as the bytes in it.
    if (UniqueFd folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); folder.ok())
      ::fsync(folder.fd());
    return std::unique_ptr<JournalWriter>(std::make_unique<PosixJournalWriter>(std::move(fd), id));
  }
  return Error{"create journal: no free name"};
}

Result<std::unique_ptr<JournalWriter>> PosixJournalStore::Reopen(const std::string& id) {
  if (!IsJournalId(id)) return Error{"not a journal: " + id};
  UniqueFd fd(::open(PathOf(id).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  if (!fd.ok()) return SystemError("open " + PathOf(id), errno);
  ::flock(fd.fd(), LOCK_EX | LOCK_NB);
  return std::unique_ptr<JournalWriter>(std::make_unique<PosixJournalWriter>(std::move(fd), id));
}

std::vector<std::string> PosixJournalStore::List() {
  std::vector<std::string> ids;
  UniqueDir dir(::opendir(folder_.c_str()));
  if (!dir) return ids;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string_view name = entry->d_name;
    // Removed by a program that ended before it could unlink it.
    if (name.ends_with(kRemovedSuffix)) {
      ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
      continue;
    }
    constexpr std::string_view kSuffix = ".journal";
    if (name.size() <= kSuffix.size() || name.substr(name.size() - kSuffix.size()) != kSuffix)
      continue;
    std::string id(name.substr(0, name.size() - kSuffix.size()));
    if (!IsJournalId(id)) continue;
    // Held by a program that is still writing it: not ours to read back.
    UniqueFd fd(::open(PathOf(id).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.ok() && ::flock(fd.fd(), LOCK_SH | LOCK_NB) == 0) ids.push_back(std::move(id));
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

namespace {

// The last `tail_bytes` of the journal open as fd, with `between` (when
// given) called after each megabyte.
Result<std::string> ReadJournal(int fd, const std::string& path, size_t tail_bytes,
                                const std::function<void()>& between) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return SystemError("stat " + path, errno);
  const auto size = static_cast<size_t>(status.st_size);
  const size_t from = size > tail_bytes ? size - tail_bytes : 0;
  std::string bytes;
  bytes.reserve(size - from);
  char buffer[65536];
  size_t since_between = 0;
  for (off_t at = static_cast<off_t>(from);;) {
    ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return SystemError("read " + path, errno);
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    at += got;
    since_between += static_cast<size_t>(got);
    if (between && since_between >= (1u << 20)) {
      between();
      since_between = 0;
    }
  }
  return bytes;
}

}  // namespace

Result<std::string> PosixJournalStore::Read(const std::string& id, size_t tail_bytes) {
  if (!IsJournalId(id)) return Error{"not a journal: " + id};
  UniqueFd fd(::open(PathOf(id).c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.ok()) return SystemError("open " + PathOf(id), errno);
  return ReadJournal(fd.fd(), PathOf(id), tail_bytes, {});
}

Result<std::string> PosixJournalStore::ReadPaced(const std::string& id,
                                                 const std::function<void()>& between) {
  if (!IsJournalId(id)) return Error{"not a journal: " + id};
  UniqueFd fd(::open(PathOf(id).c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.ok()) return SystemError("open " + PathOf(id), errno);
  return ReadJournal(fd.fd(), PathOf(id), SIZE_MAX, between);
}

Result<uint64_t> PosixJournalStore::Size(const std::string& id) {
  if (!IsJournalId(id)) return Error{"not a journal: " + id};
  struct stat status {};
  if (::stat(PathOf(id).c_str(), &status) != 0) return SystemError("stat " + PathOf(id), errno);
  return static_cast<uint64_t>(status.st_size);
}

void PosixJournalStore::SetAside(const std::string& id) {
  if (IsJournalId(id)) ::rename(PathOf(id).c_str(), (PathOf(id) + ".damaged").c_str());
}

void PosixJournalStore::Remove(const std::string& id) {
  if (!IsJournalId(id)) return;
  // Out of the list at once; the unlink, which gives back every block of a
  // journal of a million entries, is done beside the window's thread.
  std::string removed = PathOf(id).append(kRemovedSuffix);
  if (::rename(PathOf(id).c_str(), removed.c_str()) != 0) return;
  RunAside([removed = std::move(removed)] { ::unlink(removed.c_str()); });
}

}  // namespace qm
