#include "rename/insert_operations.h"

#include <gtest/gtest.h>

#include "rename/operations.h"
#include "rename/rename_world.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

struct Row {
  const char* name;
  const char* text;
  const char* subject;
  const char* expected;  // "" = left alone
};

TEST(InsertTransforms, FrontEndAndAfterExtension) {
  const Row front[] = {
      {"front/extension-follows", "新_", "a.txt", "新_a.txt"},
      {"front/folder", "新_", "课程", "新_课程"},
  };
  for (const Row& row : front) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(InsertAtFront(Gbk(row.text), Gbk(row.subject)), Gbk(row.expected));
  }
  // InsertAtEnd sees the stem (the run puts the extension back) or a folder's whole name.
  const Row end[] = {
      {"end/inner-dot-stays-in-stem", "_v2", "a.tar", "a.tar_v2"},
      {"end/no-extension", "_v2", "README", "README_v2"},
      {"end/only-extension-left-alone", "_v2", "", ""},
      {"end/dotted-folder-whole-name", "T", "a.b", "a.bT"},
  };
  for (const Row& row : end) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(InsertAtEnd(Gbk(row.text), Gbk(row.subject)), Gbk(row.expected));
  }
  const Row after_extension[] = {
      {"after-extension/dotted", ".bak", "a.txt", "a.txt.bak"},
      {"after-extension/no-extension", ".bak", "README", "README.bak"},
  };
  for (const Row& row : after_extension) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(AppendAfterExtension(Gbk(row.text), Gbk(row.subject)), Gbk(row.expected));
  }
}

TEST(InsertAtAnchor, PutsTheTextBesideTheChosenOccurrenceOnly) {
  struct AnchorRow {
    const char* name;
    GbkText anchor;
    AnchorSide side;
    AnchorOccurrence occurrence;
    GbkText subject;
    GbkText expected;
  };
  using enum AnchorSide;
  using enum AnchorOccurrence;
  const AnchorRow rows[] = {
      {"before/first", Gbk("第"), Before, First, Gbk("第1第2"), Gbk("X第1第2")},
      {"after/last", Gbk("第"), After, Last, Gbk("第1第2"), Gbk("第1第X2")},
      {"before/last", Gbk("第"), Before, Last, Gbk("第1第2"), Gbk("第1X第2")},
      {"after/first", Gbk("第"), After, First, Gbk("第1第2"), Gbk("第X1第2")},
      {"missing-anchor", Gbk("第"), Before, First, Gbk("abc"), ""},
      {"case-sensitive", Gbk("A"), Before, First, "abc", ""},
      {"multi-byte-anchor", Gbk("ab"), After, Last, "abab", "ababX"},
      // 0xB0 0x62 is one character whose second byte is the letter b.
      {"no-match-inside-character", Gbk("b"), Before, First, "a\xB0\x62"_internal, ""},
  };
  for (const AnchorRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(InsertAtAnchor(row.anchor, "X", row.side, row.occurrence, row.subject), row.expected);
  }
}

TEST(InsertAfterLeadingNumber, AddsAfterAFirstDigitRunStartingWithin14Bytes) {
  const Row rows[] = {
      {"run-at-start", "、", "01开始了解ps的界面", "01、开始了解ps的界面"},
      {"run-after-hanzi", "、", "第12课", "第12、课"},
      {"first-run-only", "、", "ep2.0", "ep2、.0"},
      {"run-at-byte-14", "-", "abcdefghijklm1", "abcdefghijklm1-"},
      {"run-at-byte-15-left-alone", "-", "abcdefghijklmn1", ""},
      {"no-digits-left-alone", "-", "abc", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(InsertAfterLeadingNumber(Gbk(row.text), Gbk(row.subject)), Gbk(row.expected));
  }
}

TEST(InsertRuns, EachButtonReadsItsInputsAndRenames) {
  struct Row {
    const char* name;
    OperationId operation;
    std::vector<std::pair<Control, GbkText>> inputs;
    std::vector<Control> checked;
    std::vector<GbkText> before;
    std::vector<GbkText> after;
    GbkText result;  // "" = no result message
    Icon icon;
  };
  using C = Control;
  const Row rows[] = {
      {"front/whole-name",
       OperationId::InsertAtFront,
       {{C::编辑框6, Gbk("新_")}},
       {},
       {"a.txt", "b"},
       {Gbk("新_a.txt"), Gbk("新_b")},
       Gbk(""),
       Icon::Information},
      {"end/before-extension",
       OperationId::InsertAtEnd,
       {{C::编辑框7, "_v2"}},
       {},
       {"a.tar.gz", "README", ".htaccess"},
       {"a.tar_v2.gz", "README_v2", ".htaccess"},
       Gbk("一共有2个文件被改名成功"),
       Icon::Information},
      {"anchor/after-last",
       OperationId::InsertAtAnchor,
       {{C::编辑框11, Gbk("第")}, {C::编辑框12, "X"}},
       {C::单选框4, C::单选框6},
       {Gbk("第1第2.txt"), "abc.txt"},
       {Gbk("第1第X2.txt"), "abc.txt"},
       Gbk("一共有1个文件将被更名"),
       Icon::Information},
      {"anchor/before-first",
       OperationId::InsertAtAnchor,
       {{C::编辑框11, Gbk("第")}, {C::编辑框12, "X"}},
       {C::单选框3, C::单选框5},
       {Gbk("第1第2.txt")},
       {Gbk("X第1第2.txt")},
       Gbk("一共有1个文件将被更名"),
       Icon::Information},
      {"anchor/not-in-extension",
       OperationId::InsertAtAnchor,
       {{C::编辑框11, "txt"}, {C::编辑框12, "X"}},
       {C::单选框3, C::单选框5},
       {"abc.txt"},
       {"abc.txt"},
       Gbk("没有任何改动"),
       Icon::Information},
      {"after-extension",
       OperationId::AppendAfterExtension,
       {{C::编辑框18, ".bak"}},
       {},
       {"a.txt", "README"},
       {"a.txt.bak", "README.bak"},
       Gbk("一共有2个文件被改名成功"),
       Icon::None},
      {"leading-number",
       OperationId::InsertAfterLeadingNumber,
       {{C::编辑框13, Gbk("、")}},
       {},
       {Gbk("第12课.mp4"), "abcdefghijklmn1.txt"},
       {Gbk("第12、课.mp4"), "abcdefghijklmn1.txt"},
       Gbk("一共有1个文件被改名成功"),
       Icon::None},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.AddFiles(row.before);
    for (const auto& [control, text] : row.inputs) world.form.SetText(control, text);
    for (Control radio : row.checked) world.form.SetChecked(radio, true);
    RunOperation(row.operation, world.services);
    EXPECT_EQ(world.list.Column(0), row.after);
    EXPECT_EQ(world.files.Names(Gbk("/w")), row.after);
    ASSERT_FALSE(world.messages.shown.empty());
    EXPECT_EQ(world.messages.shown.front().text, Gbk("确定更名吗？"));
    if (row.result.empty()) {
      EXPECT_EQ(world.messages.shown.size(), 1u);
    } else {
      EXPECT_EQ(world.messages.shown.back().text, row.result);
      EXPECT_EQ(world.messages.shown.back().icon, row.icon);
    }
  }
}

TEST(InsertRuns, FolderModeRenamesTheFoldersTheirRealNames) {
  RenameWorld world;
  world.FolderMode();
  for (const char* folder : {"/w/a.b", "/w/c", "/w/unlisted"}) world.files.AddFolder(folder);
  world.list.AppendRows({"a.b", "c"});

  world.form.SetText(Control::编辑框7, Gbk("T"));
  RunOperation(OperationId::InsertAtEnd, world.services);
  // The whole dotted name gets the text, on disk and in the list alike.
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.bT", "cT"}));
  EXPECT_EQ(world.messages.shown.back().text, Gbk("一共有2个文件被改名成功"));

  world.form.SetText(Control::编辑框6, Gbk("F_"));
  RunOperation(OperationId::InsertAtFront, world.services);
  EXPECT_EQ(world.files.Names(Gbk("/w")), (std::vector<GbkText>{"F_a.bT", "F_cT", "F_unlisted"}));
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"F_a.bT", "F_cT"}));
}

TEST(InsertRuns, AnchorRefusesForbiddenTextsEvenInPreview) {
  for (const char* text : {"a:b", "\"", "x|y"}) {
    SCOPED_TRACE(text);
    RenameWorld world;
    world.AddFiles({Gbk("第1课.txt")});
    world.OpenPreviewColumn();
    world.form.SetText(Control::编辑框11, Gbk("第"));
    world.form.SetText(Control::编辑框12, text);
    RunOperation(OperationId::InsertAtAnchor, world.services);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk("不能改成这个东西"));
    EXPECT_EQ(world.messages.shown[0].title, "");
    EXPECT_EQ(world.messages.shown[0].icon, Icon::None);
    EXPECT_EQ(world.list.Cell(0, 1), "");
  }
}

TEST(InsertRuns, AfterExtensionRefusesFolderModeBeforeTheFolderChecks) {
  RenameWorld world;
  world.FolderMode();
  world.form.SetText(Control::标签2, Gbk(""));
  world.form.SetText(Control::编辑框18, Gbk(".bak"));
  RunOperation(OperationId::AppendAfterExtension, world.services);
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_EQ(world.messages.shown[0].text, Gbk("此功能无法对文件夹进行修改"));
  EXPECT_EQ(world.messages.shown[0].title, "");
  EXPECT_EQ(world.messages.shown[0].icon, Icon::Information);
}

TEST(InsertRuns, SideRadiosSetTheButtonCaption) {
  FakeForm form;
  form.SetChecked(Control::单选框4, true);
  SideRadioClicked(form, Control::单选框4);
  EXPECT_EQ(form.Text(Control::按钮_在某物前后加), Gbk("后面加"));
  SideRadioClicked(form, Control::单选框3);  // not checked: the caption stays
  EXPECT_EQ(form.Text(Control::按钮_在某物前后加), Gbk("后面加"));
  form.SetChecked(Control::单选框3, true);
  SideRadioClicked(form, Control::单选框3);
  EXPECT_EQ(form.Text(Control::按钮_在某物前后加), Gbk("前面加"));
}

TEST(InsertRuns, ChainsSucceedButAnUnlistedNameIsNeverOverwritten) {
  RenameWorld world;
  world.AddFiles({"a.txt", "a_v.txt"});
  world.files.AddFile(Gbk("/w/b_v.txt"), "keep me");
  world.AddFiles({"b.txt"});
  world.form.SetText(Control::编辑框7, Gbk("_v"));
  RunOperation(OperationId::InsertAtEnd, world.services);
  // a.txt takes the listed a_v.txt once that one moved on; b.txt would land
  // on an unlisted file and stays.
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a_v.txt", "a_v_v.txt", "b.txt"}));
  EXPECT_EQ(world.files.Content(Gbk("/w/b_v.txt")), "keep me");
  EXPECT_EQ(world.messages.shown.back().text, Gbk("一共有2个文件被改名成功"));
}

}  // namespace
}  // namespace qm
