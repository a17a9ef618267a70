#include "rename/undo_export.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/posix/posix_file_system.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "rename/rename_world.h"

namespace qm {
namespace {

// The folder the undo works on, either in memory or a real temporary folder.
class Disk {
 public:
  virtual ~Disk() = default;
  virtual FileSystem& Files() = 0;
  virtual GbkText Folder() = 0;  // with its trailing separator
  virtual void Add(const GbkText& name) = 0;
  virtual bool Exists(const GbkText& name) = 0;
  void RenameOutside(const GbkText& from, const GbkText& to) {
    auto folder = Files().OpenFolder(Folder());
    ASSERT_TRUE(folder.ok());
    ASSERT_FALSE((*folder)->RenameNoReplace(from, to).has_value());
  }
};

class FakeDisk : public Disk {
 public:
  FakeDisk() { files_.AddFolder(Gbk("/w")); }
  FileSystem& Files() override { return files_; }
  GbkText Folder() override { return Gbk("/w/"); }
  void Add(const GbkText& name) override { files_.AddFile("/w/" + name); }
  bool Exists(const GbkText& name) override { return files_.Exists("/w/" + name); }

 private:
  FakeFileSystem files_;
};

class RealDisk : public Disk {
 public:
  RealDisk() {
    char pattern[] = "/tmp/qm_undo_XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~RealDisk() override { std::filesystem::remove_all(path_); }
  FileSystem& Files() override { return files_; }
  GbkText Folder() override { return GbkText(path_ + "/"); }
  void Add(const GbkText& name) override { std::ofstream(path_ + "/" + name.bytes()) << name; }
  bool Exists(const GbkText& name) override {
    return std::filesystem::exists(path_ + "/" + name.bytes());
  }

 private:
  std::string path_;
  PosixFileSystem files_;
};

template <class DiskType>
class UndoTest : public ::testing::Test {
 protected:
  UndoTest() {
    form.SetText(Control::标签2, disk.Folder());
    form.SetText(Control::组合框2, Gbk("处理文件"));
    form.SetText(Control::按钮_打开预览, Gbk("关闭预览"));
    list.InsertColumn(1, Gbk("更名后的效果"), 380);
  }

  // Lists the names, previews each to its partner and commits.
  void ListAndCommit(const std::vector<std::pair<GbkText, GbkText>>& renames) {
    RecordPreviewFolder(services, disk.Folder());
    for (const auto& [name, preview] : renames) {
      disk.Add(name);
      list.AppendRows({name});
      list.SetCell(list.RowCount() - 1, 1, preview);
    }
    CommitPreview(services);
  }

  DiskType disk;
  FakeForm form;
  FakeList list;
  ScriptedMessages messages;
  FakeWindowSystem windows;
  UndoHistory undo;
  FakeJournalStore journal;
  FakeFailureList failures;
  RenameContext renames{undo, journal};
  MainServices services{form,         list,     messages,        windows,
                        disk.Files(), &renames, NoJobProgress(), &failures};
};

using Disks = ::testing::Types<FakeDisk, RealDisk>;
TYPED_TEST_SUITE(UndoTest, Disks);

TYPED_TEST(UndoTest, RestoresACommitAndASecondUndoChangesNothing) {
  this->ListAndCommit({{"a.txt", "a2.txt"}, {"b.txt", "b2.txt"}, {"c.txt", "c2.txt"}});
  ASSERT_EQ(this->list.Column(0), (std::vector<GbkText>{"a2.txt", "b2.txt", "c2.txt"}));
  UndoCommit(this->services);
  EXPECT_EQ(this->list.Column(0), (std::vector<GbkText>{"a.txt", "b.txt", "c.txt"}));
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) EXPECT_TRUE(this->disk.Exists(name));
  EXPECT_FALSE(this->disk.Exists(Gbk("a2.txt")));
  // Taken back, the rename leaves the history; a second press finds nothing.
  EXPECT_TRUE(this->undo.empty());
  EXPECT_TRUE(this->messages.shown.empty());
  UndoCommit(this->services);
  EXPECT_EQ(this->list.Column(0), (std::vector<GbkText>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(this->messages.Texts(), std::vector<GbkText>{Gbk("你都没改过，撤什么？")});
}

// One undo restores every name the commit changed, whatever happened to the
// list's order since, and refuses only when a renamed file is not where the
// commit left it.
TYPED_TEST(UndoTest, RestoresByIdentityAndRefusesWhenAFileChanged) {
  enum class After { Nothing, RowsSwapped, FileAdded, RowAddedUnpreviewed, RenamedOutside };
  struct Row {
    const char* name;
    std::vector<std::pair<GbkText, GbkText>> commit;
    After after;
    std::vector<GbkText> restored;  // on disk afterwards; empty when refused
  };
  const Row rows[] = {
      // "_x" sorts photo1.jpg's new name before photo.jpg's.
      {"order-changing",
       {{"photo.jpg", "photo_x.jpg"}, {"photo1.jpg", "photo1_x.jpg"}},
       After::Nothing,
       {"photo.jpg", "photo1.jpg"}},
      {"chained",
       {{"ep2.mp4", "ep1.mp4"}, {"ep3.mp4", "ep2.mp4"}},
       After::Nothing,
       {"ep2.mp4", "ep3.mp4"}},
      {"swap", {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}}, After::Nothing, {"a.txt", "b.txt"}},
      {"rows-swapped-since",
       {{"a.txt", "a.md"}, {"b.txt", "b.md"}},
       After::RowsSwapped,
       {"a.txt", "b.txt"}},
      {"file-added-since", {{"a.txt", "a2.txt"}}, After::FileAdded, {"a.txt", "z.txt"}},
      {"row-not-previewed",
       {{"a.txt", "a2.txt"}, {"c.txt", ""}},
       After::RowAddedUnpreviewed,
       {"a.txt", "c.txt"}},
      {"renamed-outside", {{"a.txt", "a2.txt"}, {"b.txt", "b2.txt"}}, After::RenamedOutside, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TypeParam disk;
    FakeList list;
    list.InsertColumn(1, Gbk(""), 380);
    ScriptedMessages messages;
    UndoHistory undo;
    FakeJournalStore journal;
    FakeFailureList failures;
    RenameContext renames{undo, journal};
    MainServices services{this->form,   list,     messages,        this->windows,
                          disk.Files(), &renames, NoJobProgress(), &failures};
    this->form.SetText(Control::标签2, disk.Folder());
    RecordPreviewFolder(services, disk.Folder());
    for (const auto& [name, preview] : row.commit) {
      disk.Add(name);
      list.AppendRows({name});
      list.SetCell(list.RowCount() - 1, 1, preview);
    }
    CommitPreview(services);
    for (const auto& [name, preview] : row.commit) {
      if (!preview.empty()) {
        EXPECT_TRUE(disk.Exists(preview)) << preview;
      }
    }
    if (row.after == After::RenamedOutside) disk.RenameOutside(Gbk("b2.txt"), "bx.txt");
    if (row.after == After::FileAdded) disk.Add(Gbk("z.txt"));
    if (row.after == After::RowsSwapped) {
      list.SetCell(0, 0, Gbk("b.md"));
      list.SetCell(1, 0, Gbk("a.md"));
    }
    UndoCommit(services);
    if (row.restored.empty()) {
      EXPECT_EQ(messages.Texts(),
                std::vector<GbkText>{Gbk("列表框现标题 和 枚举到的数组 不是完全相同的，不予操作")});
      EXPECT_TRUE(disk.Exists(Gbk("a2.txt")));
      continue;
    }
    EXPECT_TRUE(messages.shown.empty());
    for (const GbkText& name : row.restored) EXPECT_TRUE(disk.Exists(name)) << name;
    for (const auto& [name, preview] : row.commit) {
      if (preview.empty()) continue;
      bool also_an_old_name = false;
      for (const GbkText& restored : row.restored) also_an_old_name |= restored == preview;
      if (!also_an_old_name) {
        EXPECT_FALSE(disk.Exists(preview)) << preview;
      }
    }
    if (row.after == After::RowsSwapped) {
      EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"b.txt", "a.txt"}));  // each row by its name
    }
  }
}

TYPED_TEST(UndoTest, FolderModeRestoresSubfolders) {
  this->form.SetText(Control::组合框2, Gbk("处理文件夹"));
  // Subfolders are made through the fake or the real folder alike.
  if constexpr (std::is_same_v<TypeParam, FakeDisk>) {
    auto& files = static_cast<FakeFileSystem&>(this->disk.Files());
    files.AddFolder(Gbk("/w/d1"));
  } else {
    std::filesystem::create_directory((this->disk.Folder() + "d1").bytes());
  }
  this->list.AppendRows({"d1"});
  RecordPreviewFolder(this->services, this->disk.Folder());
  this->list.SetCell(0, 1, Gbk("d2"));
  CommitPreview(this->services);
  UndoCommit(this->services);
  EXPECT_EQ(this->list.Cell(0, 0), "d1");
  EXPECT_TRUE(this->disk.Exists(Gbk("d1")));
  EXPECT_TRUE(this->messages.shown.empty());
}

TEST(UndoChecks, MessagesBeforeAnyRename) {
  struct Row {
    const char* name;
    GbkText folder;
    bool recorded;
    std::string message;
    GbkText folder_after;
  };
  const Row rows[] = {
      {"empty-folder", Gbk(""), true, "路径都是空的，改什么？请选择路径", ""},
      {"bare-separator-is-cleared", Gbk("/"), true, "路径都是空的，改什么？请选择路径", ""},
      {"nothing-recorded", Gbk("/w/"), false, "你都没改过，撤什么？", "/w/"},
      {"another-folder", Gbk("/v/"), true,
       "上一次改名是在另一个文件夹里：\r\n/w/\r\n请先打开那个文件夹，再撤回。", "/v/"},
      {"file-gone", Gbk("/w/"), true, "列表框现标题 和 枚举到的数组 不是完全相同的，不予操作",
       "/w/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.AddFiles({"a.txt"});
    world.form.SetText(Control::标签2, row.folder);
    if (row.recorded) world.undo.Add({"/w/", {{"x.txt", "gone.txt", {1, 1}}}, ""});
    UndoCommit(world.services);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk(row.message));
    EXPECT_EQ(world.messages.shown[0].title, Gbk("提醒："));
    EXPECT_EQ(world.form.Text(Control::标签2), row.folder_after);
    EXPECT_TRUE(world.files.renames.empty());
  }
}

TEST(ExportNames, WritesEveryListedNameWithCrLf) {
  RenameWorld world;
  world.list.AppendRows({"a.txt", "", Gbk("名字.mp4")});
  world.files.AddFolder(Gbk("/program"));
  ExportNames(world.services);
  // UTF-8 like the names on disk, with the CR LF line ends kept.
  EXPECT_EQ(world.files.Content(Gbk("/program/原文件名保存.txt")),
            "a.txt\r\n\xE5\x90\x8D\xE5\xAD\x97.mp4\r\n");
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_EQ(world.messages.shown[0].text,
            Gbk("已将原文件名存入txt文档内，\r\n并已将txt文档保存到本软件的同级文件夹"));
  EXPECT_EQ(world.messages.shown[0].title, Gbk("提醒："));
}

TEST(ExportNames, EmptyListAndFailedWrite) {
  RenameWorld world;
  world.files.AddFolder(Gbk("/program"));
  ExportNames(world.services);
  EXPECT_EQ(world.Texts(), (std::vector<GbkText>{Gbk("没有什么可以保存的")}));
  EXPECT_FALSE(world.files.Exists(Gbk("/program/原文件名保存.txt")));

  world.list.AppendRows({"a.txt"});
  world.files.fail_writes = true;
  ExportNames(world.services);
  EXPECT_EQ(world.messages.shown.back().text, Gbk("保存失败"));

  // A name with no UTF-8 form is not written as garbage.
  world.files.fail_writes = false;
  world.list.AppendRows({"bad\x81"_internal});
  ExportNames(world.services);
  EXPECT_EQ(world.messages.shown.back().text, Gbk("保存失败"));
  EXPECT_FALSE(world.files.Exists(Gbk("/program/原文件名保存.txt")));
}

TEST(ExportNames, GoesToTheDocumentsFolderWhenTheProgramFolderIsReadOnly) {
  const GbkText saved = Gbk("已将原文件名存入txt文档内，\r\n并已将txt文档保存到本软件的同级文件夹");
  const GbkText moved =
      Gbk("已将原文件名存入txt文档内。\r\n本软件所在的文件夹不能写入，txt文档已保存到：\r\n");
  const GbkText beside = Gbk("/program/原文件名保存.txt");
  const GbkText in_documents = Gbk("/home/user/Documents/原文件名保存.txt");
  struct Row {
    const char* name;
    bool program_read_only;
    bool documents_read_only;
    GbkText documents;
    GbkText written;  // "" when nothing is written
    GbkText message;
  } rows[] = {
      {"program-writable", false, true, Gbk("/home/user/Documents"), beside, saved},
      {"program-read-only", true, false, Gbk("/home/user/Documents"), in_documents,
       moved + in_documents},
      {"both-read-only", true, true, Gbk("/home/user/Documents"), "", Gbk("保存失败")},
      {"program-read-only/no-documents", true, false, Gbk(""), "", Gbk("保存失败")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.list.AppendRows({"a.txt"});
    world.files.documents_folder = row.documents;
    if (row.program_read_only) world.files.read_only_folders.insert(Gbk("/program"));
    if (row.documents_read_only) world.files.read_only_folders.insert(Gbk("/home/user/Documents"));
    ExportNames(world.services);
    EXPECT_EQ(world.Texts(), std::vector<GbkText>{row.message});
    for (const GbkText& path : {beside, in_documents}) {
      EXPECT_EQ(world.files.Exists(path), path == row.written) << path;
    }
    if (!row.written.empty()) {
      EXPECT_EQ(world.files.Content(row.written), "a.txt\r\n");
    }
  }
}

}  // namespace
}  // namespace qm
