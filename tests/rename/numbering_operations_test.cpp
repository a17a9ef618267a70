#include "rename/numbering_operations.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "rename/operations.h"
#include "rename/rename_world.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

std::vector<GbkText> NumberTexts(const NumberSequence& sequence, int count) {
  std::vector<GbkText> texts;
  for (int k = 1; k <= count; ++k) texts.push_back(NumberText(sequence.NumberOf(k), sequence.last));
  return texts;
}

TEST(NumberEntries, SequencesAndWidths) {
  struct Row {
    const char* name;
    const char* start;
    const char* step;
    int count;
    std::vector<GbkText> expected_first;  // the first numbers, as written
    GbkText expected_last;
  };
  const Row rows[] = {
      {"default/three", "", "", 3, {"01", "02", "03"}, "03"},
      {"default/99-stays-two-wide", "", "", 99, {"01"}, "99"},
      {"default/100-three-wide", "", "", 100, {"001", "002"}, Gbk("100")},
      {"start-only", "15", "", 3, {"15", "16"}, Gbk("17")},
      {"width-by-last-number", "95", "1", 10, {"095", "096"}, Gbk("104")},
      {"step-two", "8", "2", 3, {"08", "10"}, Gbk("12")},
      {"counting-down", "10", "-1", 3, {"10", "09"}, Gbk("08")},
      {"unreadable-start-reads-zero", "abc", "", 2, {"00"}, "01"},
      {"empty-start-counts-from-one", "", "5", 3, {"01", "06"}, Gbk("11")},
      {"full-width-digits", "\xA3\xB1\xA3\xB5", "", 1, {"15"}, "15"},
      {"thousands-as-they-are", "999", "1", 2, {"999"}, "1000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    NumberSequence sequence = ChooseSequence(row.start, row.step, row.count);
    EXPECT_EQ(sequence.problem, NumberSequence::Problem::None);
    std::vector<GbkText> texts = NumberTexts(sequence, row.count);
    ASSERT_GE(texts.size(), row.expected_first.size());
    for (size_t i = 0; i < row.expected_first.size(); ++i)
      EXPECT_EQ(texts[i], row.expected_first[i]);
    EXPECT_EQ(texts.back(), row.expected_last);
  }
}

TEST(NumberEntries, RefusesSequencesWithoutDistinctOrNonNegativeNumbers) {
  struct Row {
    const char* name;
    const char* start;
    const char* step;
    int count;
    NumberSequence::Problem expected;
  };
  using enum NumberSequence::Problem;
  const Row rows[] = {
      {"zero-step", "1", "0", 3, ZeroStep},
      {"unreadable-step-reads-zero", "1", "abc", 3, ZeroStep},
      {"zero-step-even-for-empty-list", "1", "0", 0, ZeroStep},
      {"negative-start", "-3", "", 3, BelowZero},
      {"falls-below-zero", "1", "-1", 3, BelowZero},
      {"reaches-zero-exactly", "2", "-1", 3, None},
      {"empty-list-never-below-zero", "0", "-1", 0, None},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChooseSequence(row.start, row.step, row.count).problem, row.expected);
  }
}

TEST(NumberEntries, NumberAndSymbolGoInFrontOfTheWholeName) {
  EXPECT_EQ(NumberedName(1, 3, Gbk("、"), "a.txt"), Gbk("01、a.txt"));
  EXPECT_EQ(NumberedName(1, 3, "", "a.txt"), "01a.txt");
  EXPECT_EQ(NumberedName(100, 100, "-", "a.txt"), "100-a.txt");
  EXPECT_EQ(NumberedName(7, 100, "-", "a.txt", 1), "7-a.txt");
}

// A given width replaces the window's rule, whatever the last number.
TEST(NumberEntries, AGivenWidthZeroFillsToItAndNoFurther) {
  struct Row {
    int64_t n;
    int64_t last;
    int width;
    const char* expected;
  };
  const Row rows[] = {
      {5, 9, 1, "5"},    {5, 500, 1, "5"},     {5, 500, 2, "05"},
      {5, 9, 4, "0005"}, {123, 150, 2, "123"}, {0, 3, 3, "000"},
      {12, 12, 0, "12"}, {5, 500, 0, "005"},  // 0: the window's rule
  };
  for (const Row& row : rows) {
    EXPECT_EQ(NumberText(row.n, row.last, row.width), row.expected)
        << row.n << " of " << row.last << " at " << row.width;
  }
}

TEST(AppendAvNumber, AppendsNineFreshDigitsAndThePosition) {
  int next = 0;
  RandomDigit counting = [&next] { return next++ % 10; };
  EXPECT_EQ(AppendAvNumber(Gbk("教程"), 3, counting), Gbk("教程(Av012345678,P3)"));
  EXPECT_EQ(AppendAvNumber("README", 12, counting), "README(Av901234567,P12)");
}

TEST(AppendAvNumber, SystemDigitsAreDigitsAndVary) {
  RandomDigit digit = SystemRandomDigit();
  std::set<GbkText> tags;
  for (int i = 0; i < 20; ++i) {
    GbkText tag = AppendAvNumber("", 1, digit);
    ASSERT_EQ(tag.size(), std::string("(Av123456789,P1)").size());
    for (int d = 3; d < 12; ++d) EXPECT_TRUE(tag[d] >= '0' && tag[d] <= '9') << tag;
    tags.insert(tag);
  }
  EXPECT_GT(tags.size(), 1u);  // twenty equal nine-digit draws would take a broken source
}

// 组合框5 as the window fills it.
void FillSymbols(FakeForm& form) {
  for (const char* item : {"不加", "、", ".", "-", "，", "："}) {
    form.AddComboItem(Control::组合框5, Gbk(item));
  }
}

TEST(NumberingRuns, NumbersInFrontOfTheWholeNameAndReportsNothing) {
  struct Row {
    const char* name;
    int symbol;  // item of 组合框5, -1 for none picked
    const char* start;
    const char* step;
    std::vector<GbkText> expected;
  };
  const Row rows[] = {
      {"default/comma", 1, "", "", {Gbk("01、a.txt"), Gbk("02、b"), Gbk("03、c.txt")}},
      {"default/nothing-picked", -1, "", "", {"01a.txt", "02b", "03c.txt"}},
      {"not-added", 0, "", "", {"01a.txt", "02b", "03c.txt"}},
      {"chosen/down", 3, "10", "-1", {"10-a.txt", "09-b", "08-c.txt"}},
      {"chosen/empty-start-from-one", 2, "", "2", {"01.a.txt", "03.b", "05.c.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.AddFiles({"a.txt", "b", "c.txt"});
    FillSymbols(world.form);
    world.form.SelectItem(Control::组合框5, row.symbol);
    world.form.SetText(Control::编辑框17, row.start);
    world.form.SetText(Control::编辑框19, row.step);
    RunOperation(OperationId::NumberEntries, world.services);
    EXPECT_EQ(world.list.Column(0), row.expected);
    EXPECT_EQ(world.files.Names(Gbk("/w")), row.expected);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk("将直接更名，确定吗？"));
  }
}

TEST(NumberingRuns, ASkippedEntryKeepsItsNumber) {
  RenameWorld world;
  world.AddFiles({"a.txt", "b.mp4", "c.txt"});
  world.form.AddComboItem(Control::组合框_跳过扩展, Gbk(".mp4"));
  world.form.SelectItem(Control::组合框_跳过扩展, 0);
  world.OpenPreviewColumn();
  RunOperation(OperationId::NumberEntries, world.services);
  EXPECT_EQ(world.list.Column(1), (std::vector<GbkText>{"01a.txt", "", "03c.txt"}));
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.txt", "b.mp4", "c.txt"}));
}

TEST(NumberingRuns, RefusesAfterTheQuestionWhenNumbersWouldRepeatOrGoNegative) {
  struct Row {
    const char* name;
    const char* start;
    const char* step;
    const char* message;
  };
  const Row rows[] = {
      {"zero-step", "1", "0", "每次递增不能为0！"},
      {"unreadable-step", "1", "abc", "每次递增不能为0！"},
      {"below-zero", "1", "-1", "序号不能小于0！"},
      {"negative-start", "-2", "", "序号不能小于0！"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.AddFiles({"a.txt", "b.txt", "c.txt"});
    world.form.SetText(Control::编辑框17, row.start);
    world.form.SetText(Control::编辑框19, row.step);
    RunOperation(OperationId::NumberEntries, world.services);
    ASSERT_EQ(world.messages.shown.size(), 2u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk("将直接更名，确定吗？"));
    EXPECT_EQ(world.messages.shown[1].text, Gbk(row.message));
    EXPECT_EQ(world.messages.shown[1].title, Gbk("提醒："));
    EXPECT_EQ(world.messages.shown[1].icon, Icon::Information);
    EXPECT_TRUE(world.files.renames.empty());

    world.messages.shown.clear();
    world.messages.answers = {Answer::Cancel};  // cancelled: the refusal is never reached
    RunOperation(OperationId::NumberEntries, world.services);
    EXPECT_EQ(world.messages.shown.size(), 1u);
  }
}

TEST(NumberingRuns, NeverRenamesOntoAnExistingName) {
  RenameWorld world;
  world.files.AddFile(Gbk("/w/02b.txt"), "keep me");
  world.AddFiles({"a.txt", "b.txt"});
  RunOperation(OperationId::NumberEntries, world.services);
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"01a.txt", "b.txt"}));
  EXPECT_EQ(world.files.Content(Gbk("/w/02b.txt")), "keep me");
}

TEST(AvNumberRuns, RenamesDirectlyEvenInPreviewWithFreshDigitsPerEntry) {
  RenameWorld world;
  world.list.AppendRows({""});  // an empty row still counts for the position
  world.AddFiles({Gbk("教程.mp4"), "README"});
  world.OpenPreviewColumn();
  int next = 0;
  RandomDigit counting = [&next] { return next++ % 10; };
  RenameRun(ProfileOf(OperationId::AppendAvNumber), AppendAvNumberOperation(counting),
            world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{"", Gbk("教程(Av012345678,P2).mp4"), "README(Av901234567,P3)"}));
  EXPECT_EQ(world.list.Column(1), (std::vector<GbkText>{"", "", ""}));
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_EQ(world.messages.shown[0].text, Gbk("不提供预览功能，将直接改名，确定吗？"));
  EXPECT_EQ(world.messages.shown[0].title, Gbk("提示"));
}

TEST(AvNumberRuns, RefusesFolderModeAndAsksNothingForAnEmptyList) {
  RenameWorld world;
  RunOperation(OperationId::AppendAvNumber, world.services);
  EXPECT_TRUE(world.messages.shown.empty());

  world.FolderMode();
  RunOperation(OperationId::AppendAvNumber, world.services);
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_EQ(world.messages.shown[0].text, Gbk("此功能无法对文件夹进行操作，请选择文件"));
  EXPECT_EQ(world.messages.shown[0].title, "");
}

TEST(AvNumberRuns, NeverRenamesOntoAnExistingName) {
  RenameWorld world;
  world.files.AddFile(Gbk("/w/a(Av000000000,P1).txt"), "keep me");
  world.AddFiles({"a.txt"});
  RenameRun(ProfileOf(OperationId::AppendAvNumber), AppendAvNumberOperation([] { return 0; }),
            world.services);
  EXPECT_EQ(world.list.Column(0), std::vector<GbkText>{"a.txt"});
  EXPECT_EQ(world.files.Content(Gbk("/w/a(Av000000000,P1).txt")), "keep me");
}

}  // namespace
}  // namespace qm
