#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "base/result.h"

namespace qm {

struct FolderListing {
  bool opened = false;      // false: the folder does not exist or cannot be read
  int unrepresentable = 0;  // names on disk the internal encoding cannot hold, left out
};

// Which file a name stood for when it was read: a name that now holds another
// file (deleted and recreated, replaced) has another identity.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// When a folder's entries last changed, and which folder it is. Two equal
// stamps taken at two moments mean that no entry was added, removed, renamed
// or replaced in between: each of those changes the folder's times.
struct FolderStamp {
  FileIdentity folder;
  int64_t modified_ns = 0;
  int64_t changed_ns = 0;
  friend bool operator==(const FolderStamp&, const FolderStamp&) = default;
};

// Why one rename could not be done, as the user is told.
enum class RenameReason {
  Exists,    // the new name is taken
  TooLong,   // the new name is longer than the file system allows
  Denied,    // no permission to change the folder
  ReadOnly,  // the file system is mounted read-only
  Missing,   // the source is gone
  Changed,   // the source name now holds another file
  Invalid,   // not a name in this folder: empty, ".", "..", holds the separator
  Other,     // any other system error; system_text says which
  // Decided by a rename plan, never by the system:
  Duplicate,   // an earlier entry of the same run has this source or this new name
  SwapUndone,  // one of a ring of renames failed, so the ring was put back
};

struct RenameFailure {
  RenameReason reason = RenameReason::Other;
  // The system's own words (in the user's language once the locale is set),
  // for RenameReason::Other.
  GbkText system_text;
};

// A piece of a folder's listing: entries with the files they name, as one
// pass over the folder reads them. The names (in the internal encoding) sit
// end to end in large blocks, so a piece of thousands of entries costs a few
// allocations and holds no string of its own; an entry's name stays where it
// is as the piece grows.
class FolderEntries {
 public:
  // Pieces a folder handle hands over hold at most this many entries.
  static constexpr size_t kPiece = 4096;

  void Add(std::string_view name, const FileIdentity& identity);
  size_t size() const { return entries_.size(); }
  std::string_view NameAt(size_t i) const { return {entries_[i].name, entries_[i].size}; }
  const FileIdentity& IdentityAt(size_t i) const { return entries_[i].identity; }

 private:
  struct Entry {
    const char* name;
    uint32_t size;
    FileIdentity identity;
  };
  static constexpr size_t kBlock = 64 * 1024;  // name bytes per block

  std::vector<Entry> entries_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t block_size_ = 0;  // of the newest block
  size_t block_used_ = 0;
};

// Receives a folder's listing piece by piece (FolderHandle::IdentifyAll).
using TakeEntries = std::function<void(FolderEntries piece)>;

// Gathers a listing's entries and hands them on, a full piece at a time.
class ListingPieces {
 public:
  explicit ListingPieces(const TakeEntries& take) : take_(take) {}
  void Add(std::string_view name, const FileIdentity& identity);
  // Hands on the last piece, when it holds any entry.
  void Finish();

 private:
  const TakeEntries& take_;
  FolderEntries piece_;
};

// One folder, opened once for a whole run: every name is relative to it, so a
// folder renamed or replaced mid-run cannot redirect the rest of the run.
class FolderHandle {
 public:
  virtual ~FolderHandle() = default;
  // The identity of the entry called name; nullopt when there is none.
  virtual std::optional<FileIdentity> Identify(const GbkText& name) = 0;
  // Every entry with its identity, read in one pass over the folder: cheaper
  // than one look-up per name for a large plan. Each identity is the one
  // Identify gives for that name. The entries go to `take` in pieces of at
  // most FolderEntries::kPiece as the pass goes, so that a caller can use the
  // first ones while the rest are read. False when the folder cannot be read.
  // It may run on a thread of its own while the thread that opened the
  // handle goes on, calling CheckName or the file system's other functions:
  // it shares no state with them.
  virtual bool IdentifyAll(const TakeEntries& take) = 0;
  // Why name cannot be an entry's name here (Invalid, TooLong); nullopt when it can.
  virtual std::optional<RenameFailure> CheckName(const GbkText& name) = 0;
  // Renames from to to within the folder; never overwrites.
  virtual std::optional<RenameFailure> RenameNoReplace(const GbkText& from, const GbkText& to) = 0;
  // The folder's stamp now; nullopt when a later change might leave it the
  // same (times that are coarse or come from another machine's clock, a change
  // too recent to tell apart from the next one). nullopt means: look again.
  virtual std::optional<FolderStamp> Stamp() { return std::nullopt; }
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

  // Opens folder for a run of renames; the error says why it cannot be opened.
  virtual Result<std::unique_ptr<FolderHandle>> OpenFolder(const GbkText& folder) = 0;

  // Replaces path with bytes as one step: a failure leaves any old file whole.
  virtual Result<void> WriteFileAtomically(const GbkText& path, std::string_view bytes) = 0;

  // The file's bytes, at most max_bytes of them: a caller that asks for one
  // more than it takes can tell a file too large without holding it whole.
  virtual Result<std::string> ReadFile(const GbkText& path, size_t max_bytes) = 0;

  // The last-write time of path in nanoseconds since 1970 (UTC).
  virtual Result<int64_t> LastWriteTime(const GbkText& path) = 0;
  // True when path is an existing folder (or a symbolic link to one).
  virtual bool IsFolder(const GbkText& path) = 0;
  // Creates one folder; fails when anything of that name exists.
  virtual Result<void> CreateFolder(const GbkText& path) = 0;
  // Creates a file holding bytes; fails, leaving it untouched, when anything of that name exists.
  virtual Result<void> CreateNewFile(const GbkText& path, std::string_view bytes) = 0;
  // Deletes one file or symbolic link for good; fails on a folder.
  virtual Result<void> RemoveFile(const GbkText& path) = 0;
  // Deletes a folder with everything below it for good. Symbolic links are
  // removed, never followed; a link given as path is removed itself.
  virtual Result<void> RemoveFolderTree(const GbkText& path) = 0;
  // Moves a file or folder to the trash of its file system, where the file
  // manager can restore it; on failure it stays where it was.
  virtual Result<void> MoveToTrash(const GbkText& path) = 0;

  // The folder of the running executable, without a trailing separator.
  virtual GbkText ProgramFolder() = 0;

  // The user's documents folder, without a trailing separator, created when
  // missing; empty when the user has none.
  virtual GbkText DocumentsFolder() = 0;
};

}  // namespace qm
