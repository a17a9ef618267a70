#include "fakes/faulty_file_system.h"

#include <cstring>
#include <string>

#include "platform/posix/posix_file_system.h"

namespace qm {
namespace {

Error FaultError(const char* what, int error) {
  return Error{std::string(what) + ": " + std::strerror(error)};
}

class FaultyFolder : public FolderHandle {
 public:
  FaultyFolder(std::unique_ptr<FolderHandle> inner, FaultCounter& counter)
      : inner_(std::move(inner)), counter_(counter) {}
  std::optional<FileIdentity> Identify(const GbkText& name) override {
    return inner_->Identify(name);
  }
  bool IdentifyAll(const TakeEntries& take) override { return inner_->IdentifyAll(take); }
  std::optional<RenameFailure> CheckName(const GbkText& name) override {
    return inner_->CheckName(name);
  }
  std::optional<RenameFailure> RenameNoReplace(const GbkText& from, const GbkText& to) override {
    if (int error = counter_.Count({FaultPoint::Rename, from, to})) return RenameFailureOf(error);
    return inner_->RenameNoReplace(from, to);
  }
  std::optional<FolderStamp> Stamp() override { return inner_->Stamp(); }

 private:
  std::unique_ptr<FolderHandle> inner_;
  FaultCounter& counter_;
};

class FaultyWriter : public JournalWriter {
 public:
  FaultyWriter(std::unique_ptr<JournalWriter> inner, FaultCounter& counter)
      : inner_(std::move(inner)), counter_(counter) {}
  const std::string& Id() const override { return inner_->Id(); }
  Result<void> Append(std::string_view bytes, bool sync) override {
    if (int error = counter_.Count({FaultPoint::JournalAppend, GbkText(Id()), {}}))
      return FaultError("append", error);
    return inner_->Append(bytes, sync);
  }

 private:
  std::unique_ptr<JournalWriter> inner_;
  FaultCounter& counter_;
};

Result<std::unique_ptr<JournalWriter>> Wrapped(Result<std::unique_ptr<JournalWriter>> writer,
                                               FaultCounter& counter) {
  if (!writer) return writer.error();
  return std::unique_ptr<JournalWriter>(
      std::make_unique<FaultyWriter>(std::move(writer).value(), counter));
}

}  // namespace

int FaultCounter::Count(const FaultCall& call) {
  log_.push_back(call);
  const FaultPoint point = call.point;
  const int nth_here = ++calls_[static_cast<size_t>(point)];
  const int nth_any = ++calls_[static_cast<size_t>(FaultPoint::Any)];
  for (const Fault& fault : faults_) {
    const bool strikes = fault.point == FaultPoint::Any
                             ? fault.nth == nth_any
                             : fault.point == point && fault.nth == nth_here;
    if (!strikes) continue;
    if (!fault.instead) return fault.error;
    fault.instead(call);
  }
  return 0;
}

Result<std::unique_ptr<FolderHandle>> FaultyFileSystem::OpenFolder(const GbkText& folder) {
  auto handle = inner_.OpenFolder(folder);
  if (!handle) return handle.error();
  return std::unique_ptr<FolderHandle>(
      std::make_unique<FaultyFolder>(std::move(handle).value(), counter_));
}

Result<void> FaultyFileSystem::Change(FaultPoint point, const GbkText& path,
                                      const std::function<Result<void>()>& change) {
  if (int error = counter_.Count({point, path, {}})) return FaultError(path.c_str(), error);
  return change();
}

Result<void> FaultyFileSystem::WriteFileAtomically(const GbkText& path, std::string_view bytes) {
  return Change(FaultPoint::WriteFile, path,
                [&] { return inner_.WriteFileAtomically(path, bytes); });
}

Result<void> FaultyFileSystem::CreateFolder(const GbkText& path) {
  return Change(FaultPoint::CreateFolder, path, [&] { return inner_.CreateFolder(path); });
}

Result<void> FaultyFileSystem::CreateNewFile(const GbkText& path, std::string_view bytes) {
  return Change(FaultPoint::CreateFile, path, [&] { return inner_.CreateNewFile(path, bytes); });
}

Result<void> FaultyFileSystem::RemoveFile(const GbkText& path) {
  return Change(FaultPoint::RemoveFile, path, [&] { return inner_.RemoveFile(path); });
}

Result<void> FaultyFileSystem::RemoveFolderTree(const GbkText& path) {
  return Change(FaultPoint::RemoveFolderTree, path, [&] { return inner_.RemoveFolderTree(path); });
}

Result<void> FaultyFileSystem::MoveToTrash(const GbkText& path) {
  return Change(FaultPoint::MoveToTrash, path, [&] { return inner_.MoveToTrash(path); });
}

Result<std::unique_ptr<JournalWriter>> FaultyJournalStore::Create() {
  return Wrapped(inner_.Create(), counter_);
}

Result<std::unique_ptr<JournalWriter>> FaultyJournalStore::Reopen(const std::string& id) {
  return Wrapped(inner_.Reopen(id), counter_);
}

}  // namespace qm
