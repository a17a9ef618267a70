#include "workspace/list_ordering.h"

#include <gtest/gtest.h>

#include "fakes/fake_about_form.h"
#include "fakes/fake_main_services.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

std::vector<GbkText> Texts(std::initializer_list<const char*> utf8) {
  std::vector<GbkText> texts;
  for (const char* text : utf8) texts.push_back(Gbk(text));
  return texts;
}

class ListOrderingTest : public ::testing::Test, public FakeMainServices {
 protected:
  void Fill(std::initializer_list<const char*> names) { list.AppendRows(Texts(names)); }
  // PreviewMode on, with column 1 holding these values.
  void Preview(std::initializer_list<const char*> values) {
    form.SetText(Control::按钮_打开预览, Gbk("关闭预览"));
    list.InsertColumn(1, Gbk("更名后的效果"), 380);
    int row = 0;
    for (const char* value : values) list.SetCell(row++, 1, Gbk(value));
  }
  std::vector<GbkText> MessageTexts() const {
    std::vector<GbkText> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }
};

TEST(NumberSort, OrdersByTheNumberNearTheStartAndKeepsTheNames) {
  struct Row {
    const char* name;
    std::vector<GbkText> names;
    bool reverse;
    std::vector<GbkText> sorted;
  } rows[] = {
      {"lessons", Texts({"第10课", "第2课", "第1课"}), false, Texts({"第1课", "第2课", "第10课"})},
      {"padded-keys", Texts({"1.txt", "10.txt", "2.txt", "100.txt"}), false,
       Texts({"1.txt", "2.txt", "10.txt", "100.txt"})},
      {"reverse-flag", Texts({"1.txt", "10.txt", "2.txt"}), true,
       Texts({"10.txt", "2.txt", "1.txt"})},
      {"digit-after-byte-7-is-text", Texts({"abcdefgh9", "abcdefgh10"}), false,
       Texts({"abcdefgh10", "abcdefgh9"})},
      {"empty-names-first", Texts({"b", "", "a"}), false, Texts({"", "a", "b"})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(NumberSort(row.names, row.reverse), row.sorted);
  }
}

TEST(TimeSort, NewestFirstEqualTimesInReverseListOrderMissingLast) {
  std::vector<GbkText> names = {"10h", "missing", "12h", "11h", "also-11h"};
  std::vector<int64_t> times = {10, kEarliestFileTime, 12, 11, 11};
  EXPECT_EQ(TimeSort(names, times),
            (std::vector<GbkText>{"12h", "also-11h", "11h", "10h", "missing"}));
}

TEST_F(ListOrderingTest, TimeSortReadsLastWriteTimesAndRebuildsTheRows) {
  form.SetText(Control::标签2, Gbk("/pics/"));
  files.AddFolder(Gbk("/pics"));
  for (auto [name, time] : {std::pair{"a", 1000}, {"b", 3000}, {"c", 2000}, {"gone", 0}}) {
    files.AddFile(GbkText("/pics/") + name);
    files.SetLastWriteTime(GbkText("/pics/") + name, time);
  }
  Fill({"gone", "a", "", "b", "c"});
  Preview({"x", "y", "z"});
  ASSERT_TRUE(files.Rename(Gbk("/pics/gone"), "/pics/elsewhere").ok());

  TimeSortList(services);

  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"b", "c", "a", "gone"}));
  EXPECT_EQ(list.Column(1), std::vector<GbkText>(4));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ListOrderingTest, EmptyListIsRefusedByReverseAndBothSorts) {
  ReverseList(services);
  NumberSortList(services);
  TimeSortList(services);
  EXPECT_EQ(MessageTexts(), Texts({"列表框是空的！", "先拖入文件！", "先拖入文件！"}));
  for (const auto& shown : messages.shown) EXPECT_EQ(shown.title, Gbk("提醒："));
}

TEST_F(ListOrderingTest, NumberSortMovesOnlyTheNames) {
  Fill({"第10课", "第2课", "第1课"});
  Preview({"x", "y", "z"});
  NumberSortList(services);
  EXPECT_EQ(list.Column(0), Texts({"第1课", "第2课", "第10课"}));
  EXPECT_EQ(list.Column(1), Texts({"x", "y", "z"}));
}

TEST_F(ListOrderingTest, ReverseTurnsBothColumnsInPreview) {
  Fill({"a", "b", "", "d"});
  ReverseList(services);
  EXPECT_EQ(list.Column(0), Texts({"d", "", "b", "a"}));

  Preview({"1", "2", "3"});
  ReverseList(services);
  EXPECT_EQ(list.Column(0), Texts({"a", "b", "", "d"}));
  EXPECT_EQ(list.Column(1), Texts({"", "3", "2", "1"}));
}

TEST_F(ListOrderingTest, MoveCellSwapsOneColumnAndRefusesAtTheEdges) {
  Fill({"a", "b", "c"});
  Preview({"1", "2", "3"});
  struct Step {
    const char* name;
    int current_row;
    int column;
    int step;
    std::vector<GbkText> names;
    std::vector<GbkText> values;
    const char* message;
  } steps[] = {
      {"up-from-last", 2, 0, -1, Texts({"a", "c", "b"}), Texts({"1", "2", "3"}), nullptr},
      {"up-again-swaps-back", 2, 0, -1, Texts({"a", "b", "c"}), Texts({"1", "2", "3"}), nullptr},
      {"down-preview-column", 1, 1, +1, Texts({"a", "b", "c"}), Texts({"1", "3", "2"}), nullptr},
      {"up-at-top", 0, 0, -1, Texts({"a", "b", "c"}), Texts({"1", "3", "2"}),
       "已经在最顶了，无法再上移了！"},
      {"down-at-bottom", 2, 1, +1, Texts({"a", "b", "c"}), Texts({"1", "3", "2"}),
       "已经在最底部了，无法再下移了！"},
      {"no-current-row", -1, 0, +1, Texts({"a", "b", "c"}), Texts({"1", "3", "2"}), nullptr},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    messages.shown.clear();
    list.current_row = step.current_row;
    list.clicked_column = step.column;
    MoveCell(list, messages, step.step);
    EXPECT_EQ(list.Column(0), step.names);
    EXPECT_EQ(list.Column(1), step.values);
    EXPECT_EQ(list.CurrentRow(), step.current_row);
    if (step.message == nullptr) {
      EXPECT_TRUE(messages.shown.empty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].text, Gbk(step.message));
      EXPECT_EQ(messages.shown[0].title, Gbk("提醒："));
    }
  }
}

TEST_F(ListOrderingTest, DeleteSelectedRemovesRowsOrEmptiesCellsInPreview) {
  Fill({"a", "b", "c", "d", "e"});
  list.selected_rows = {1, 3};
  DeleteSelected(services);
  EXPECT_EQ(list.Column(0), Texts({"a", "c", "e"}));

  Preview({"1", "2", "3"});
  list.selected_rows = {0, 2};
  list.clicked_column = 1;
  DeleteSelected(services);
  EXPECT_EQ(list.Column(0), Texts({"a", "c", "e"}));
  EXPECT_EQ(list.Column(1), Texts({"", "2", ""}));
  list.clicked_column = 0;
  DeleteSelected(services);
  EXPECT_EQ(list.Column(0), Texts({"", "c", ""}));
}

TEST_F(ListOrderingTest, CopyCellCopiesTheClickedCellOfTheCurrentRowOnly) {
  FakeShell shell;
  Fill({"a", "b"});
  Preview({"1", "2"});
  CopyCell(list, shell);
  EXPECT_EQ(shell.clipboard, "before");
  list.current_row = 1;
  list.clicked_column = 1;
  CopyCell(list, shell);
  EXPECT_EQ(shell.clipboard, "2");
}

}  // namespace
}  // namespace qm
