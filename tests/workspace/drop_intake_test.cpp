#include "workspace/drop_intake.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_services.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

TEST(ParentFolderOf, GivesTheFolderOfTheItemWithItsSeparator) {
  struct Row {
    const char* path;
    const char* folder;
  } rows[] = {
      {"/pics/a.jpg", "/pics/"},
      {"/pics/2019", "/pics/"},
      {"/pics/2019/", "/pics/"},
      {"/a/b/c.txt", "/a/b/"},
      {"/", "/"},
      {"a.txt", "/"},
      {"/第1课/课.mp4", "/第1课/"},
      {"", "/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(ParentFolderOf(Gbk(row.path)), Gbk(row.folder));
  }
}

class DropIntakeTest : public ::testing::Test, public FakeMainServices {
 protected:
  DropIntakeTest() {
    files.AddFolder(Gbk("/pics"));
    for (const char* name : {"10.jpg", "2.jpg", "a.txt"}) files.AddFile(GbkText("/pics/") + name);
    files.AddFolder(Gbk("/pics/2019"));
    files.AddFolder(Gbk("/other"));
    files.AddFile(Gbk("/other/b.txt"));
  }
  void Mode(const char* mode) { form.SetText(Control::组合框2, Gbk(mode)); }
  void Drop(std::initializer_list<const char*> paths) {
    for (const char* path : paths) TakeDroppedPath(services, guard, Gbk(path));
  }
  IntakeGuard guard;
};

TEST_F(DropIntakeTest, EachModeFillsTheListFromTheDroppedItems) {
  struct Row {
    const char* name;
    const char* mode;
    std::vector<const char*> dropped;
    std::vector<GbkText> rows;
    const char* folder;
  } rows[] = {
      {"files/three-files-list-the-whole-folder",
       "处理文件",
       {"/pics/2.jpg", "/pics/a.txt"},
       {"2.jpg", "10.jpg", "a.txt"},
       "/pics/"},
      {"files/dropped-folder-lists-its-neighbours",
       "处理文件",
       {"/pics/2019/"},
       {"2.jpg", "10.jpg", "a.txt"},
       "/pics/"},
      {"folders/dropped-folder-lists-subfolders", "处理文件夹", {"/pics/2019"}, {"2019"}, "/pics/"},
      {"dropped/one-row-per-item-folder-of-last",
       "拖几个改几个",
       {"/pics/a.txt", "/other/b.txt", "/other/b.txt"},
       {"a.txt", "b.txt", "b.txt"},
       "/other/"},
      {"dropped/root-gives-an-empty-row", "拖几个改几个", {"/"}, {""}, "/"},
      {"files/root-is-no-folder", "处理文件", {"/"}, {}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    list.RemoveAllRows();
    Mode(row.mode);
    for (const char* path : row.dropped) TakeDroppedPath(services, guard, path);
    EXPECT_EQ(list.Column(0), row.rows);
    EXPECT_EQ(form.Text(Control::标签2), row.folder);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(DropIntakeTest, DroppedModeKeepsEarlierRowsAndOtherModesClearThem) {
  list.AppendRows({"kept"});
  Mode("拖几个改几个");
  Drop({"/pics/a.txt"});
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"kept", "a.txt"}));
  Mode("处理文件夹");
  Drop({"/pics/a.txt"});
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"2019"}));
}

TEST_F(DropIntakeTest, DesktopPathsAreRefusedOncePerItemInEveryMode) {
  for (const char* mode : {"处理文件", "拖几个改几个"}) {
    SCOPED_TRACE(mode);
    messages.shown.clear();
    list.RemoveAllRows();
    Mode(mode);
    Drop({"/home/u/desktop/a.txt", "/home/u/DESKTOP/b.txt"});
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(form.Text(Control::标签2), "");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].title, Gbk("提示"));
  }
}

}  // namespace
}  // namespace qm
