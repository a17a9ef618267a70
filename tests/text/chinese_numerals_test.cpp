#include "text/chinese_numerals.h"

#include <gtest/gtest.h>

#include "text/gbk_text.h"

namespace qm {
namespace {

TEST(NumeralText, DropsTheLeadingOneOnlyFromTenToNineteen) {
  struct Row {
    const char* name;
    double number;
    const char* expected;
  };
  const Row rows[] = {
      {"one", 1, "一"},
      {"nine", 9, "九"},
      {"ten", 10, "十"},
      {"fifteen", 15, "十五"},
      {"nineteen", 19, "十九"},
      {"twenty-keeps-its-digit", 20, "二十"},
      {"hundred-ten-keeps-inner-one", 110, "一百一十"},
      {"zero-inside", 105, "一百零五"},
      {"thousand", 1000, "一千"},
      {"zero", 0, "零"},
      {"near-fifteen-within-tolerance", 15 + 1e-9, "十五"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(NumeralText(row.number), Gbk(row.expected));
  }
}

TEST(NumeralValue, ReadsOnlyTheFormsNumeralTextWritesFromOneTo999) {
  struct Row {
    const char* name;
    const char* run;
    const char* expected;  // "" = not recognised
  };
  const Row rows[] = {
      {"one-character", "五", "5"},
      {"ten", "十", "10"},
      {"teen", "十五", "15"},
      {"twenty", "二十", "20"},
      {"three-characters", "二十一", "21"},
      {"hundred", "一百", "100"},
      {"zero-inside", "一百零五", "105"},
      {"five-characters", "九百九十九", "999"},
      {"zero-alone", "零", ""},
      {"long-teen-form", "一十五", ""},
      {"thousand-out-of-range", "一千", ""},
      {"liang-is-no-numeral", "两", ""},
      {"empty", "", ""},
      {"six-characters", "一二三四五六", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(NumeralValue(Gbk(row.run)), row.expected);
  }
}

TEST(NumeralValue, InvertsNumeralTextOverTheWholeRange) {
  for (int n = 1; n <= 999; ++n) {
    ASSERT_EQ(NumeralValue(NumeralText(n)), GbkText(std::to_string(n))) << n;
  }
}

TEST(FindNumeralRun, SearchesOddPositionsWithinTheHanziLength) {
  struct Row {
    const char* name;
    GbkText subject;
    const char* expected;
  };
  const Row rows[] = {
      {"run-between-hanzi", Gbk("第十五课.mp4"), "十五"},
      {"run-at-start", Gbk("三国演义"), "三"},
      {"even-ascii-prefix", Gbk("01第三课"), "三"},
      {"odd-ascii-prefix-missed", Gbk("A第三课"), ""},
      {"no-numeral", Gbk("课程表.txt"), ""},
      // Four hanzi-bytes only: the pieces at 1 and 3 are "ab" and "第".
      {"ascii-shortens-range", Gbk("ab第课三"), ""},
      {"run-cut-short", Gbk("12第一二"), "一"},
      {"full-width-digits-are-not-hanzi", Gbk("１第三课"), "三"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FindNumeralRun(row.subject), Gbk(row.expected));
  }
}

}  // namespace
}  // namespace qm
