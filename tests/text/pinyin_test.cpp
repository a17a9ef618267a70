#include "text/pinyin.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

PinyinStyle Style(PinyinForm form, PinyinTone tone, std::string separator, PinyinCase letter_case) {
  return {form, tone, std::move(separator), letter_case};
}

const PinyinStyle kPlain = Style(PinyinForm::Full, PinyinTone::None, "", PinyinCase::Lower);
const PinyinStyle kSpacedMarks = Style(PinyinForm::Full, PinyinTone::Marks, " ", PinyinCase::Lower);
const PinyinStyle kSpacedDigits =
    Style(PinyinForm::Full, PinyinTone::Digits, " ", PinyinCase::Lower);

std::string Utf8(const std::optional<GbkText>& text) {
  if (!text) return "(unchanged)";
  auto utf8 = InternalToUtf8(*text);
  return utf8 ? std::move(utf8).value() : "(not convertible)";
}

struct Row {
  const char* name;
  PinyinStyle style;
  const char* text;      // UTF-8
  const char* expected;  // UTF-8; null when nothing changes
};

void ExpectRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto result = ToPinyin(row.style, Gbk(row.text));
    EXPECT_EQ(Utf8(result), row.expected ? row.expected : "(unchanged)");
  }
}

// A character outside any phrase takes its most common reading; the phrase
// decides for the polyphonic ones, the longest phrase at each place first.
TEST(ToPinyin, PolyphonicCharactersReadByPhrase) {
  ExpectRows({
      {"chongqing", kSpacedMarks, "重庆", "chóng qìng"},
      {"yinhang", kSpacedMarks, "银行", "yín háng"},
      {"changcheng", kSpacedMarks, "长城", "cháng chéng"},
      {"yinyue", kSpacedMarks, "音乐", "yīn yuè"},
      {"hangzhang", kSpacedMarks, "行长", "háng zhǎng"},
      {"alone", kSpacedMarks, "重 行 长 乐", "zhòng xíng cháng lè"},
      {"phrases-in-a-run", kSpacedMarks, "重庆银行长城音乐",
       "chóng qìng yín háng cháng chéng yīn yuè"},
      {"bank-president", kSpacedMarks, "银行行长", "yín háng háng zhǎng"},
      {"shorter-phrase", kSpacedMarks, "腰杆", "yāo gǎn"},
      {"longest-phrase-first", kSpacedMarks, "腰杆子", "yāo gān zi"},
      {"split-by-other-text", kSpacedMarks, "重-庆", "zhòng-qìng"},
  });
}

TEST(ToPinyin, FormToneAndCase) {
  using enum PinyinForm;
  using enum PinyinTone;
  using enum PinyinCase;
  ExpectRows({
      {"full/none", kPlain, "中国", "zhongguo"},
      {"full/marks", Style(Full, Marks, "", Lower), "中国", "zhōngguó"},
      {"full/digits", Style(Full, Digits, "", Lower), "中国", "zhong1guo2"},
      {"initials", Style(Initials, None, "", Lower), "中国", "zg"},
      {"initials/tones-ignored", Style(Initials, Digits, "", Lower), "中国", "zg"},
      {"initials/capitalised", Style(Initials, None, "_", Capitalised), "中国", "Z_G"},
      {"capitalised", Style(Full, None, " ", Capitalised), "中国", "Zhong Guo"},
      {"upper", Style(Full, None, " ", Upper), "中国", "ZHONG GUO"},
      {"capitalised/marked-first-letter", Style(Full, Marks, " ", Capitalised), "爱安", "Ài Ān"},
      {"upper/marks", Style(Full, Marks, "", Upper), "绿", "LǛ"},
      {"v/none", kPlain, "绿女", "lvnv"},
      {"v/marks", kSpacedMarks, "绿女", "lǜ nǚ"},
      {"v/digits", kSpacedDigits, "绿女", "lv4 nv3"},
      {"v/upper", Style(Full, None, "", Upper), "绿", "LV"},
      {"neutral/marks", kSpacedMarks, "我们的", "wǒ men de"},
      {"neutral/digits", kSpacedDigits, "我们的", "wo3 men de"},
      {"mark-on-o-of-ou", kSpacedMarks, "欧后", "ōu hòu"},
      {"mark-on-last-vowel", kSpacedMarks, "对追", "duì zhuī"},
      {"nasal-syllable/marks", kSpacedMarks, "嗯", "ňg"},
      {"nasal-syllable/digits", kSpacedDigits, "嗯", "ng3"},
  });
}

// The separator goes between readings and between a reading and an ASCII
// letter or digit; never at either end, never beside other text.
TEST(ToPinyin, SeparatorsAtBoundaries) {
  const PinyinStyle underscore = Style(PinyinForm::Full, PinyinTone::None, "_", PinyinCase::Lower);
  const PinyinStyle hyphen = Style(PinyinForm::Full, PinyinTone::None, "-", PinyinCase::Lower);
  const PinyinStyle space = Style(PinyinForm::Full, PinyinTone::None, " ", PinyinCase::Lower);
  ExpectRows({
      {"between-readings", underscore, "长城", "chang_cheng"},
      {"not-at-ends", underscore, "中", "zhong"},
      {"letters-and-digits", underscore, "第3课abc音乐2", "di_3_ke_abc_yin_yue_2"},
      {"existing-separator/underscore", underscore, "重庆_银行", "chong_qing_yin_hang"},
      {"existing-separator/hyphen", hyphen, "A-重庆-1", "A-chong-qing-1"},
      {"existing-separator/space", space, "重庆 银行", "chong qing yin hang"},
      {"other-punctuation", underscore, "（长城）.mp4", "（chang_cheng）.mp4"},
      {"full-width-digit-is-other-text", underscore, "第１课", "di１ke"},
      {"digits-form", Style(PinyinForm::Full, PinyinTone::Digits, "_", PinyinCase::Lower),
       "重庆2024", "chong2_qing4_2024"},
  });
}

TEST(ToPinyin, TraditionalAndOtherText) {
  ExpectRows({
      {"traditional", kSpacedMarks, "長城", "cháng chéng"},
      {"traditional/phrase", kSpacedMarks, "重慶銀行", "chóng qìng yín háng"},
      {"mixed-script-phrase", kSpacedMarks, "音樂", "yīn yuè"},
      {"ascii", kPlain, "IMG_0001.jpg", nullptr},
      {"empty", kPlain, "", nullptr},
      {"punctuation-only", kPlain, "【】，。", nullptr},
      {"kana-and-four-byte", kPlain, "あ𠀀", nullptr},
      {"four-byte-kept", kPlain, "𠀀中", "𠀀zhong"},
      {"case-leaves-other-text", Style(PinyinForm::Full, PinyinTone::None, "", PinyinCase::Upper),
       "abc中", "abcZHONG"},
  });
}

// Every double-byte character, one at a time, in every style: the result is
// valid text, and without tones or capitals each reading is letters a-z.
TEST(ToPinyin, EveryCharacterSpellsInEveryStyle) {
  GbkText all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
      all += '|';
    }
  }
  for (auto form : {PinyinForm::Full, PinyinForm::Initials}) {
    for (auto tone : {PinyinTone::None, PinyinTone::Marks, PinyinTone::Digits}) {
      for (auto letter_case : {PinyinCase::Lower, PinyinCase::Capitalised, PinyinCase::Upper}) {
        const auto result = ToPinyin(Style(form, tone, "_", letter_case), all);
        ASSERT_TRUE(result.has_value());
        EXPECT_TRUE(InternalToUtf8(*result).ok())
            << static_cast<int>(form) << static_cast<int>(tone) << static_cast<int>(letter_case);
      }
    }
  }
  const auto plain = ToPinyin(kPlain, all);
  int readings = 0;
  for (const GbkText& piece : Split(*plain, "|")) {
    if (piece.empty() || static_cast<unsigned char>(piece[0]) >= 0x80) continue;
    ++readings;
    EXPECT_EQ(piece.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << piece;
  }
  EXPECT_GT(readings, 20000);
}

// Bytes that are not whole characters (a lone lead byte at the end, an
// invalid trail) stay as they are and never take a character with them.
TEST(ToPinyin, BrokenBytesStay) {
  const GbkText zhong = Gbk("中");
  EXPECT_EQ(ToPinyin(kPlain, zhong + "\xB0"_internal), "zhong\xB0"_internal);
  EXPECT_EQ(ToPinyin(kPlain, "\x81\x7F"_internal + zhong), "\x81\x7Fzhong"_internal);
}

#ifdef QM_SOURCE_DIR
// Agreement with pinyin-pro (tools/pinyin_expected.js) on 4,183 real words,
// read with tone marks and spaces. The committed tables agree on 4,086
// (97.7%); the floor sits just under. The 97 disagreements are reviewed in
// tests/text/pinyin_disagreements.tsv: mostly neutral tones the reference
// writes, and words the reference reads wrongly.
TEST(ToPinyin, AgreesWithReferenceOnRealWords) {
  std::ifstream fixture(QM_SOURCE_DIR "/tests/text/pinyin_expected.tsv");
  ASSERT_TRUE(fixture) << "tests/text/pinyin_expected.tsv";
  int rows = 0, agreed = 0;
  std::string line, disagreements;
  while (std::getline(fixture, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    ++rows;
    const std::string read = Utf8(ToPinyin(kSpacedMarks, Gbk(line.substr(0, tab))));
    if (read == line.substr(tab + 1)) {
      ++agreed;
    } else {
      disagreements += line + "\t" + read + "\n";
    }
  }
  ASSERT_GE(rows, 1000);
  const double agreement = static_cast<double>(agreed) / rows;
  RecordProperty("agreement", std::to_string(agreement));
  EXPECT_GE(agreement, 0.975) << agreed << " of " << rows << "; word, expected, read:\n"
                              << disagreements;
}
#endif

}  // namespace
}  // namespace qm
