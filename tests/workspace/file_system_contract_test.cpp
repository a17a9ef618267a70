#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "fakes/fake_file_system.h"
#include "platform/encoding.h"
#include "platform/posix_file_system.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

// The folder listing the scans are built on, held to the same contract by the
// fake and the real file system.

class FakeWorld {
 public:
  FakeWorld() { files_.AddFolder(root_); }
  GbkText Root() const { return root_; }
  void AddFile(const GbkText& name) { files_.AddFile(root_ + "/" + name); }
  void AddFolder(const GbkText& name) { files_.AddFolder(root_ + "/" + name); }
  void AddUnrepresentableName() { ++files_.unrepresentable_names; }
  void SetTime(const GbkText& name, int64_t nanoseconds) {
    files_.SetLastWriteTime(root_ + "/" + name, nanoseconds);
  }
  FileSystem& files() { return files_; }

 private:
  GbkText root_ = "/contract";
  FakeFileSystem files_;
};

class PosixWorld {
 public:
  PosixWorld() {
    char pattern[] = "/tmp/qm_contract_XXXXXX";
    root_ = mkdtemp(pattern);
  }
  ~PosixWorld() { std::filesystem::remove_all(root_); }
  GbkText Root() const { return Utf8ToInternal(root_).value(); }
  void AddFile(const GbkText& name) { Touch(root_ + "/" + InternalToUtf8(name).value()); }
  void AddFolder(const GbkText& name) {
    ::mkdir((root_ + "/" + InternalToUtf8(name).value()).c_str(), 0755);
  }
  void AddUnrepresentableName() { Touch(root_ + "/bad\xFF\xFEname.txt"); }
  void SetTime(const GbkText& name, int64_t nanoseconds) {
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(nanoseconds / 1'000'000'000);
    times[0].tv_nsec = times[1].tv_nsec = static_cast<long>(nanoseconds % 1'000'000'000);
    ::utimensat(AT_FDCWD, (root_ + "/" + InternalToUtf8(name).value()).c_str(), times, 0);
  }
  FileSystem& files() { return files_; }

 private:
  static void Touch(const std::string& path) {
    int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0) ::close(fd);
  }
  std::string root_;
  PosixFileSystem files_;
};

template <class World>
class FolderListingContract : public ::testing::Test {
 protected:
  World world;
};

using Worlds = ::testing::Types<FakeWorld, PosixWorld>;
TYPED_TEST_SUITE(FolderListingContract, Worlds);

TYPED_TEST(FolderListingContract, ListsDirectEntriesWithKindHiddenIncluded) {
  auto& world = this->world;
  world.AddFile("a.txt");
  world.AddFile(".hidden");
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFolder("sub");
  world.AddFile("sub/inner.txt");
  world.AddUnrepresentableName();

  for (const GbkText& folder : {world.Root(), world.Root() + "/"}) {
    SCOPED_TRACE(folder);
    std::map<GbkText, bool> seen;
    FolderListing listing = world.files().ListFolder(
        folder, [&](const GbkText& name, bool is_directory) { seen[name] = is_directory; });
    EXPECT_TRUE(listing.opened);
    EXPECT_EQ(listing.unrepresentable, 1);
    EXPECT_EQ(seen,
              (std::map<GbkText, bool>{
                  {".hidden", false}, {"a.txt", false}, {Gbk("第1课.mp4"), false}, {"sub", true}}));
  }
}

TYPED_TEST(FolderListingContract, MissingFolderOpensNothing) {
  int visits = 0;
  FolderListing listing = this->world.files().ListFolder(this->world.Root() + "/missing",
                                                         [&](const GbkText&, bool) { ++visits; });
  EXPECT_FALSE(listing.opened);
  EXPECT_EQ(visits, 0);
}

TYPED_TEST(FolderListingContract, LastWriteTimeOfFilesAndFoldersFailsForMissingOnes) {
  auto& world = this->world;
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFolder("sub");
  const int64_t noon = 1'700'000'000'123'456'789;
  world.SetTime(Gbk("第1课.mp4"), noon);
  world.SetTime("sub", noon - 1'000'000'000);
  auto file_time = world.files().LastWriteTime(world.Root() + "/" + Gbk("第1课.mp4"));
  ASSERT_TRUE(file_time.ok());
  EXPECT_EQ(*file_time, noon);
  auto folder_time = world.files().LastWriteTime(world.Root() + "/sub");
  ASSERT_TRUE(folder_time.ok());
  EXPECT_EQ(*folder_time, noon - 1'000'000'000);
  EXPECT_FALSE(world.files().LastWriteTime(world.Root() + "/missing").ok());
}

}  // namespace
}  // namespace qm
