#include "filetools/delete_listed.h"

#include "file_tools_world.h"

namespace qm {
namespace {

using DeleteListedTest = FileToolsWorld;

constexpr const char* kPermanent =
    "确定删除吗？此操作不可撤回！\r\n机械硬盘只能用恢复软件恢复！\r\n固态硬盘将永久不可恢复！";

// The folder "work" holds a.txt and the folder sub with a file in it; the
// list shows both whatever the mode, as after a drop.
TEST_F(DeleteListedTest, AsksOnceThenDeletesWhatTheModeAndTheRadioButtonsSay) {
  struct Row {
    const char* name;
    const char* mode;
    bool to_trash;
    const char* question;
    bool file_stays;
    bool folder_stays;
    std::vector<std::string> trashed;
  } rows[] = {
      {"files/permanent: a folder is no file", "处理文件", false, kPermanent, false, true, {}},
      {"dropped/permanent", "拖几个改几个", false, kPermanent, false, true, {}},
      {"dropped/trash: folders go too",
       "拖几个改几个",
       true,
       "确定删除到回收站吗？",
       false,
       false,
       {"a.txt", "sub"}},
      {"folders/permanent: a file is no folder", "处理文件夹", false, kPermanent, true, false, {}},
      {"folders/trash", "处理文件夹", true, "确定删除吗？", false, false, {"a.txt", "sub"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(root_ / ".data");
    Write("work/a.txt");
    Write("work/sub/inner/deep.txt");
    form_.SetText(Control::标签2, Folder("work"));
    form_.SetText(Control::组合框2, Gbk(row.mode));
    form_.SetChecked(Control::单选框17, !row.to_trash);
    form_.SetChecked(Control::单选框18, row.to_trash);
    List({"a.txt", "sub"});
    messages_.shown.clear();

    DeleteListed(services_);

    ExpectMessages({{row.question, "提示", Icon::None, Buttons::OkCancel}});
    EXPECT_EQ(Exists("work/a.txt"), row.file_stays);
    EXPECT_EQ(Exists("work/sub/inner/deep.txt"), row.folder_stays);
    EXPECT_EQ(TrashedNames(), row.trashed);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.txt", "sub"}));
  }
}

TEST_F(DeleteListedTest, StopsBeforeDeletingAnything) {
  struct Row {
    const char* name;
    const char* mode;
    bool empty_list;
    std::string folder;
    std::vector<Message> messages;
  } rows[] = {
      {"empty list, files", "处理文件", true, "work", {{"列表框是空的，请先拖入文件！", "提示"}}},
      {"empty list, folders", "处理文件夹", true, "work", {{"列表框是空的", "提示"}}},
      {"unknown mode", "其他", false, "work", {}},
      {"no WorkingFolder", "处理文件", false, "", {{"路径呢？请先拖入文件！", ""}}},
      {"WorkingFolder is the root", "处理文件夹", false, "/", {{"路径呢？请先拖入文件！", ""}}},
      {"relative WorkingFolder", "处理文件", false, "work/", {{"路径呢？请先拖入文件！", ""}}},
      {"cancelled",
       "处理文件",
       false,
       "work",
       {{kPermanent, "提示", Icon::None, Buttons::OkCancel}}},
  };
  Write("work/a.txt");
  // A relative WorkingFolder would be read from the current folder.
  std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GbkText folder = row.folder == "work" ? Folder("work") : Internal(row.folder);
    form_.SetText(Control::标签2, folder);
    form_.SetText(Control::组合框2, Gbk(row.mode));
    List(row.empty_list ? std::vector<std::string>{} : std::vector<std::string>{"a.txt", "work"});
    messages_.shown.clear();
    messages_.answers = {Answer::Cancel};

    DeleteListed(services_);

    ExpectMessages(row.messages);
    EXPECT_TRUE(Exists("work/a.txt"));
  }
  std::filesystem::current_path(cwd);
}

// Rows without a name are passed over (the question still comes before the
// first named row); a name that would reach outside WorkingFolder is skipped;
// a failed deletion does not stop the rest.
TEST_F(DeleteListedTest, TouchesOnlyNamedEntriesInsideTheFolderAndGoesOnAfterAFailure) {
  Write("work/sub/keep.txt");
  Write("work/sub/b/deleted.txt");
  Write("outside/keep.txt");
  form_.SetText(Control::标签2, Folder("work/sub"));
  form_.SetText(Control::组合框2, Gbk("处理文件夹"));
  // The folder b comes last: reached only when the failures went by.
  List({"", "..", ".", "../../outside", "missing", "../sub", "/", "", "b"});

  DeleteListed(services_);

  ExpectMessages({{kPermanent, "提示", Icon::None, Buttons::OkCancel}});
  EXPECT_TRUE(Exists("work/sub/keep.txt"));
  EXPECT_TRUE(Exists("outside/keep.txt"));
  EXPECT_FALSE(Exists("work/sub/b"));
}

}  // namespace
}  // namespace qm
