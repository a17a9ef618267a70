#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/encoding.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// Every call of the real file system and journal store closes what it opened,
// on the way that succeeds and on each way out that fails: a program that
// renames folder after folder all day must not run out of descriptors.
TEST(PosixDescriptors, EveryCallClosesWhatItOpenedWhetherItSucceedsOrFails) {
  std::string pattern = (fs::temp_directory_path() / "qm_fds_XXXXXX").string();
  const fs::path root = ::mkdtemp(pattern.data());
  fs::create_directories(root / "data");
  fs::create_directories(root / "tree/inner");
  std::ofstream(root / "tree/inner/a.txt") << "a";
  std::ofstream(root / "a.txt") << "a";
  std::ofstream(root / "b.txt") << "b";
  const std::string old_data_home = ::getenv("XDG_DATA_HOME") ? ::getenv("XDG_DATA_HOME") : "";
  ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  auto at = [&](const std::string& name) { return Utf8ToInternal((root / name).string()).value(); };
  PosixFileSystem files;
  PosixJournalStore journals((root / "journals").string());

  const struct {
    const char* name;
    std::function<void()> call;
  } calls[] = {
      {"folder handle",
       [&] {
         auto folder = files.OpenFolder(at(""));
         ASSERT_TRUE(folder.ok());
         EXPECT_TRUE((*folder)->IdentifyAll([](FolderEntries) {}));
         EXPECT_TRUE((*folder)->RenameNoReplace("a.txt", "b.txt").has_value());  // taken
       }},
      {"missing folder", [&] { EXPECT_FALSE(files.OpenFolder(at("missing")).ok()); }},
      {"listing", [&] { EXPECT_TRUE(files.ListFolder(at(""), [](auto&, bool) {}).opened); }},
      {"atomic write", [&] { EXPECT_TRUE(files.WriteFileAtomically(at("w.txt"), "w").ok()); }},
      {"atomic write into a missing folder",
       [&] { EXPECT_FALSE(files.WriteFileAtomically(at("missing/w.txt"), "w").ok()); }},
      {"read", [&] { EXPECT_TRUE(files.ReadFile(at("a.txt"), 100).ok()); }},
      {"read of a folder", [&] { EXPECT_FALSE(files.ReadFile(at("tree"), 100).ok()); }},
      {"new file", [&] { EXPECT_TRUE(files.CreateNewFile(at("new.txt"), "n").ok()); }},
      {"new file over an old one",
       [&] { EXPECT_FALSE(files.CreateNewFile(at("a.txt"), "n").ok()); }},
      {"trash", [&] { EXPECT_TRUE(files.MoveToTrash(at("new.txt")).ok()); }},
      {"trash of a missing file", [&] { EXPECT_FALSE(files.MoveToTrash(at("missing")).ok()); }},
      {"folder tree", [&] { EXPECT_TRUE(files.RemoveFolderTree(at("tree")).ok()); }},
      {"missing folder tree", [&] { EXPECT_FALSE(files.RemoveFolderTree(at("tree")).ok()); }},
      {"journal",
       [&] {
         auto writer = journals.Create();
         ASSERT_TRUE(writer.ok());
         EXPECT_TRUE((*writer)->Append("x", true).ok());
         const std::string id = (*writer)->Id();
         writer = Error{"closed"};
         writer = journals.Reopen(id);
         EXPECT_TRUE(writer.ok());
         EXPECT_TRUE(journals.List().empty());  // still held by the writer
         writer = Error{"closed"};
         EXPECT_EQ(journals.List().size(), 1u);
         EXPECT_EQ(journals.Read(id, SIZE_MAX).value(), "x");
         EXPECT_FALSE(journals.Read("123", SIZE_MAX).ok());
         EXPECT_FALSE(journals.Reopen("123").ok());
       }},
  };
  // The first conversion may load the converters; they stay loaded.
  ASSERT_TRUE(InternalToUtf8(at("a.txt")).ok());
  for (const auto& call : calls) {
    SCOPED_TRACE(call.name);
    const int before = OpenDescriptors();
    call.call();
    EXPECT_EQ(OpenDescriptors(), before);
  }

  if (old_data_home.empty()) {
    ::unsetenv("XDG_DATA_HOME");
  } else {
    ::setenv("XDG_DATA_HOME", old_data_home.c_str(), 1);
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace qm
