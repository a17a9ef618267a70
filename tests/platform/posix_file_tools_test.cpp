#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>

#include "base/encoding.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_trash.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = ::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A temporary folder with a fresh, not yet existing data home for the trash.
class PosixFileToolsTest : public ::testing::Test {
 protected:
  PosixFileToolsTest() {
    std::string pattern = (fs::temp_directory_path() / "qm_tools_XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
  }
  ~PosixFileToolsTest() override { fs::remove_all(root_); }

  GbkText Internal(const fs::path& path) { return Utf8ToInternal(path.string()).value(); }
  fs::path DataHome() const { return root_ / "home/.local/share"; }

  fs::path root_;
  PosixFileSystem files_;
};

TEST_F(PosixFileToolsTest, DeletingAFolderRemovesLinksInsideItButNeverWhatTheyPointTo) {
  fs::path outside = root_ / "outside";
  fs::create_directories(outside / "inner");
  Write(outside / "keep.txt", "keep");
  Write(outside / "inner/also.txt", "also");
  fs::path doomed = root_ / "doomed";
  fs::create_directories(doomed / "sub");
  Write(doomed / "sub/file.txt", "x");
  fs::create_directory_symlink(outside, doomed / "sub/to_folder");
  fs::create_symlink(outside / "keep.txt", doomed / "to_file");
  fs::create_symlink(root_ / "nowhere", doomed / "dangling");
  fs::create_directory_symlink(outside, root_ / "listed_link");

  EXPECT_TRUE(files_.RemoveFolderTree(Internal(doomed)).ok());
  // A link that lists as a folder goes itself, its target stays.
  EXPECT_TRUE(files_.RemoveFolderTree(Internal(root_ / "listed_link")).ok());

  EXPECT_FALSE(fs::exists(fs::symlink_status(doomed)));
  EXPECT_FALSE(fs::exists(fs::symlink_status(root_ / "listed_link")));
  EXPECT_EQ(Read(outside / "keep.txt"), "keep");
  EXPECT_EQ(Read(outside / "inner/also.txt"), "also");
}

TEST_F(PosixFileToolsTest, RemovingAFileRemovesALinkButNotItsTarget) {
  Write(root_ / "target.txt", "t");
  fs::create_symlink(root_ / "target.txt", root_ / "link.txt");
  EXPECT_TRUE(files_.RemoveFile(Internal(root_ / "link.txt")).ok());
  EXPECT_EQ(Read(root_ / "target.txt"), "t");
}

TEST_F(PosixFileToolsTest, CreatingAFileNeverWritesThroughALink) {
  fs::create_symlink(root_ / "target.txt", root_ / "dangling.txt");
  EXPECT_FALSE(files_.CreateNewFile(Internal(root_ / "dangling.txt"), "x").ok());
  EXPECT_FALSE(fs::exists(root_ / "target.txt"));
}

TEST_F(PosixFileToolsTest, ReadingStopsAtTheLimitAsked) {
  std::ofstream(root_ / "big.txt") << std::string(200000, 'x');
  EXPECT_EQ(files_.ReadFile(Internal(root_ / "big.txt"), 100001)->size(), 100001u);
  EXPECT_EQ(files_.ReadFile(Internal(root_ / "big.txt"), 1 << 20)->size(), 200000u);
}

// The home trash on the same file system: files/ holds the entry, info/ its
// .trashinfo with the percent-encoded absolute path, and a second entry of the
// same name gets a name of its own.
TEST_F(PosixFileToolsTest, TrashesIntoTheHomeTrashCreatingTheDataFolderFirst) {
  ScopedEnv home("HOME", (root_ / "home").c_str());
  ScopedEnv data_home("XDG_DATA_HOME", nullptr);
  fs::create_directories(root_ / "home");
  fs::create_directories(root_ / "work/again");
  std::string name = "第1课 a%b.mp4";
  Write(root_ / "work" / name, "first");
  Write(root_ / "work/again" / name, "second");

  ASSERT_TRUE(files_.MoveToTrash(Internal(root_ / "work" / name)).ok());
  ASSERT_TRUE(files_.MoveToTrash(Internal(root_ / "work/again" / name)).ok());

  fs::path trash = DataHome() / "Trash";
  EXPECT_FALSE(fs::exists(root_ / "work" / name));
  EXPECT_EQ(Read(trash / "files" / name), "first");
  EXPECT_EQ(Read(trash / "files/第1课 a%b.2.mp4"), "second");
  EXPECT_EQ(fs::status(trash).permissions() & fs::perms::all, fs::perms::owner_all);
  std::string info = Read(trash / "info" / (name + ".trashinfo"));
  std::string encoded_folder = TrashInfoPathEncode(fs::canonical(root_ / "work").string());
  EXPECT_TRUE(std::regex_match(
      info, std::regex("\\[Trash Info\\]\nPath=" + encoded_folder +
                       "/%E7%AC%AC1%E8%AF%BE%20a%25b\\.mp4\n"
                       "DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n")))
      << info;
  EXPECT_NE(Read(trash / "info/第1课 a%b.2.mp4.trashinfo").find("/again/"), std::string::npos);
}

TEST_F(PosixFileToolsTest, AnEntryThatCannotBeTrashedStaysWhereItWas) {
  Write(root_ / "a.txt", "a");
  Write(root_ / "blocker", "a file where the data folder should be");
  struct Row {
    const char* name;
    std::optional<std::string> home;
    std::optional<std::string> data_home;
  } rows[] = {
      {"relative data home and relative home", "home", "data"},
      {"no home at all", std::nullopt, std::nullopt},
      {"data home below a file", (root_ / "home").string(), (root_ / "blocker/share").string()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ScopedEnv home("HOME", row.home ? row.home->c_str() : nullptr);
    ScopedEnv data_home("XDG_DATA_HOME", row.data_home ? row.data_home->c_str() : nullptr);
    std::string cwd = fs::current_path();
    fs::current_path(root_);
    EXPECT_FALSE(files_.MoveToTrash(Internal(root_ / "a.txt")).ok());
    fs::current_path(cwd);
    EXPECT_EQ(Read(root_ / "a.txt"), "a");
    EXPECT_FALSE(fs::exists(root_ / "files") || fs::exists(root_ / "info") ||
                 fs::exists(root_ / "home") || fs::exists(root_ / "data"));
  }
}

// An entry on another file system goes to the trash at that file system's top
// folder, with its path recorded relative to it; nothing is copied.
TEST_F(PosixFileToolsTest, TrashesIntoTheTopFolderTrashOfAnotherFileSystem) {
  struct stat shm, tmp;
  if (::stat("/dev/shm", &shm) != 0 || ::stat(root_.c_str(), &tmp) != 0 ||
      shm.st_dev == tmp.st_dev) {
    GTEST_SKIP() << "needs /dev/shm on a file system of its own";
  }
  struct stat above;
  if (::stat("/dev", &above) == 0 && above.st_dev == shm.st_dev)
    GTEST_SKIP() << "/dev/shm is no mount point";
  ScopedEnv data_home("XDG_DATA_HOME", DataHome().c_str());
  char pattern[] = "/dev/shm/qm_trash_XXXXXX";
  fs::path folder = ::mkdtemp(pattern);
  Write(folder / "a.txt", "a");
  fs::path top_trash = "/dev/shm/.Trash-" + std::to_string(::getuid());
  bool had_trash = fs::exists(top_trash);

  bool moved = files_.MoveToTrash(Internal(folder / "a.txt")).ok();

  std::string trashed_name;
  if (moved && fs::exists(top_trash / "files")) {
    for (const auto& info : fs::directory_iterator(top_trash / "info")) {
      std::string text = Read(info.path());
      if (text.find("Path=" + folder.filename().string() + "/a.txt\n") != std::string::npos) {
        trashed_name = info.path().stem().string();
        fs::remove(info.path());
      }
    }
  }
  if (!trashed_name.empty()) fs::remove(top_trash / "files" / trashed_name);
  fs::remove_all(folder);
  if (!had_trash) fs::remove_all(top_trash);

  EXPECT_TRUE(moved);
  EXPECT_FALSE(trashed_name.empty()) << "no .trashinfo with the path relative to /dev/shm";
  EXPECT_FALSE(fs::exists(DataHome() / "Trash/files/a.txt"));
}

}  // namespace
}  // namespace qm
