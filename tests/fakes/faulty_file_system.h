#pragma once

#include <array>
#include <cerrno>
#include <functional>
#include <optional>
#include <vector>

#include "platform/file_system.h"
#include "platform/journal_store.h"

namespace qm {

// The calls that change something on disk, as a fault can strike them.
enum class FaultPoint {
  Rename,
  JournalAppend,
  WriteFile,
  CreateFolder,
  CreateFile,
  RemoveFile,
  RemoveFolderTree,
  MoveToTrash,
  Any,  // counts every call above, in the order they come
};

// One changing call as it comes: a rename's names relative to its folder,
// another call's path in `from`.
struct FaultCall {
  FaultPoint point = FaultPoint::Any;
  GbkText from;
  GbkText to;
};

struct Fault {
  FaultPoint point = FaultPoint::Any;
  int nth = 1;      // the call it strikes, counted from 1 at its point
  int error = EIO;  // what that call reports, unless `instead` is set
  // Runs in place of the failure, right before the call goes through: a
  // crash trial stops the process here, a fault matrix changes the folder
  // under the job's feet.
  std::function<void(const FaultCall&)> instead;
};

// Counts the calls of the faulty file system and journal store that share it
// and says which call fails.
class FaultCounter {
 public:
  void Inject(Fault fault) { faults_.push_back(std::move(fault)); }
  // Counts one call; the error it must report, or 0 when it goes through.
  int Count(const FaultCall& call);
  int Calls(FaultPoint point) const { return calls_[static_cast<size_t>(point)]; }
  // Every call counted, in order.
  const std::vector<FaultCall>& Log() const { return log_; }

 private:
  std::array<int, static_cast<size_t>(FaultPoint::Any) + 1> calls_{};
  std::vector<Fault> faults_;
  std::vector<FaultCall> log_;
};

// A file system over another (real or fake) whose changing calls can fail
// or stop the process at a chosen call. Reading calls always go through.
class FaultyFileSystem : public FileSystem {
 public:
  FaultyFileSystem(FileSystem& inner, FaultCounter& counter) : inner_(inner), counter_(counter) {}

  FolderListing ListFolder(
      const GbkText& folder,
      const std::function<void(const GbkText& name, bool is_directory)>& visit) override {
    return inner_.ListFolder(folder, visit);
  }
  Result<std::unique_ptr<FolderHandle>> OpenFolder(const GbkText& folder) override;
  Result<void> WriteFileAtomically(const GbkText& path, std::string_view bytes) override;
  Result<std::string> ReadFile(const GbkText& path, size_t max_bytes) override {
    return inner_.ReadFile(path, max_bytes);
  }
  Result<int64_t> LastWriteTime(const GbkText& path) override { return inner_.LastWriteTime(path); }
  bool IsFolder(const GbkText& path) override { return inner_.IsFolder(path); }
  Result<void> CreateFolder(const GbkText& path) override;
  Result<void> CreateNewFile(const GbkText& path, std::string_view bytes) override;
  Result<void> RemoveFile(const GbkText& path) override;
  Result<void> RemoveFolderTree(const GbkText& path) override;
  Result<void> MoveToTrash(const GbkText& path) override;
  GbkText ProgramFolder() override {
    return program_folder ? *program_folder : inner_.ProgramFolder();
  }
  GbkText DocumentsFolder() override {
    return documents_folder ? *documents_folder : inner_.DocumentsFolder();
  }

  // Where a test wants the program and the documents to be.
  std::optional<GbkText> program_folder;
  std::optional<GbkText> documents_folder;

 private:
  // A changing call: counted, and failed or let through as the faults say.
  Result<void> Change(FaultPoint point, const GbkText& path,
                      const std::function<Result<void>()>& change);

  FileSystem& inner_;
  FaultCounter& counter_;
};

// A journal store over another whose appends count as changing calls.
class FaultyJournalStore : public JournalStore {
 public:
  FaultyJournalStore(JournalStore& inner, FaultCounter& counter)
      : inner_(inner), counter_(counter) {}

  Result<std::unique_ptr<JournalWriter>> Create() override;
  Result<std::unique_ptr<JournalWriter>> Reopen(const std::string& id) override;
  std::vector<std::string> List() override { return inner_.List(); }
  Result<std::string> Read(const std::string& id, size_t tail_bytes) override {
    return inner_.Read(id, tail_bytes);
  }
  Result<uint64_t> Size(const std::string& id) override { return inner_.Size(id); }
  void SetAside(const std::string& id) override { inner_.SetAside(id); }
  void Remove(const std::string& id) override { inner_.Remove(id); }

 private:
  JournalStore& inner_;
  FaultCounter& counter_;
};

}  // namespace qm
