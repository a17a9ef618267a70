#include "mapped/name_editing.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_services.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

class FakeNameEditor : public NameEditor {
 public:
  GbkText EditedText() const override { return text; }
  bool ConfirmsSuccess() const override { return confirms; }
  void Close() override { closed = true; }

  GbkText text;
  bool confirms = false;
  bool closed = false;
};

TEST(ConfirmPaste, LinesFillColumnOneAndAppendRows) {
  FakeList list;
  list.InsertColumn(1, Gbk(""), 330);
  list.AppendRows({"a.txt", "b.txt", "c.txt"});
  list.SetCell(2, 1, Gbk("kept"));
  ConfirmPaste(Gbk("x\r\n\r\n"), list);
  EXPECT_EQ(list.Column(1), (std::vector<GbkText>{"x", "", "kept"}));
  ConfirmPaste(Gbk("1\r\n2\r\n3\r\n4"), list);
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"a.txt", "b.txt", "c.txt", ""}));
  EXPECT_EQ(list.Column(1), (std::vector<GbkText>{"1", "2", "3", "4"}));
}

class ConfirmEditTest : public ::testing::Test, public FakeMainServices {
 protected:
  ConfirmEditTest() {
    form.SetText(Control::标签2, Gbk("/w/"));
    files.AddFolder(Gbk("/w"));
    files.AddFile(Gbk("/w/a.txt"));
    files.AddFile(Gbk("/w/taken"));
    list.InsertColumn(1, Gbk(""), 380);
    list.AppendRows({"a.txt", "other"});
    list.current_row = 0;
  }
  void Confirm(const char* text, int column, bool confirms = false, int row = 0) {
    editor = FakeNameEditor();
    editor.text = Gbk(text);
    editor.confirms = confirms;
    messages.shown.clear();
    ConfirmEdit(editor, EditSource{list, messages}, EditedCell{row, column}, services);
  }
  std::vector<GbkText> MessageTexts() const {
    std::vector<GbkText> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }
  FakeNameEditor editor;
};

TEST_F(ConfirmEditTest, NameColumnRenamesAtOnceWithItsThreeMessages) {
  struct Step {
    const char* name;
    const char* text;
    bool confirms;
    const char* cell;
    std::vector<GbkText> messages;
  } steps[] = {
      {"unchanged", "a.txt", true, "a.txt", {Gbk("没有任何修改！")}},
      {"empty-fails", "", true, "a.txt", {Gbk("修改失败！")}},
      {"taken-fails", "taken", true, "a.txt", {Gbk("修改失败！")}},
      {"separator-fails", "../a.txt", true, "a.txt", {Gbk("修改失败！")}},
      {"renamed-silently", "b", false, "b", {}},
      {"renamed-and-confirmed", "c.doc", true, "c.doc", {Gbk("此文件名修改成功！")}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    Confirm(step.text, 0, step.confirms);
    EXPECT_TRUE(editor.closed);
    EXPECT_EQ(list.Cell(0, 0), Gbk(step.cell));
    EXPECT_TRUE(files.Exists("/w/" + Gbk(step.cell)));
    EXPECT_EQ(MessageTexts(), step.messages);
    for (const auto& shown : messages.shown) EXPECT_EQ(shown.title, Gbk("提醒："));
  }
  EXPECT_EQ(files.renames.size(), 2u);
  // Each failure is explained; the last rename is the one to undo.
  EXPECT_EQ(failures.shown.size(), 3u);
  ASSERT_EQ(undo.Newest().pairs.size(), 1u);
  EXPECT_EQ(undo.Newest().pairs[0].new_name, "c.doc");
}

TEST_F(ConfirmEditTest, SecondColumnSetsTheCellOnlyAndOtherColumnsDoNothing) {
  Confirm("b", 1);
  EXPECT_TRUE(editor.closed);
  EXPECT_EQ(list.Cell(0, 1), "b");
  EXPECT_TRUE(files.renames.empty());

  Confirm("c", -1);
  EXPECT_FALSE(editor.closed);
  EXPECT_EQ(list.Column(1), (std::vector<GbkText>{"b", ""}));

  // The cell is the one the editor was opened on, whatever the list's current
  // row and clicked column are now.
  list.current_row = 0;
  list.clicked_column = 0;
  Confirm("d", 1, false, 1);
  EXPECT_EQ(list.Column(1), (std::vector<GbkText>{"b", "d"}));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace qm
