#include "workspace/name_functions.h"

#include <gtest/gtest.h>

#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "text/gbk_text.h"
#include "workspace/list_functions.h"

namespace qm {
namespace {

struct NameRow {
  const char* name;
  PathRules rules;
  const char* path;  // UTF-8; compared in the internal encoding
  const char* file_name;
  const char* stem;
  const char* extension;
};

TEST(NameFunctions, SplitPathsIntoNameStemAndExtension) {
  const NameRow rows[] = {
      {"windows/folder-and-file", PathRules::Windows, "D:\\a\\b.txt", "b.txt", "b", ".txt"},
      {"windows/two-dots", PathRules::Windows, "b.tar.gz", "b.tar.gz", "b.tar", ".gz"},
      {"windows/trailing-separator", PathRules::Windows, "D:\\a\\", "", "", ""},
      {"windows/drive-root", PathRules::Windows, "D:\\", "", "", ""},
      {"windows/dot-in-folder", PathRules::Windows, "D:\\a.b\\c", "c", "c", ""},
      {"windows/space-cancels-dot", PathRules::Windows, "x.y z", "x.y z", "x.y z", ""},
      {"windows/bare-dot", PathRules::Windows, "a.", "a.", "a", "."},
      {"windows/only-extension", PathRules::Windows, ".hidden", ".hidden", "", ".hidden"},
      {"windows/colon-splits", PathRules::Windows, "C:x.txt", "x.txt", "x", ".txt"},
      {"windows/slash-splits", PathRules::Windows, "a/b.c", "b.c", "b", ".c"},
      {"windows/doubled-separators", PathRules::Windows, "D:\\\\a\\\\b.c", "b.c", "b", ".c"},
      // The last byte decides: 乗 ends with byte 0x5C.
      {"windows/trail-byte-5c", PathRules::Windows, "D:\\x乗", "", "", ""},
      {"windows/trail-byte-5c-not-a-separator", PathRules::Windows, "乗.txt", "乗.txt", "乗",
       ".txt"},
      {"posix/folder-and-file", PathRules::Posix, "/home/a/b.txt", "b.txt", "b", ".txt"},
      {"posix/trailing-separator", PathRules::Posix, "/home/a/", "", "", ""},
      {"posix/root", PathRules::Posix, "/", "", "", ""},
      {"posix/backslash-is-a-character", PathRules::Posix, "/a/x\\y.txt", "x\\y.txt", "x\\y",
       ".txt"},
      {"posix/colon-is-a-character", PathRules::Posix, "/a/C:b.txt", "C:b.txt", "C:b", ".txt"},
      {"posix/dot-in-folder", PathRules::Posix, "/a.b/c", "c", "c", ""},
      {"posix/backslash-keeps-dot", PathRules::Posix, "a.b\\c", "a.b\\c", "a", ".b\\c"},
      {"posix/space-cancels-dot", PathRules::Posix, "x.y z", "x.y z", "x.y z", ""},
      {"posix/trail-byte-5c", PathRules::Posix, "/a/x乗", "x乗", "x乗", ""},
      {"posix/chinese-name", PathRules::Posix, "/课程/第1课.mp4", "第1课.mp4", "第1课", ".mp4"},
      {"posix/empty", PathRules::Posix, "", "", "", ""},
  };
  for (const NameRow& row : rows) {
    SCOPED_TRACE(row.name);
    GbkText path = Gbk(row.path);
    EXPECT_EQ(FileNameOf(path, true, row.rules), Gbk(row.file_name));
    EXPECT_EQ(FileNameOf(path, false, row.rules), Gbk(row.stem));
    EXPECT_EQ(ExtensionOf(path, row.rules), Gbk(row.extension));
  }
}

TEST(NameFunctions, NativeRulesSplitAtSlashOnly) {
  EXPECT_EQ(FileNameOf(Gbk("/a/C:b.txt"), true), Gbk("C:b.txt"));
}

TEST(NameFunctions, FirstDigitRun) {
  struct Row {
    const char* name;
    GbkText text;
    const char* digits;
  } rows[] = {
      {"digits/inside", Gbk("第12课3"), "12"},
      {"digits/none", "abc", ""},
      {"digits/at-end", "ab007", "007"},
      {"digits/empty", "", ""},
      // GB18030 four-byte characters carry digit bytes inside them.
      {"digits/four-byte-character-skipped", Gbk("😀第2课"), "2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FirstDigitRun(row.text), row.digits);
  }
}

TEST(ListFunctions, ReadColumnsAndEntryNames) {
  FakeList list;
  list.AppendRows({"a.txt", "", "b.txt"});
  list.InsertColumn(1, Gbk("preview"), 380);
  SetPreviewCell(list, 2, Gbk("c.txt"));
  FakeForm form;
  form.SetText(Control::标签2, Gbk("/w/"));

  EXPECT_EQ(ReadListColumn(list, 0), (std::vector<GbkText>{"a.txt", "", "b.txt"}));
  EXPECT_EQ(ReadListColumn(list, 0, true), (std::vector<GbkText>{"a.txt", "b.txt"}));
  EXPECT_EQ(ReadListColumn(list, 1), (std::vector<GbkText>{"", "", "c.txt"}));
  EXPECT_EQ(ReadEntryNames(form, list, true), (std::vector<GbkText>{"/w/a.txt", "/w/b.txt"}));
  form.SetText(Control::标签2, Gbk(""));
  EXPECT_EQ(ReadEntryNames(form, list, true), (std::vector<GbkText>{"a.txt", "b.txt"}));
  EXPECT_TRUE(ReadListColumn(FakeList(), 0).empty());
}

}  // namespace
}  // namespace qm
