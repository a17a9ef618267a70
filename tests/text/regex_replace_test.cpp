#include "text/regex_replace.h"

#include <gtest/gtest.h>

#include "text/gbk_text.h"

namespace qm {
namespace {

using Kind = RegexOutcome::Kind;

RegexReplacer Compiled(const char* pattern, const char* replacement, RegexOptions options = {}) {
  auto compiled = RegexReplacer::Compile(pattern, replacement, options);
  if (auto* error = std::get_if<RegexError>(&compiled)) ADD_FAILURE() << error->message;
  return std::move(std::get<RegexReplacer>(compiled));
}

TEST(RegexReplaceTest, ReplacesAsPcre2Substitutes) {
  struct Row {
    const char* name;
    const char* pattern;
    const char* replacement;
    RegexOptions options;
    const char* text;
    const char* expected;  // nullptr: no match
  };
  const RegexOptions kFirst{.first_only = true};
  const RegexOptions kAnyCase{.case_sensitive = false};
  const Row rows[] = {
      {"group", "第(\\d+)课", "Lesson $1", {}, "第12课 讲解", "Lesson 12 讲解"},
      {"two-digit group", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "$11$1", {}, "abcdefghijk", "ka"},
      {"braced group", "(\\d+)", "${1}0", {}, "第3课", "第30课"},
      {"named group", "(?<num>\\d+)-(?<title>.+)", "${title}-${num}", {}, "01-开场", "开场-01"},
      {"whole match and dollar", "\\d+", "[$0]$$", {}, "a1b22", "a[1]$b[22]$"},
      {"every match", "-", "_", {}, "a-b-c", "a_b_c"},
      {"first only", "-", "_", kFirst, "a-b-c", "a_b-c"},
      {"upper case", "^(\\w)", "\\U$1", {}, "hello world", "Hello world"},
      {"upper until E", "(\\w+) (\\w+)", "\\U$1\\E $2", {}, "ab cd", "AB cd"},
      {"lower case", "[A-Z]+", "\\L$0", {}, "EP01 ABC", "ep01 abc"},
      {"one letter", "(\\w+)", "\\u$1", {}, "hello world", "Hello World"},
      {"case sensitive", "abc", "x", {}, "ABC abc", "ABC x"},
      {"any case", "abc", "x", kAnyCase, "ABC abc", "x x"},
      {"any case full width", "ａｂ", "x", kAnyCase, "ＡＢ", "x"},
      // \w, \d and \b know Chinese characters and full-width digits.
      {"chinese word", "^\\w+", "X", {}, "重庆银行 2024", "X 2024"},
      {"full-width digits", "\\d+", "#", {}, "第１２课", "第#课"},
      {"word boundary", "\\b课\\b", "X", {}, "课 课程", "X 课程"},
      {"han property", "\\p{Han}+", "", {}, "abc中文def", "abcdef"},
      {"no match", "xyz", "_", {}, "abc", nullptr},
      {"empty result", ".*", "", kFirst, "abc", ""},
      {"four-byte character", "𠀀", "x", {}, "a𠀀b", "axb"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RegexReplacer replacer = Compiled(row.pattern, row.replacement, row.options);
    RegexOutcome outcome = replacer.Apply(Gbk(row.text));
    if (row.expected == nullptr) {
      EXPECT_EQ(outcome.kind, Kind::NoMatch);
    } else {
      EXPECT_EQ(outcome.kind, Kind::Replaced);
      EXPECT_EQ(outcome.text, Gbk(row.expected));
    }
  }
}

TEST(RegexReplaceTest, PatternErrorsSayWhatAndWhere) {
  struct Row {
    const char* pattern;
    size_t position;  // in characters, from 1
  };
  for (const Row& row : {Row{"(abc", 5}, Row{"第(\\d+", 6}, Row{"a{2,1}", 6}, Row{"[z-a]", 4}}) {
    SCOPED_TRACE(row.pattern);
    auto compiled = RegexReplacer::Compile(row.pattern, "", {});
    ASSERT_TRUE(std::holds_alternative<RegexError>(compiled));
    const RegexError& error = std::get<RegexError>(compiled);
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(error.position, row.position);
  }
}

TEST(RegexReplaceTest, ReplacementNamingAMissingGroupIsReported) {
  for (const char* replacement : {"$2", "${nope}", "\\"}) {
    SCOPED_TRACE(replacement);
    RegexOutcome outcome = Compiled("(a)", replacement).Apply(Gbk("abc"));
    EXPECT_EQ(outcome.kind, Kind::BadReplacement);
    EXPECT_FALSE(outcome.error.message.empty());
  }
}

// A pattern that backtracks without end gives the name up instead of
// freezing the program; the next name is matched as usual.
TEST(RegexReplaceTest, CatastrophicBacktrackingHitsTheLimit) {
  RegexReplacer replacer = Compiled("^(a+)+$", "x");
  EXPECT_EQ(replacer.Apply(GbkText(40, 'a') + "!").kind, Kind::TooComplex);
  RegexOutcome next = replacer.Apply(Gbk("aaa"));
  EXPECT_EQ(next.kind, Kind::Replaced);
  EXPECT_EQ(next.text, "x");
}

// A result longer than the buffer guessed from the name is not cut.
TEST(RegexReplaceTest, LongResultsGrowTheBuffer) {
  RegexOutcome outcome = Compiled("a", "0123456789").Apply(GbkText(100, 'a'));
  ASSERT_EQ(outcome.kind, Kind::Replaced);
  EXPECT_EQ(outcome.text.size(), 1000u);
}

}  // namespace
}  // namespace qm
