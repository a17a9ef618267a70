#include "mapped/mapped_rename.h"

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "fakes/fake_main_services.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

std::vector<GbkText> Texts(std::initializer_list<const char*> utf8) {
  std::vector<GbkText> texts;
  for (const char* text : utf8) texts.push_back(Gbk(text));
  return texts;
}

// A mapped window over a fake main window whose WorkingFolder is /w/.
class MappedRenameTest : public ::testing::Test {
 protected:
  MappedRenameTest() {
    main.form.SetText(Control::标签2, Gbk("/w/"));
    main.files.AddFolder(Gbk("/w"));
    mapped.InsertColumn(1, Gbk("更名后的效果"), 330);
  }
  // Rows of old names with their new names.
  void Rows(std::initializer_list<std::pair<const char*, const char*>> rows) {
    for (auto [old_name, new_name] : rows) {
      mapped.AppendRows({Gbk(old_name)});
      mapped.SetCell(mapped.RowCount() - 1, 1, Gbk(new_name));
    }
  }

  FakeMainServices main;
  FakeList mapped;
  ScriptedMessages messages;
  MappedServices services{mapped, messages, main.services};
};

TEST(NameFileLines, SplitsAtCrLfAfterTheEncodingIsSettled) {
  GbkText gbk_names = Gbk("第一课\r\n第二课\r\n");
  struct Row {
    const char* name;
    std::string bytes;
    std::vector<GbkText> lines;
  } rows[] = {
      {"crlf-final-break-adds-nothing", "1\r\n2\r\n3\r\n", Texts({"1", "2", "3"})},
      {"empty-line-kept", "x\r\n\r\ny", Texts({"x", "", "y"})},
      {"bare-lf-is-one-line", "a\nb\n", Texts({"a\nb\n"})},
      {"empty-file-no-lines", "", {}},
      {"utf8-converted", "第一课\r\n第二课", Texts({"第一课", "第二课"})},
      {"gb18030-taken-as-is", gbk_names.bytes(), Texts({"第一课", "第二课"})},
      {"zero-byte-ends-the-text", std::string("a\r\nb\0c\r\nd", 9), Texts({"a", "b"})},
      // A broken lead byte right before a line end must not join two names:
      // every name after them would land one row too high.
      {"broken-lead-byte-keeps-lines-apart", "a\xB7\r\nb\r\nc", {"a\xB7"_internal, "b", "c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(NameFileLines(row.bytes), row.lines);
  }
}

TEST_F(MappedRenameTest, ImportFillsTheNewNamesAndAppendsRowsForExtraLines) {
  Rows({{"a.txt", "old"}, {"b.txt", ""}, {"c.txt", "keep"}});
  main.files.AddFile(Gbk("/names.txt"), "1\r\n2\r\n");
  ImportNameFile(main.files, mapped, messages, Gbk("/names.txt"));
  EXPECT_EQ(mapped.Column(0), Texts({"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(mapped.Column(1), Texts({"1", "2", "keep"}));

  main.files.AddFile(Gbk("/more.txt"), "x\r\ny\r\nz\r\nw");
  ImportNameFile(main.files, mapped, messages, Gbk("/more.txt"));
  EXPECT_EQ(mapped.Column(0), Texts({"a.txt", "b.txt", "c.txt", ""}));
  EXPECT_EQ(mapped.Column(1), Texts({"x", "y", "z", "w"}));

  // A folder or a missing file changes nothing.
  ImportNameFile(main.files, mapped, messages, Gbk("/w"));
  ImportNameFile(main.files, mapped, messages, Gbk("/missing.txt"));
  EXPECT_EQ(mapped.Column(1), Texts({"x", "y", "z", "w"}));
  EXPECT_TRUE(messages.shown.empty());

  // A file past the limit (a film dropped by mistake) is refused whole.
  main.files.AddFile(Gbk("/film.mkv"), std::string(kNameFileLimit + 1, 'a'));
  ImportNameFile(main.files, mapped, messages, Gbk("/film.mkv"));
  EXPECT_EQ(mapped.Column(1), Texts({"x", "y", "z", "w"}));
  EXPECT_EQ(messages.Texts(), Texts({"这个文件太大了（超过64MB），不像是名字列表，没有导入。"}));
}

TEST_F(MappedRenameTest, RenameKeepsOrReplacesTheExtensionAndFailsOnlyATakenRow) {
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "taken.txt"}) {
    main.files.AddFile(GbkText("/w/") + name);
  }
  Rows({{"a.txt", "x"},
        {"b.txt", "y.doc"},
        {"c.txt", "taken"},
        {"", "orphan"},
        {"d.txt", ""},
        {"e.txt", "z"}});
  MappedRename(services, false);

  EXPECT_EQ(mapped.Column(0), Texts({"x.txt", "y.doc.txt", "c.txt", "", "d.txt", "z.txt"}));
  EXPECT_EQ(mapped.Column(1), Texts({"", "", "taken", "orphan", "", ""}));
  EXPECT_EQ(main.files.Names(Gbk("/w")),
            Texts({"x.txt", "y.doc.txt", "c.txt", "d.txt", "z.txt", "taken.txt"}));
  ASSERT_EQ(main.messages.shown.size(), 1u);
  EXPECT_EQ(main.messages.shown[0].text, Gbk("一共有3个文件被改名"));
  EXPECT_EQ(main.messages.shown[0].title, Gbk("修改成果提示"));
  EXPECT_TRUE(messages.shown.empty());
  // The taken row is explained after the count, and what was renamed can be undone.
  ASSERT_EQ(main.failures.shown.size(), 1u);
  EXPECT_EQ(
      main.failures.shown[0].rows,
      (std::vector<FailedRename>{{"c.txt", "taken.txt", Gbk("新名称已被别的文件或文件夹占用")}}));
  EXPECT_EQ(main.undo.Newest().pairs.size(), 3u);

  // With the extension: the new name is the whole name.
  mapped.SetCell(0, 1, Gbk("p.doc"));
  mapped.SetCell(1, 1, Gbk("q"));
  MappedRename(services, true);
  EXPECT_EQ(mapped.Column(0)[0], "p.doc");
  EXPECT_EQ(mapped.Column(0)[1], "q");
  EXPECT_TRUE(main.files.Exists(Gbk("/w/p.doc")));
  EXPECT_TRUE(main.files.Exists(Gbk("/w/q")));
}

TEST_F(MappedRenameTest, NothingRenamedIsReportedByTheMappedWindow) {
  main.files.AddFile(Gbk("/w/a.txt"));
  main.files.AddFile(Gbk("/w/b.txt"));
  // Taken target, a name that would leave the folder, an empty new name.
  Rows({{"a.txt", "b"}, {"b.txt", "../escape"}, {"a.txt", ""}});
  MappedRename(services, false);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Gbk("没有任何改动"));
  EXPECT_EQ(messages.shown[0].title, Gbk("没有改动"));
  EXPECT_TRUE(main.messages.shown.empty());
  EXPECT_TRUE(main.files.renames.empty());
  ASSERT_EQ(main.failures.shown.size(), 1u);
  EXPECT_EQ(main.failures.shown[0].summary, Gbk("全部2个都没有改名成功，原因如下："));
}

TEST_F(MappedRenameTest, WithoutAWorkingFolderNothingIsRenamedAndTheMessageSaysWhy) {
  main.files.AddFile(Gbk("a.txt"));
  for (const char* folder : {"", "/", "w/"}) {
    SCOPED_TRACE(folder);
    main.form.SetText(Control::标签2, folder);
    mapped.RemoveAllRows();
    messages.shown.clear();
    Rows({{"a.txt", "b"}});
    MappedRename(services, false);
    EXPECT_TRUE(main.files.renames.empty());
    EXPECT_EQ(messages.Texts(), Texts({"路径呢？请先拖入文件！"}));
    EXPECT_TRUE(main.messages.shown.empty());
    EXPECT_TRUE(main.failures.shown.empty());
  }
}

TEST_F(MappedRenameTest, SortAndReverseGatherTheNonEmptyNewNamesAtTheTop) {
  Rows({{"", "3"}, {"", ""}, {"", "1"}, {"", "2"}});
  ReverseNewNames(mapped, messages);
  EXPECT_EQ(mapped.Column(1), Texts({"2", "1", "3", "2"}));
  SortNewNames(mapped, messages);
  EXPECT_EQ(mapped.Column(1), Texts({"1", "2", "2", "3"}));

  mapped.SetCell(0, 1, Gbk("10"));
  mapped.SetCell(2, 1, Gbk(""));
  SortNewNames(mapped, messages);
  EXPECT_EQ(mapped.Column(1), Texts({"2", "3", "10", "3"}));

  ClearNewNames(mapped);
  EXPECT_EQ(mapped.Column(1), std::vector<GbkText>(4));
  EXPECT_TRUE(messages.shown.empty());

  mapped.RemoveAllRows();
  SortNewNames(mapped, messages);
  ReverseNewNames(mapped, messages);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, Gbk("列表框是空的！"));
  EXPECT_EQ(messages.shown[1].title, Gbk("提醒："));
}

TEST_F(MappedRenameTest, OpensWithTheNamedRowsAndWritesBackByIndex) {
  EXPECT_FALSE(NamesForMappedRename(main.services).has_value());
  ASSERT_EQ(main.messages.shown.size(), 1u);
  EXPECT_EQ(main.messages.shown[0].text, Gbk("先拖入文件！"));

  main.list.AppendRows({"a.txt", "", "b.txt"});
  auto names = NamesForMappedRename(main.services);
  ASSERT_TRUE(names.has_value());
  mapped.AppendRows({"stale"});
  FillMappedList(mapped, *names);
  EXPECT_EQ(mapped.Column(0), Texts({"a.txt", "b.txt"}));
  EXPECT_EQ(mapped.Column(1), std::vector<GbkText>(2));

  WriteBack(mapped, main.list);
  EXPECT_EQ(main.list.Column(0), Texts({"a.txt", "b.txt", "b.txt"}));

  // Rows the main list does not have are not created.
  mapped.AppendRows({"x", "y"});
  WriteBack(mapped, main.list);
  EXPECT_EQ(main.list.Column(0), Texts({"a.txt", "b.txt", "x"}));
}

}  // namespace
}  // namespace qm
