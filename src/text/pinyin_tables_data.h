#pragma once

#include <cstdint>

namespace qm {

// A reading: the number of its syllable (kPinyinSyllables, toneless, ü
// written "v") shifted left by three, or'ed with its tone (1-4, 5 for the
// neutral tone). No reading is zero.
struct PinyinCharacter {
  uint16_t code;  // double-byte code, lead byte high
  uint16_t reading;
};

// A phrase: `length` codes from kPinyinPhraseCodes[start] (simplified script)
// and their readings at the same place of kPinyinPhraseReadings.
struct PinyinPhrase {
  uint32_t start;
  uint16_t length;
};

// Generated data (pinyin_tables_data.cpp): characters sorted by code, phrases
// sorted by their codes. From the npm package pinyin (MIT; see NOTICE).
extern const char* const kPinyinSyllables[];
extern const int kPinyinSyllableCount;
extern const PinyinCharacter kPinyinCharacters[];
extern const int kPinyinCharacterCount;
extern const PinyinPhrase kPinyinPhrases[];
extern const int kPinyinPhraseCount;
extern const uint16_t kPinyinPhraseCodes[];
extern const uint16_t kPinyinPhraseReadings[];

}  // namespace qm
