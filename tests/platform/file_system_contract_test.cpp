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
#include <set>

#include "base/encoding.h"
#include "fakes/fake_file_system.h"
#include "fakes/faulty_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

// The real file system and the fakes the other tests run on, held to one
// contract: whatever a test learns from a fake holds for the real thing.

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
  void Move(const GbkText& from, const GbkText& to) {
    files_.Rename(root_ + "/" + from, root_ + "/" + to);
  }
  bool Exists(const GbkText& name) const { return files_.Exists(root_ + "/" + name); }
  std::string Content(const GbkText& name) const { return files_.Content(root_ + "/" + name); }
  FileSystem& files() { return files_; }

 private:
  GbkText root_ = Gbk("/contract");
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
  void Move(const GbkText& from, const GbkText& to) {
    std::filesystem::rename(Native(from), Native(to));
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

// The fault-injecting file system over the fake, with no fault set: it must
// pass every answer through unchanged.
class FaultyWorld : public FakeWorld {
 public:
  FileSystem& files() { return faulty_; }

 private:
  FaultCounter counter_;
  FaultyFileSystem faulty_{FakeWorld::files(), counter_};
};

template <class World>
class FolderListingContract : public ::testing::Test {
 protected:
  World world;
};

using Worlds = ::testing::Types<FakeWorld, FaultyWorld, PosixWorld>;
TYPED_TEST_SUITE(FolderListingContract, Worlds);

TYPED_TEST(FolderListingContract, ListsDirectEntriesWithKindHiddenIncluded) {
  auto& world = this->world;
  world.AddFile(Gbk("a.txt"));
  world.AddFile(Gbk(".hidden"));
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFile(Gbk("\xEE\x9E\x8D.txt"));  // U+E78D, which glibc's GB18030 lacks
  world.AddFolder(Gbk("sub"));
  world.AddFile(Gbk("sub/inner.txt"));
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
// from a look-up per name; both must name the same files. A folder larger
// than a piece of the listing comes in several, each entry once.
TYPED_TEST(FolderListingContract, TheFolderReadIdentifiesEachEntryAsItsLookUpDoes) {
  auto& world = this->world;
  world.AddFile(Gbk("a.txt"));
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFolder(Gbk("sub"));
  world.AddUnrepresentableName();
  const size_t more = FolderEntries::kPiece + 10;
  for (size_t i = 0; i < more; ++i) world.AddFile(GbkText("n" + std::to_string(i)));
  auto handle = world.files().OpenFolder(world.Root());
  ASSERT_TRUE(handle.ok());
  std::map<GbkText, FileIdentity> seen;
  size_t pieces = 0, entries = 0;
  ASSERT_TRUE((*handle)->IdentifyAll([&](FolderEntries piece) {
    ++pieces;
    EXPECT_LE(piece.size(), FolderEntries::kPiece);
    entries += piece.size();
    for (size_t i = 0; i < piece.size(); ++i) seen[GbkText(piece.NameAt(i))] = piece.IdentityAt(i);
  }));
  EXPECT_EQ(pieces, 2u);
  EXPECT_EQ(entries, 3 + more);
  ASSERT_EQ(seen.size(), 3 + more);
  for (const auto& [name, identity] : seen) {
    SCOPED_TRACE(name);
    ASSERT_EQ((*handle)->Identify(name), identity);
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
  world.AddFolder(Gbk("sub"));
  const int64_t noon = 1'700'000'000'123'456'789;
  world.SetTime(Gbk("第1课.mp4"), noon);
  world.SetTime(Gbk("sub"), noon - 1'000'000'000);
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
  world.AddFile(Gbk("kept.txt"), "old bytes");
  world.AddFolder(Gbk("sub"));

  EXPECT_TRUE(files.CreateFolder(this->Path(Gbk("新建"))).ok());
  EXPECT_TRUE(files.IsFolder(this->Path(Gbk("新建"))));
  EXPECT_TRUE(files.CreateNewFile(this->Path(Gbk("sub/a.txt")), std::string("\0ab", 3)).ok());
  EXPECT_EQ(world.Content(Gbk("sub/a.txt")), std::string("\0ab", 3));

  EXPECT_FALSE(files.CreateNewFile(this->Path(Gbk("kept.txt")), "new").ok());
  EXPECT_EQ(world.Content(Gbk("kept.txt")), "old bytes");
  EXPECT_FALSE(files.CreateFolder(this->Path(Gbk("kept.txt"))).ok());
  EXPECT_FALSE(files.CreateFolder(this->Path(Gbk("sub"))).ok());
  EXPECT_FALSE(files.CreateNewFile(this->Path(Gbk("sub")), "x").ok());
  EXPECT_FALSE(files.CreateFolder(this->Path(Gbk("missing/a"))).ok());
  EXPECT_FALSE(files.CreateNewFile(this->Path(Gbk("missing/a.txt")), "x").ok());
  EXPECT_FALSE(world.Exists(Gbk("missing")));

  EXPECT_TRUE(files.IsFolder(world.Root() + "/"));
  EXPECT_FALSE(files.IsFolder(this->Path(Gbk("kept.txt"))));
  EXPECT_FALSE(files.IsFolder(this->Path(Gbk("missing"))));
}

TYPED_TEST(FileToolsContract, RemovesAFileOrAWholeFolderButNotTheOtherKind) {
  auto& world = this->world;
  FileSystem& files = world.files();
  world.AddFile(Gbk("a.txt"));
  world.AddFolder(Gbk("tree"));
  world.AddFolder(Gbk("tree/inner"));
  world.AddFile(Gbk("tree/inner/deep.txt"), "x");
  world.AddFile(Gbk("tree/.hidden"));

  EXPECT_FALSE(files.RemoveFile(this->Path(Gbk("tree"))).ok());
  EXPECT_FALSE(files.RemoveFolderTree(this->Path(Gbk("a.txt"))).ok());
  EXPECT_TRUE(world.Exists(Gbk("tree/inner/deep.txt")));
  EXPECT_TRUE(world.Exists(Gbk("a.txt")));

  EXPECT_TRUE(files.RemoveFile(this->Path(Gbk("a.txt"))).ok());
  EXPECT_TRUE(files.RemoveFolderTree(this->Path(Gbk("tree"))).ok());
  EXPECT_FALSE(world.Exists(Gbk("a.txt")));
  EXPECT_FALSE(world.Exists(Gbk("tree")));
  EXPECT_FALSE(files.RemoveFile(this->Path(Gbk("a.txt"))).ok());
  EXPECT_FALSE(files.RemoveFolderTree(this->Path(Gbk("tree"))).ok());
}

TYPED_TEST(FileToolsContract, MovesFilesAndFoldersToTheTrash) {
  auto& world = this->world;
  FileSystem& files = world.files();
  world.AddFile(Gbk("第1课.mp4"));
  world.AddFolder(Gbk("tree"));
  world.AddFile(Gbk("tree/inner.txt"));

  EXPECT_TRUE(files.MoveToTrash(this->Path(Gbk("第1课.mp4"))).ok());
  EXPECT_TRUE(files.MoveToTrash(this->Path(Gbk("tree"))).ok());
  EXPECT_FALSE(world.Exists(Gbk("第1课.mp4")));
  EXPECT_FALSE(world.Exists(Gbk("tree")));
  EXPECT_FALSE(files.MoveToTrash(this->Path(Gbk("missing"))).ok());
}

// The folder handle a rename run goes through: names reach no further than
// its folder, and every refusal carries the reason the user is shown.
template <class World>
class FolderHandleContract : public ::testing::Test {
 protected:
  FolderHandleContract() {
    world.AddFile(Gbk("a.txt"), "a");
    world.AddFile(Gbk("b.txt"), "b");
    world.AddFolder(Gbk("sub"));
    world.AddFile(Gbk("sub/inner.txt"), "inner");
  }
  std::unique_ptr<FolderHandle> Open(const GbkText& name = {}) {
    auto handle = world.files().OpenFolder(name.empty() ? world.Root() : world.Root() + "/" + name);
    EXPECT_TRUE(handle.ok()) << (handle.ok() ? "" : handle.error().message);
    return handle.ok() ? std::move(handle).value() : nullptr;
  }
  // Every file below the root with its content, to show that nothing changed.
  std::map<GbkText, std::string> Contents() {
    std::map<GbkText, std::string> contents;
    for (const GbkText name : {"a.txt", "b.txt", "sub/inner.txt"}) {
      if (world.Exists(name)) contents[name] = world.Content(name);
    }
    std::set<GbkText> names;
    world.files().ListFolder(world.Root(), [&](const GbkText& name, bool) { names.insert(name); });
    EXPECT_EQ(names, (std::set<GbkText>{"a.txt", "b.txt", "sub"}));
    return contents;
  }

  World world;
};

TYPED_TEST_SUITE(FolderHandleContract, Worlds);

TYPED_TEST(FolderHandleContract, OnlyAnExistingFolderOpens) {
  auto& files = this->world.files();
  EXPECT_FALSE(files.OpenFolder(this->world.Root() + "/missing").ok());
  EXPECT_FALSE(files.OpenFolder(this->world.Root() + "/a.txt").ok());
  EXPECT_TRUE(files.OpenFolder(this->world.Root() + "/sub").ok());
}

std::optional<RenameReason> ReasonOf(const std::optional<RenameFailure>& failure) {
  if (!failure) return std::nullopt;
  return failure->reason;
}

// The longest name most file systems take is 255 bytes of UTF-8: 85 Chinese
// characters, which are only 170 bytes in the internal encoding.
GbkText Hanzi(int count) {
  GbkText name;
  for (int i = 0; i < count; ++i) name += Gbk("汉");
  return name;
}

TYPED_TEST(FolderHandleContract, NamesThatAreNoEntryOfTheFolderAreInvalidOrTooLong) {
  auto handle = this->Open();
  ASSERT_NE(handle, nullptr);
  const struct {
    const char* label;
    GbkText name;
    std::optional<RenameReason> reason;
  } rows[] = {
      {"plain", Gbk("第1课.mp4"), std::nullopt},
      {"longest", Hanzi(85), std::nullopt},
      {"one byte too long", Hanzi(85) + "x", RenameReason::TooLong},
      {"too long in ASCII", GbkText(256, 'x'), RenameReason::TooLong},
      {"empty", Gbk(""), RenameReason::Invalid},
      {"dot", Gbk("."), RenameReason::Invalid},
      {"dot dot", Gbk(".."), RenameReason::Invalid},
      {"separator", Gbk("sub/inner.txt"), RenameReason::Invalid},
      {"trailing separator", Gbk("sub/"), RenameReason::Invalid},
      {"NUL", GbkText("a.txt\0b", 7), RenameReason::Invalid},
      {"not in the internal encoding", "a\x81"_internal, RenameReason::Invalid},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ReasonOf(handle->CheckName(row.name)), row.reason);
    // None of them names an entry: a name that reaches into another folder
    // finds nothing even where that folder holds it.
    EXPECT_EQ(handle->Identify(row.name), std::nullopt);
  }
  EXPECT_NE(handle->Identify(Gbk("sub")), std::nullopt);
}

TYPED_TEST(FolderHandleContract, ARefusedRenameSaysWhyAndChangesNothing) {
  auto handle = this->Open();
  ASSERT_NE(handle, nullptr);
  const auto before = this->Contents();
  const struct {
    const char* label;
    GbkText from;
    GbkText to;
    RenameReason reason;
  } rows[] = {
      {"taken by a file", Gbk("a.txt"), Gbk("b.txt"), RenameReason::Exists},
      {"onto itself", Gbk("a.txt"), Gbk("a.txt"), RenameReason::Exists},
      {"folder onto a taken name", Gbk("sub"), Gbk("a.txt"), RenameReason::Exists},
      {"file onto a folder", Gbk("a.txt"), Gbk("sub"), RenameReason::Exists},
      {"missing source", Gbk("missing.txt"), Gbk("c.txt"), RenameReason::Missing},
      {"into a subfolder", Gbk("a.txt"), Gbk("sub/a.txt"), RenameReason::Invalid},
      {"out of a subfolder", Gbk("sub/inner.txt"), Gbk("inner.txt"), RenameReason::Invalid},
      {"NUL in the new name", Gbk("a.txt"), GbkText("c\0.txt", 6), RenameReason::Invalid},
      {"NUL in the old name", GbkText("a.txt\0", 6), Gbk("c.txt"), RenameReason::Invalid},
      {"empty new name", Gbk("a.txt"), Gbk(""), RenameReason::Invalid},
      {"dot dot", Gbk("a.txt"), Gbk(".."), RenameReason::Invalid},
      {"too long", Gbk("a.txt"), GbkText(256, 'x'), RenameReason::TooLong},
      {"too long in UTF-8", Gbk("a.txt"), Hanzi(86), RenameReason::TooLong},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ReasonOf(handle->RenameNoReplace(row.from, row.to)), row.reason);
  }
  EXPECT_EQ(this->Contents(), before);
}

// The file keeps its identity under its new name, and the handle keeps to
// its folder when that folder is itself renamed meanwhile.
TYPED_TEST(FolderHandleContract, ARenameKeepsTheFileAndTheHandleFollowsItsFolder) {
  auto& world = this->world;
  auto handle = this->Open(Gbk("sub"));
  ASSERT_NE(handle, nullptr);
  const auto identity = handle->Identify(Gbk("inner.txt"));
  ASSERT_NE(identity, std::nullopt);

  world.Move(Gbk("sub"), Gbk("moved"));
  EXPECT_EQ(handle->RenameNoReplace(Gbk("inner.txt"), Hanzi(85)), std::nullopt);

  EXPECT_EQ(handle->Identify(Gbk("inner.txt")), std::nullopt);
  EXPECT_EQ(handle->Identify(Hanzi(85)), identity);
  EXPECT_EQ(world.Content("moved/" + Hanzi(85)), "inner");
  EXPECT_FALSE(world.Exists(Gbk("sub")));
}

}  // namespace
}  // namespace qm
