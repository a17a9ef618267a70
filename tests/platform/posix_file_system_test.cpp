#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "fakes/scratch_folder.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// Longer than the coarse clock's tick and the settling time a stamp waits for.
void LetTheClockPass() { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }

std::optional<FolderStamp> StampOf(PosixFileSystem& files, const ScratchFolder& folder) {
  auto handle = files.OpenFolder(folder.Path());
  if (!handle.ok()) return std::nullopt;
  return (*handle)->Stamp();
}

// Every change of a folder's entries gives it another stamp, so a check made
// under one stamp is known to be out of date under another.
TEST(FolderStamp, ChangesWithEveryChangeOfTheEntries) {
  ScratchFolder folder;
  folder.Add("a");
  folder.Add("b");
  PosixFileSystem files;
  const std::string path = folder.Path();
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"added", [&] { folder.Add("c"); }},
      {"renamed", [&] { fs::rename(path + "c", path + "d"); }},
      {"replaced by a rename over it",
       [&] {
         std::ofstream(folder.Root() + "/new") << "new";
         fs::rename(folder.Root() + "/new", path + "a");
       }},
      {"removed", [&] { fs::remove(path + "d"); }},
  };
  LetTheClockPass();
  std::optional<FolderStamp> before = StampOf(files, folder);
  ASSERT_TRUE(before.has_value());
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    change();
    LetTheClockPass();
    std::optional<FolderStamp> after = StampOf(files, folder);
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(*after, *before);
    before = after;
  }
  // A file written in place is the same entry: the stamp stays.
  std::ofstream(path + "b", std::ios::app) << "more";
  EXPECT_EQ(StampOf(files, folder), before);
}

// Times that could still be met by the next change give no stamp: a time
// ahead of the clock, or a whole second (a file system without fractions)
// younger than two seconds.
TEST(FolderStamp, NoneWhileTheNextChangeCouldKeepTheTimes) {
  ScratchFolder folder;
  PosixFileSystem files;
  const std::string path = folder.Path();
  auto set_modified = [&path](timespec time) {
    const timespec times[2] = {{0, UTIME_OMIT}, time};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  };
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  set_modified({now.tv_sec + 60, now.tv_nsec});
  LetTheClockPass();
  EXPECT_FALSE(StampOf(files, folder).has_value()) << "ahead of the clock";
  set_modified({now.tv_sec - 1, 0});
  LetTheClockPass();
  EXPECT_FALSE(StampOf(files, folder).has_value()) << "a whole second";
}

}  // namespace
}  // namespace qm
