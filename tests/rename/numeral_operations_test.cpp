#include "rename/numeral_operations.h"

#include <gtest/gtest.h>

#include "text/gbk_text.h"

namespace qm {
namespace {

struct Row {
  const char* name;
  const char* subject;
  const char* expected;  // "" = left alone
};

TEST(DigitsToChineseNumerals, WritesTheFirstDigitRunInNumerals) {
  const Row rows[] = {
      {"one", "第1课", "第一课"},
      {"teen", "第15课", "第十五课"},
      {"zero-inside", "第105课", "第一百零五课"},
      {"leading-zeros-do-not-count", "第010课", "第十课"},
      {"zero", "第0课", "第零课"},
      {"only-first-run", "Lesson 3 part 12", "Lesson 三 part 12"},
      {"no-digits", "第一课", ""},
      {"largest-writable", "9999999999999", "九万九千九百九十九亿九千九百九十九万九千九百九十九"},
      {"too-large-left-alone", "第10000000000000课", ""},
      {"long-zero-padding-still-small", "第0000000000000007课", "第七课"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DigitsToChineseNumerals(Gbk(row.subject)), Gbk(row.expected));
  }
}

TEST(ChineseNumeralsToDigits, WritesTheFirstRecognisedNumeralRunInDigits) {
  const Row rows[] = {
      {"teen-with-extension", "第十五课.mp4", "第15课.mp4"},
      {"zero-inside", "第一百零五课", "第105课"},
      {"twenty-one", "第二十一课", "第21课"},
      {"liang-left-alone", "第两课", ""},
      {"long-teen-form-left-alone", "第一十五课", ""},
      {"thousand-left-alone", "第一千课", ""},
      {"odd-ascii-prefix-left-alone", "A第三课", ""},
      {"even-ascii-prefix", "01第三课", "01第3课"},
      {"first-run-only", "第三章第四节", "第3章第四节"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChineseNumeralsToDigits(Gbk(row.subject)), Gbk(row.expected));
  }
}

TEST(NumeralRenames, RoundTripBelowAThousandOnly) {
  EXPECT_EQ(ChineseNumeralsToDigits(DigitsToChineseNumerals(Gbk("第1课"))), Gbk("第1课"));
  EXPECT_EQ(ChineseNumeralsToDigits(DigitsToChineseNumerals(Gbk("第999课"))), Gbk("第999课"));
  EXPECT_EQ(ChineseNumeralsToDigits(DigitsToChineseNumerals(Gbk("第1000课"))), "");
}

}  // namespace
}  // namespace qm
