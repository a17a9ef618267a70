#include "rename/insert_operations.h"

#include <gtest/gtest.h>

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
      {"missing-anchor", Gbk("第"), Before, First, "abc", ""},
      {"case-sensitive", "A", Before, First, "abc", ""},
      {"multi-byte-anchor", "ab", After, Last, "abab", "ababX"},
      // 0xB0 0x62 is one character whose second byte is the letter b.
      {"no-match-inside-character", "b", Before, First, "a\xB0\x62", ""},
  };
  for (const AnchorRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(InsertAtAnchor(row.anchor, "X", row.side, row.occurrence, row.subject), row.expected);
  }
}

TEST(InsertAtAnchor, RefusesTextsNoFileNameMayHold) {
  for (const char* text : {"a\\b", "a/b", "a:b", "*", "?", "\"", "<", ">", "|"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(HasForbiddenCharacter(text));
  }
  EXPECT_FALSE(HasForbiddenCharacter(Gbk("新：版")));  // the full-width colon is fine
  EXPECT_FALSE(HasForbiddenCharacter("v2.0 (final)"));
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

}  // namespace
}  // namespace qm
