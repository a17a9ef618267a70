#include "rename/numbering_operations.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

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
      {"default/100-three-wide", "", "", 100, {"001", "002"}, "100"},
      {"start-only", "15", "", 3, {"15", "16"}, "17"},
      {"width-by-last-number", "95", "1", 10, {"095", "096"}, "104"},
      {"step-two", "8", "2", 3, {"08", "10"}, "12"},
      {"counting-down", "10", "-1", 3, {"10", "09"}, "08"},
      {"unreadable-start-reads-zero", "abc", "", 2, {"00"}, "01"},
      {"empty-start-counts-from-one", "", "5", 3, {"01", "06"}, "11"},
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

}  // namespace
}  // namespace qm
