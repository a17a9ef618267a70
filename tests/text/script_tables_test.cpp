#include "text/script_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr auto kToSimplified = ScriptDirection::TraditionalToSimplified;
constexpr auto kToTraditional = ScriptDirection::SimplifiedToTraditional;

uint16_t EntryOf(ScriptDirection direction, uint16_t code) {
  return ScriptTableEntry(direction, ScriptTableIndex(code >> 8, code & 0xFF));
}

TEST(ScriptTablesTest, KnownRowsHoldTheirCounterparts) {
  struct Row {
    const char* name;
    ScriptDirection direction;
    uint16_t code;
    uint16_t entry;
  };
  const Row rows[] = {
      {"t2s/guo", kToSimplified, 0x87F8, 0xB9FA},  {"t2s/shu", kToSimplified, 0x95F8, 0xCAE9},
      {"t2s/men", kToSimplified, 0xE954, 0xC3C5},  {"t2s/xue", kToSimplified, 0x8C57, 0xD1A7},
      {"t2s/ke", kToSimplified, 0xD56E, 0xBFCE},   {"t2s/di-itself", kToSimplified, 0xB5DA, 0xB5DA},
      {"s2t/guo", kToTraditional, 0xB9FA, 0x87F8}, {"s2t/ti", kToTraditional, 0xCCE5, 0xF377},
      {"s2t/ai", kToTraditional, 0xB0AE, 0x90DB},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(EntryOf(row.direction, row.code), row.entry);
  }
}

TEST(ScriptTablesTest, IndexCoversTheDoubleByteCodeSpaceInOrder) {
  EXPECT_EQ(ScriptTableIndex(0x81, 0x40), 0);
  EXPECT_EQ(ScriptTableIndex(0x81, 0x7E), 62);
  EXPECT_EQ(ScriptTableIndex(0x81, 0x80), 63);
  EXPECT_EQ(ScriptTableIndex(0x82, 0x40), 190);
  EXPECT_EQ(ScriptTableIndex(0xFE, 0xFE), kScriptTableSize - 1);
  EXPECT_EQ(kScriptTableSize, 23940);
  for (auto [lead, trail] :
       {std::pair{0x80, 0x40}, {0xFF, 0x40}, {0x81, 0x7F}, {0x81, 0xFF}, {0x81, 0x39}}) {
    EXPECT_EQ(ScriptTableIndex(lead, trail), -1) << std::hex << lead << " " << trail;
  }
}

// Every entry is a code of the space, and a character that has no
// counterpart (all of ASCII's neighbours, punctuation) converts to itself.
TEST(ScriptTablesTest, EveryEntryStaysInsideTheCodeSpace) {
  for (auto direction : {kToSimplified, kToTraditional}) {
    int changed = 0;
    for (int index = 0; index < kScriptTableSize; ++index) {
      uint16_t entry = ScriptTableEntry(direction, index);
      ASSERT_GE(ScriptTableIndex(entry >> 8, entry & 0xFF), 0) << index;
      if (ScriptTableIndex(entry >> 8, entry & 0xFF) != index) ++changed;
    }
    EXPECT_GT(changed, 2000);
  }
  EXPECT_EQ(EntryOf(kToSimplified, 0xA3AC), 0xA3AC);  // full-width comma
}

TEST(ScriptTablesTest, ConvertScriptWalksDoubleByteCharacters) {
  struct Row {
    const char* name;
    GbkText text;
    ScriptDirection direction;
    GbkText expected;
  };
  const GbkText four_byte = Gbk("𠀀");  // a four-byte character: its halves lie outside the space
  const Row rows[] = {
      {"t2s/name", Gbk("國語課.txt"), kToSimplified, Gbk("国语课.txt")},
      {"s2t/name", Gbk("国语课.txt"), kToTraditional, Gbk("國語課.txt")},
      {"ascii", Gbk("abc.TXT"), kToSimplified, "abc.TXT"},
      {"empty", Gbk(""), kToTraditional, ""},
      {"lone-last-lead", Gbk("國") + "\x87"_internal, kToSimplified, Gbk("国") + "\x87"_internal},
      {"four-byte-kept", four_byte + Gbk("國"), kToSimplified, four_byte + Gbk("国")},
      {"pair-outside-space",
       "\x81\x7F"
       "a"_internal,
       kToSimplified,
       "\x81\x7F"
       "a"_internal},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ConvertScript(row.text, row.direction), row.expected);
  }
}

TEST(ScriptTablesTest, ReviewedCorrectionsOfTheDistributionsOpenCc) {
  struct Row {
    const char* name;
    ScriptDirection direction;
    const char* text;
    const char* expected;
  };
  const Row rows[] = {
      {"s2t/tuo-stays", kToTraditional, "托盘", "托盤"},
      {"s2t/li-stays", kToTraditional, "栗子", "栗子"},
      {"t2s/tai", kToSimplified, "擡頭", "抬头"},
      {"t2s/jing-not-rare-form", kToSimplified, "逕自", "径自"},
      {"t2s/su-stays", kToSimplified, "甦醒", "甦醒"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ConvertScript(Gbk(row.text), row.direction), Gbk(row.expected));
  }
}

// The committed tables must have been regenerated after the override table
// last changed: every row of it holds in them.
TEST(ScriptTablesTest, EveryOverrideRowHoldsInTheCommittedTables) {
  std::ifstream table(QM_SOURCE_DIR "/tools/script_table_overrides.tsv");
  ASSERT_TRUE(table.is_open());
  int rows = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string direction, character, candidate;
    std::getline(fields, direction, '\t');
    std::getline(fields, character, '\t');
    std::getline(fields, candidate, '\t');
    SCOPED_TRACE(line);
    if (candidate == "same") candidate = character;
    auto way = direction == "t2s" ? kToSimplified : kToTraditional;
    EXPECT_EQ(ConvertScript(Gbk(character), way), Gbk(candidate));
    ++rows;
  }
  EXPECT_GT(rows, 0);
}

}  // namespace
}  // namespace qm
