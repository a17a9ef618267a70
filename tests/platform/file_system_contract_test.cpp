#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

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
  void AddFile(const GbkText& name, std::string content = {}) {
    files_.AddFile(root_ + "/" + name, std::move(content));
  }
  void AddFolder(const GbkText& name) { files_.AddFolder(root_ + "/" + name); }
  void AddUnrepresentableName() { ++files_.unrepresentable_names; }
  void SetTime(const GbkText& name, int64_t nanoseconds) {
    files_.SetLastWriteTime(root_ + "/" + name, nanoseconds);
  }
  bool Exists(const GbkText& name) const { return files_.Exists(root_ + "/" + name); }
  std::string Content(const GbkText& name) const { return files_.Content(root_ + "/" + name); }
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
  ~PosixWorld() {
    std::filesystem::remove_all(root_);
    if (!trash_set_) return;
    if (data_home_) {
      ::setenv("XDG_DATA_HOME", data_home_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }
  GbkText Root() const { return Utf8ToInternal(root_).value(); }
  void AddFile(const GbkText& name, std::string content = {}) {
    std::ofstream(Native(name), std::ios::binary) << content;
  }
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
  bool Exists(const GbkText& name) const {
    return std::filesystem::exists(std::filesystem::symlink_status(Native(name)));
  }
  std::string Content(const GbkText& name) const {
    std::ifstream in(Native(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  FileSystem& files() {
    // The trash of these tests lives beside the root folder, not in the user's home.
    if (!trash_set_) {
      const char* old = ::getenv("XDG_DATA_HOME");
      if (old != nullptr) data_home_ = old;
      ::setenv("XDG_DATA_HOME", (root_ + "/.data").c_str(), 1);
      trash_set_ = true;
    }
    return files_;
  }

 private:
  std::string Native(const GbkText& name) const {
    return root_ + "/" + InternalToUtf8(name).value();
  }
  static void Touch(const std::string& path) {
    int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0) ::close(fd);
  }
  std::string root_;
  PosixFileSystem files_;
  bool trash_set_ = false;
  std::optional<std::string> data_home_;
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
  world.AddFile(Gbk("\xEE\x9E\x8D.txt"));  // U+E78D, which glibc's GB18030 lacks
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
    EXPECT_EQ(seen, (std::map<GbkText, bool>{{".hidden", false},
                                             {"a.txt", false},
                                             {Gbk("第1课.mp4"), false},
                                             {Gbk("\xEE\x9E\x8D.txt"), false},
                                             {"sub", true}}));
  }
}

// A large plan takes its identities from one read of the folder, a small one
// from a look-up per name; both must name the same files.
TYPED_TEST(FolderListingContract, TheFolderReadIdentifiesEachEntryAsItsLookUpDoes) {
  auto& world = this->world;
  world.AddFile("a.txt");
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFolder("sub");
  world.AddUnrepresentableName();
  auto handle = world.files().OpenFolder(world.Root());
  ASSERT_TRUE(handle.ok());
  auto all = (*handle)->IdentifyAll({});
  ASSERT_TRUE(all.has_value());
  std::map<GbkText, FileIdentity> seen;
  for (const NamedIdentity& entry : *all) seen[entry.name] = entry.identity;
  ASSERT_EQ(seen.size(), 3u);
  for (const auto& [name, identity] : seen) {
    SCOPED_TRACE(name);
    EXPECT_EQ((*handle)->Identify(name), identity);
  }
  EXPECT_NE(seen["a.txt"], seen["sub"]);
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

// Creating and deleting single entries, held to one contract by the fake and
// the real file system.
template <class World>
class FileToolsContract : public ::testing::Test {
 protected:
  World world;
  GbkText Path(const GbkText& name) { return world.Root() + "/" + name; }
};

TYPED_TEST_SUITE(FileToolsContract, Worlds);

TYPED_TEST(FileToolsContract, CreatesFoldersAndNewFilesButNeverTouchesAnExistingName) {
  auto& world = this->world;
  FileSystem& files = world.files();
  world.AddFile("kept.txt", "old bytes");
  world.AddFolder("sub");

  EXPECT_TRUE(files.CreateFolder(this->Path(Gbk("新建"))).ok());
  EXPECT_TRUE(files.IsFolder(this->Path(Gbk("新建"))));
  EXPECT_TRUE(files.CreateNewFile(this->Path("sub/a.txt"), std::string("\0ab", 3)).ok());
  EXPECT_EQ(world.Content("sub/a.txt"), std::string("\0ab", 3));

  EXPECT_FALSE(files.CreateNewFile(this->Path("kept.txt"), "new").ok());
  EXPECT_EQ(world.Content("kept.txt"), "old bytes");
  EXPECT_FALSE(files.CreateFolder(this->Path("kept.txt")).ok());
  EXPECT_FALSE(files.CreateFolder(this->Path("sub")).ok());
  EXPECT_FALSE(files.CreateNewFile(this->Path("sub"), "x").ok());
  EXPECT_FALSE(files.CreateFolder(this->Path("missing/a")).ok());
  EXPECT_FALSE(files.CreateNewFile(this->Path("missing/a.txt"), "x").ok());
  EXPECT_FALSE(world.Exists("missing"));

  EXPECT_TRUE(files.IsFolder(world.Root() + "/"));
  EXPECT_FALSE(files.IsFolder(this->Path("kept.txt")));
  EXPECT_FALSE(files.IsFolder(this->Path("missing")));
}

TYPED_TEST(FileToolsContract, RemovesAFileOrAWholeFolderButNotTheOtherKind) {
  auto& world = this->world;
  FileSystem& files = world.files();
  world.AddFile("a.txt");
  world.AddFolder("tree");
  world.AddFolder("tree/inner");
  world.AddFile("tree/inner/deep.txt", "x");
  world.AddFile("tree/.hidden");

  EXPECT_FALSE(files.RemoveFile(this->Path("tree")).ok());
  EXPECT_FALSE(files.RemoveFolderTree(this->Path("a.txt")).ok());
  EXPECT_TRUE(world.Exists("tree/inner/deep.txt"));
  EXPECT_TRUE(world.Exists("a.txt"));

  EXPECT_TRUE(files.RemoveFile(this->Path("a.txt")).ok());
  EXPECT_TRUE(files.RemoveFolderTree(this->Path("tree")).ok());
  EXPECT_FALSE(world.Exists("a.txt"));
  EXPECT_FALSE(world.Exists("tree"));
  EXPECT_FALSE(files.RemoveFile(this->Path("a.txt")).ok());
  EXPECT_FALSE(files.RemoveFolderTree(this->Path("tree")).ok());
}

TYPED_TEST(FileToolsContract, MovesFilesAndFoldersToTheTrash) {
  auto& world = this->world;
  FileSystem& files = world.files();
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFolder("tree");
  world.AddFile("tree/inner.txt");

  EXPECT_TRUE(files.MoveToTrash(this->Path(Gbk("第1课.mp4"))).ok());
  EXPECT_TRUE(files.MoveToTrash(this->Path("tree")).ok());
  EXPECT_FALSE(world.Exists(Gbk("第1课.mp4")));
  EXPECT_FALSE(world.Exists("tree"));
  EXPECT_FALSE(files.MoveToTrash(this->Path("missing")).ok());
}

}  // namespace
}  // namespace qm
