#include "filetools/create_items.h"

#include "file_tools_world.h"

namespace qm {
namespace {

class CreateItemsTest : public FileToolsWorld {
 protected:
  CreateItemsTest() {
    form_.SetText(Control::标签2, Folder("listed"));
    MakeFolder("new");
  }
  void Target(const std::string& utf8) { form_.SetText(Control::编辑框14, Internal(utf8)); }
  void Choose(const std::string& utf8) { form_.SetText(Control::组合框_创建扩展, Internal(utf8)); }
  std::string Created(int count) { return "成功创建" + std::to_string(count) + "个文件夹"; }
  std::vector<std::string> InNew() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Native("new"))) {
      names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

constexpr const char* kFillIn =
    "请先填入有效路径，并选好后缀！\r\n如果想创建文件夹则不需要选后缀或者选择\"创建目录！\"";

TEST_F(CreateItemsTest, RefusesWithoutAUsableTargetFolder) {
  struct Row {
    const char* name;
    bool working_folder;
    std::string target;
    const char* message;
  } rows[] = {
      {"no WorkingFolder", false, Native("new").string(), kFillIn},
      {"no target", true, "", kFillIn},
      {"the hint", true, "将在这里创建", kFillIn},
      {"missing folder", true, Native("missing").string(), "这个路径并不存在"},
      {"a file", true, Native("new.txt").string(), "这个路径并不存在"},
      {"relative to the current folder", true, "new", "这个路径并不存在"},
  };
  Write("new.txt");
  List({"a.mp4"});
  std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    form_.SetText(Control::标签2, row.working_folder ? Folder("listed") : GbkText());
    Target(row.target);
    messages_.shown.clear();

    CreateItems(services_);

    ExpectMessages({{row.message, ""}});
    EXPECT_EQ(InNew(), std::vector<std::string>{});
  }
  std::filesystem::current_path(cwd);
}

// The target with and without its closing separator is the same folder; a
// name that exists already keeps its bytes and is not counted.
TEST_F(CreateItemsTest, CreatesEightByteFilesAndNeverTouchesAnExistingOne) {
  Write("new/b.txt", "old bytes");
  List({"a.mp4", "b", "", "c.d.mkv"});
  Choose(".txt");

  Target(Native("new").string());
  CreateItems(services_);
  Target(Native("new").string() + "/");
  CreateItems(services_);

  ExpectMessages({{Created(2), "创建成果提示"}, {"什么都没有创建", "没有发生任何变化"}});
  EXPECT_EQ(InNew(), (std::vector<std::string>{"a.txt", "b.txt", "c.d.txt"}));
  EXPECT_EQ(Read("new/a.txt"), "\xB2\xE2\xCA\xD4\xCE\xC4\xBC\xFE");
  EXPECT_EQ(Read("new/b.txt"), "old bytes");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"a.mp4", "b", "", "c.d.mkv"}));
}

TEST_F(CreateItemsTest, TheChoiceSaysFolderOrFileAndATypedChoiceIsTakenAsItStands) {
  struct Row {
    const char* name;
    const char* choice;
    std::vector<std::string> listed;
    std::vector<std::string> created;
    int count;
  } rows[] = {
      {"folders: a once", "创建目录", {"a.mp4", "a.txt", "第1课.avi"}, {"a/", "第1课/"}, 2},
      {"empty choice: folders", "", {"a.mp4", "x.y"}, {"a/", "x/"}, 2},
      {"typed without a dot", "txt", {"a.mp4"}, {"atxt"}, 1},
      {"typed with a separator reaches nowhere", "/../escaped", {"a.mp4"}, {}, 0},
      {"empty list", ".txt", {}, {}, 0},
  };
  Target(Native("new").string());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(Native("new"));
    MakeFolder("new");
    Choose(row.choice);
    List(row.listed);
    messages_.shown.clear();

    CreateItems(services_);

    EXPECT_EQ(InNew(), row.created);
    EXPECT_FALSE(Exists("escaped"));
    if (row.count > 0) {
      ExpectMessages({{Created(row.count), "创建成果提示"}});
    } else {
      ExpectMessages({{"什么都没有创建", "没有发生任何变化"}});
    }
  }
}

}  // namespace
}  // namespace qm
