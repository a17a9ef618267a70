#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qm {
namespace {

// "a" followed by the double-byte character 0xB0 0x62, whose second byte is "b".
const std::string kTrailIsB = "a\xB0\x62";
const std::string kFullWidthSpace = "\xA1\xA1";

// 귭가 is 82 38 82 38 | 82 37 CF 35; 귬 (82 38 82 37) lies across its middle.
const std::string kHidesAnother = "\x82\x38\x82\x38\x82\x37\xCF\x35";
const std::string kHidden = "\x82\x38\x82\x37";

TEST(CharacterWidthAt, OneTwoOrFourBytes) {
  struct Row {
    const char* name;
    std::string text;
    size_t at, expected;
  };
  const Row rows[] = {
      {"ascii", "a", 0, 1},
      {"two-byte", "\xB0\xA1", 0, 2},
      {"lead-at-end-alone", "a\xB0", 1, 1},
      {"four-byte", kHidesAnother, 0, 4},
      {"four-byte/second-one", kHidesAnother, 4, 4},
      // Anything short of the whole four-byte shape steps as before.
      {"lead-digit-at-end", "\x82\x38", 0, 2},
      {"lead-digit-lead-at-end", "\x82\x38\x82", 0, 2},
      {"lead-digit-then-ascii",
       "\x82\x38"
       "ab",
       0, 2},
      {"lead-digit-lead-non-digit", "\x82\x38\x82\xA1", 0, 2},
      {"0x80-is-no-four-byte-lead", "\x80\x30\x81\x30", 0, 2},
      {"0xFF-is-no-four-byte-lead", "\x81\x30\xFF\x30", 0, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CharacterWidthAt(row.text, row.at), row.expected);
  }
}

TEST(Find, Positions) {
  struct Row {
    const char* name;
    std::string text, part;
    int start;
    bool ignore_case;
    int expected;
  };
  const Row rows[] = {
      {"empty-part/non-empty-text", "abc", "", 1, false, 1},
      {"empty-part/empty-text", "", "", 1, false, -1},
      {"empty-part/start-past-end", "abc", "", 4, false, -1},
      {"empty-part/start-inside-gives-one", "abc", "", 2, false, 1},
      {"start/past-match", "ab", "b", 3, false, -1},
      {"start/at-match", "abab", "b", 2, false, 2},
      {"start/second-occurrence", "abab", "b", 3, false, 4},
      {"start/below-one-counts-as-one", "ab", "a", -5, false, 1},
      {"trail-byte/never-matched", kTrailIsB, "b", 1, false, -1},
      {"trail-byte/whole-character-found", "x" + kTrailIsB, "\xB0\x62", 1, false, 3},
      {"trail-byte/start-on-trail-begins-there", kTrailIsB, "b", 3, false, 3},
      {"trail-byte/across-characters", "\xB0\xA1\xB0\xA2", "\xA1\xB0", 1, false, -1},
      {"lead-at-end/ends-search", "a\xB0", "\xB0", 1, false, 2},
      {"lead-at-end/stops-before-ascii-guard", "\xB0", "x", 1, false, -1},
      {"case/sensitive-by-default", "ABC", "b", 1, false, -1},
      {"case/ignored", "ABC", "b", 1, true, 2},
      {"case/ignored-only-for-ascii", "\xC1\xA1", "\xE1\xA1", 1, true, -1},
      {"part-longer-than-text", "ab", "abc", 1, false, -1},
      {"four-byte/never-matched-from-its-middle", kHidesAnother, kHidden, 1, false, -1},
      {"four-byte/whole-character-found", kHidesAnother + kHidden, kHidden, 1, false, 9},
      {"four-byte-character-stepped",
       "\x81\x30\x81\x30"
       "0",
       "0", 1, false, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Find(row.text, row.part, row.start, row.ignore_case), row.expected);
  }
}

TEST(ReverseFind, Positions) {
  struct Row {
    const char* name;
    std::string text, part;
    std::optional<int> start;
    bool ignore_case;
    int expected;
  };
  const Row rows[] = {
      {"last-of-several", "a_b_c", "_", std::nullopt, false, 4},
      {"absent", "a_b_c", "x", std::nullopt, false, -1},
      {"empty-part", "abc", "", std::nullopt, false, 1},
      {"empty-part/empty-region", "abc", "", 1, false, -1},
      {"empty-text", "", "a", std::nullopt, false, -1},
      {"region/match-must-end-inside", "a_b_c", "_c", 5, false, -1},
      {"region/match-ending-at-edge", "a_b_c", "_c", 6, false, 4},
      {"region/first-bytes-only", "a_b_c", "_", 4, false, 2},
      {"region/start-one-empty", "a_b_c", "a", 1, false, -1},
      {"region/start-past-end-whole-text", "a_b_c", "_", 99, false, 4},
      {"trail-byte/never-matched", kTrailIsB + "c", "b", std::nullopt, false, -1},
      {"four-byte/never-matched-from-its-middle", kHidden + kHidesAnother, kHidden, std::nullopt,
       false, 1},
      {"case/ignored", "aXbx", "X", std::nullopt, true, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ReverseFind(row.text, row.part, row.start, row.ignore_case), row.expected);
  }
}

TEST(Replace, Results) {
  struct Row {
    const char* name;
    std::string text, part, replacement;
    int start, count;
    bool case_sensitive;
    std::string expected;
  };
  const Row rows[] = {
      {"count-one", "aXbXc", "X", "-", 1, 1, true, "a-bXc"},
      {"all", "aXbXc", "X", "-", 1, -1, true, "a-b-c"},
      {"empty-replacement-deletes", "aXbXc", "X", "", 1, -1, true, "abc"},
      {"start/prefix-untouched", "XXaX", "X", "-", 3, -1, true, "XXa-"},
      {"start/past-end-unchanged", "aX", "X", "-", 3, -1, true, "aX"},
      {"count-zero-unchanged", "aX", "X", "-", 1, 0, true, "aX"},
      {"empty-part-unchanged", "aX", "", "-", 1, -1, true, "aX"},
      {"empty-text", "", "X", "-", 1, -1, true, ""},
      {"no-overlap", "aaaa", "aa", "b", 1, -1, true, "bb"},
      {"replacement-not-rescanned", "ab", "a", "aa", 1, -1, true, "aab"},
      {"trail-byte/never-matched", kTrailIsB, "b", "-", 1, -1, true, kTrailIsB},
      {"case/insensitive", "aXbx", "x", "-", 1, -1, false, "a-b-"},
      {"case/sensitive", "aXbx", "x", "-", 1, -1, true, "aXb-"},
      {"lead-at-end-kept", "X\xB0", "X", "", 1, -1, true, "\xB0"},
      {"four-byte/never-from-its-middle", kHidesAnother + kHidden, kHidden, "", 1, -1, true,
       kHidesAnother},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(
        Replace(row.text, row.part, row.replacement, row.start, row.count, row.case_sensitive),
        GbkText(row.expected));
  }
  EXPECT_EQ(Replace("aXb", "X"), "ab");  // defaults: delete every occurrence
}

TEST(Cutting, LeftRightMiddleLength) {
  EXPECT_EQ(Left("ab", 5), "ab");
  EXPECT_EQ(Left("ab", 0), "");
  EXPECT_EQ(Left("ab", -1), "");
  EXPECT_EQ(Left("\xB0\xA1", 1), "\xB0"_internal);  // may cut a character
  EXPECT_EQ(Right("abc", 0), "");
  EXPECT_EQ(Right("abc", 2), "bc");
  EXPECT_EQ(Right("abc", 9), "abc");
  EXPECT_EQ(Middle("abc", 4, 1), "");
  EXPECT_EQ(Middle("abc", 0, 1), "");
  EXPECT_EQ(Middle("abc", 2, 0), "");
  EXPECT_EQ(Middle("abc", 2, 9), "bc");
  EXPECT_EQ(Middle("abc", 2, 1), "b");
  EXPECT_EQ(Length(""), 0);
  EXPECT_EQ(Length(Gbk("第1课")), 5);
  // A zero byte inside a text neither ends it nor hides what follows.
  const std::string with_zero("a\0b", 3);
  EXPECT_EQ(Length(with_zero), 3);
  EXPECT_EQ(Find(with_zero, "b"), 3);
  EXPECT_EQ(Replace(with_zero, std::string(1, '\0'), "-"), "a-b");
}

TEST(Trim, Results) {
  struct Row {
    const char* name;
    std::string text, expected;
  };
  const Row rows[] = {
      {"blanks-only", "  " + kFullWidthSpace + " ", ""},
      {"both-ends", " " + kFullWidthSpace + "a b" + kFullWidthSpace + "  ", "a b"},
      {"full-width-inside-stays", "a" + kFullWidthSpace + "b", "a" + kFullWidthSpace + "b"},
      {"straddling-full-width-is-no-blank", "a\xB0\xA1\xA1", "a\xB0\xA1"},
      {"trailing-full-width-cut", "a\xB0\xA1\xA1\xA1", "a\xB0\xA1"},
      {"lead-at-end-dropped-blanks-kept", " a \xB0", "a "},
      {"lone-lead-only", "\xA1", ""},
      {"empty", "", ""},
      {"tab-is-not-blank", "\ta\t", "\ta\t"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Trim(row.text), GbkText(row.expected));
  }
}

TEST(Split, Pieces) {
  using Pieces = std::vector<std::string>;
  auto bytes = [](const std::vector<GbkText>& pieces) {
    Pieces out;
    for (const GbkText& piece : pieces) out.push_back(piece.bytes());
    return out;
  };
  struct Row {
    const char* name;
    std::string text, separator;
    int max;
    Pieces expected;
  };
  const Row rows[] = {
      {"trailing-separator-adds-no-piece", "a,,b,", ",", -1, {"a", "", "b"}},
      {"no-separator", "ab", ",", -1, {"ab"}},
      {"leading-separator", ",a", ",", -1, {"", "a"}},
      {"only-separator", ",", ",", -1, {""}},
      {"empty-text", "", ",", -1, {}},
      {"max-zero", "a,b", ",", 0, {}},
      {"max-stops-and-drops-rest", "a,b,c", ",", 2, {"a", "b"}},
      {"max-not-reached", "a,b", ",", 5, {"a", "b"}},
      {"empty-separator-whole-text", "a,b", "", -1, {"a,b"}},
      {"multi-byte-separator", "a--b", "--", -1, {"a", "b"}},
      {"trail-byte/never-splits", kTrailIsB + "bc", "b", -1, {kTrailIsB, "c"}},
      {"four-byte/never-splits-its-middle",
       kHidesAnother + kHidden + "x",
       kHidden,
       -1,
       {kHidesAnother, "x"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(bytes(Split(row.text, row.separator, row.max)), row.expected);
  }
  EXPECT_EQ(bytes(Split("a,b")), (Pieces{"a", "b"}));
}

TEST(ToInteger, Values) {
  struct Row {
    const char* name;
    std::string text;
    int32_t expected;
  };
  const Row rows[] = {
      {"full-width-digits", "\xA3\xB1\xA3\xB5", 15},
      {"full-width-minus-and-space",
       "\xA1\xA1\xA3\xAD"
       "7",
       -7},
      {"trailing-garbage", "-7x", -7},
      {"digits-then-letters", "12abc", 12},
      {"letters", "abc", 0},
      {"empty", "", 0},
      {"leading-white-space-and-plus", " \t+42", 42},
      {"sign-alone", "-", 0},
      {"other-double-byte-stops",
       "1\xB0\xA1"
       "2",
       1},
      {"saturates-high", "99999999999", 2147483647},
      {"saturates-low", "-99999999999", -2147483647 - 1},
      {"lowest", "-2147483648", -2147483647 - 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToInteger(row.text), row.expected);
  }
}

TEST(ToText, Values) {
  EXPECT_EQ(ToText(0), "0");
  EXPECT_EQ(ToText(-12), "-12");
  EXPECT_EQ(ToText(9999999999LL), "9999999999");
}

TEST(UpperCase, AsciiLettersOnlyAndNeverTrailBytes) {
  EXPECT_EQ(UpperCase("ab1_z"), "AB1_Z");
  EXPECT_EQ(UpperCase(kTrailIsB + "b"),
            "A\xB0\x62"
            "B"_internal);
  EXPECT_EQ(UpperCase(""), "");
}

TEST(Compare, ByteOrderWithAsciiFolding) {
  struct Row {
    const char* name;
    std::string a, b;
    bool case_sensitive;
    int sign;
  };
  const Row rows[] = {
      {"equal", "abc", "abc", true, 0},
      {"less", "abc", "abd", true, -1},
      {"shorter-prefix-first", "ab", "abc", true, -1},
      {"upper-before-lower-when-sensitive", "B", "a", true, -1},
      {"case-folded", "ABC", "abc", false, 0},
      {"folded-order", "B", "a", false, 1},
      {"high-bytes-after-ascii", "\xB0\xA1", "z", true, 1},
      {"trail-byte-not-folded", "\xB0\x41", "\xB0\x61", false, -1},
      {"empty-texts", "", "", true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    int result = Compare(row.a, row.b, row.case_sensitive);
    EXPECT_EQ((result > 0) - (result < 0), row.sign);
  }
}

TEST(Bytes, CodeAtCharacterSpacesConcatenate) {
  EXPECT_EQ(CodeAt("a\xB0"), 'a');
  EXPECT_EQ(CodeAt("a\xB0", 2), -80);
  EXPECT_EQ(CodeAt("a\xB0", 0), 0);
  EXPECT_EQ(CodeAt("a\xB0", 3), 0);
  EXPECT_EQ(CodeAt("", 1), 0);
  EXPECT_EQ(Character('A'), "A");
  EXPECT_EQ(Character(CodeAt("\xB0", 1)), "\xB0"_internal);  // a signed code gives its byte back
  EXPECT_EQ(Character(0), "");
  EXPECT_EQ(Spaces(3), "   ");
  EXPECT_EQ(Spaces(0), "");
  EXPECT_EQ(Spaces(-2), "");
  EXPECT_EQ(Concatenate("a", "b"), "ab");
  EXPECT_EQ(Concatenate("a", "", "c"), "ac");
}

TEST(ChineseNumerals, Texts) {
  struct Row {
    const char* name;
    double number;
    bool simplified;
    const char* expected;  // UTF-8
  };
  const Row rows[] = {
      {"zero", 0, true, "零"},
      {"zero/financial", 0, false, "零"},
      {"overflow", 10000000000000.0, true, "溢出"},
      {"largest", 9999999999999.0, true, "九万九千九百九十九亿九千九百九十九万九千九百九十九"},
      {"not-a-number-is-overflow", std::nan(""), true, "溢出"},
      {"fifteen", 15, true, "一十五"},
      {"fifteen/financial", 15, false, "壹拾伍"},
      {"zero-inside", 105, true, "一百零五"},
      {"zeros-written-once", 1005, true, "一千零五"},
      {"ten-thousand", 10000, true, "一万"},
      {"group-unit-once", 100010, true, "一十万零一十"},
      {"group-unit-after-own-unit", 10010000, true, "一千零一万"},
      {"all-places", 123456789, true, "一亿二千三百四十五万六千七百八十九"},
      {"hundred-million", 100000000, true, "一亿"},
      {"zero-across-groups", 100000001, true, "一亿零一"},
      {"trillion", 1000000000000.0, true, "一万亿"},
      {"half/financial", 0.5, false, "零点伍"},
      {"tail-drops-trailing-zero", 3.5, true, "三点五"},
      {"tail-keeps-leading-zero", 3.05, true, "三点零五"},
      {"tail-rounding-near-half", 1.15, true, "一点一五"},
      {"tail-rounding-below-half", 2.675, true, "二点六八"},
      {"tail-rounds-into-integer", 2.999, true, "三"},
      {"tiny-fraction-dropped", 7.001, true, "七"},
      {"fraction-only", 0.01, true, "零点零一"},
      {"inexact-sum", 0.1 + 0.2, true, "零点三"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChineseNumerals(row.number, row.simplified), Gbk(row.expected));
  }
}

TEST(IsUtf8Text, LenientTest) {
  struct Row {
    const char* name;
    std::string bytes;
    bool expected;
  };
  const Row rows[] = {
      {"empty", "", true},
      {"ascii-with-breaks-and-punctuation", "a, b!\r\n(c)\t~", true},
      {"chinese", "第1课", true},
      {"stray-continuation", "a\x80", false},
      {"ends-inside-sequence", "a\xE4\xB8", false},
      {"internal-encoding-text", "\xB5\xDA\xD2\xBB", false},
      {"letters-digits-spaces-pass-inside-sequence", "\xE4 a1\xB8\xAD", true},
      {"punctuation-inside-sequence", "\xC3(", false},
      {"five-byte-lead", "\xFC\x80\x80\x80\x80\x80", true},
      {"ff-expects-four", "\xFF\x80\x80\x80", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(IsUtf8Text(row.bytes), row.expected);
  }
}

TEST(Utf8ToGbk, Conversions) {
  const std::string replacement = "\x84\x31\xA4\x37";  // U+FFFD
  struct Row {
    const char* name;
    std::string bytes, expected;
  };
  const Row rows[] = {
      {"code-page-character", "第1课",
       "\xB5\xDA"
       "1\xBF\xCE"},
      {"character-outside-code-page-kept", "☃", "\x81\x37\xA3\x30"},
      {"byte-order-mark-kept",
       "\xEF\xBB\xBF"
       "a",
       "\x84\x31\x95\x33"
       "a"},
      {"zero-bytes-included", std::string("a\0b", 3), std::string("a\0b", 3)},
      {"malformed-becomes-replacement", "a\x80z", "a" + replacement + "z"},
      {"truncated-at-end", "a\xE4\xB8", "a" + replacement},
      // Passes the lenient UTF-8 test, yet the space and the letter cut the sequence.
      {"interrupted-sequence", "\xE4 a\xB8\xAD", replacement + " a" + replacement},
      {"empty", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf8ToGbk(row.bytes), GbkText(row.expected));
  }
}

}  // namespace
}  // namespace qm
