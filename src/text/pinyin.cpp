#include "text/pinyin.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "text/gbk_text.h"
#include "text/pinyin_tables_data.h"
#include "text/script_tables.h"

namespace qm {
namespace {

constexpr int kNeutralTone = 5;
constexpr size_t kLongestPhrase = 16;

int ToneOf(uint16_t reading) { return reading & 7; }
const char* SyllableOf(uint16_t reading) { return kPinyinSyllables[reading >> 3]; }

// The code a character is looked up by (its simplified form) and its reading
// outside any phrase, by table index; both zero for a character without one.
struct Entry {
  uint16_t code = 0;
  uint16_t reading = 0;
};

class PinyinTables {
 public:
  PinyinTables() {
    std::array<uint16_t, kScriptTableSize> own{};
    for (int i = 0; i < kPinyinCharacterCount; ++i)
      own[IndexOf(kPinyinCharacters[i].code)] = kPinyinCharacters[i].reading;
    // A traditional character reads like its simplified form; one whose
    // simplified form has no reading keeps its own.
    for (int index = 0; index < kScriptTableSize; ++index) {
      const uint16_t simplified = ScriptTableEntry(ScriptDirection::TraditionalToSimplified, index);
      const uint16_t reading =
          own[IndexOf(simplified)] != 0 ? own[IndexOf(simplified)] : own[index];
      if (reading != 0) entries_[index] = {simplified, reading};
    }
    // Phrases are sorted by code and table indexes follow code order, so the
    // phrases of one first character start where those of the index before end.
    int phrase = 0;
    for (int index = 0; index < kScriptTableSize; ++index) {
      first_phrase_[index] = phrase;
      while (phrase < kPinyinPhraseCount &&
             IndexOf(kPinyinPhraseCodes[kPinyinPhrases[phrase].start]) == index) {
        ++phrase;
      }
    }
    first_phrase_[kScriptTableSize] = phrase;
  }

  const Entry& EntryAt(int index) const { return entries_[index]; }

  // The longest phrase that codes begins with, or null; codes[0] has a reading.
  const PinyinPhrase* LongestPhrase(const uint16_t* codes, size_t count) const {
    const int first = IndexOf(codes[0]);
    const PinyinPhrase* low = kPinyinPhrases + first_phrase_[first];
    const PinyinPhrase* high = kPinyinPhrases + first_phrase_[first + 1];
    const PinyinPhrase* longest = nullptr;
    for (size_t k = 1; k < count && k < kLongestPhrase && low != high; ++k) {
      // Inside [low, high) every phrase starts with codes[0..k-1]; those no
      // longer than k sort first.
      auto before = [k](const PinyinPhrase& p, uint16_t code) {
        return p.length <= k || kPinyinPhraseCodes[p.start + k] < code;
      };
      auto after = [k](uint16_t code, const PinyinPhrase& p) {
        return p.length > k && code < kPinyinPhraseCodes[p.start + k];
      };
      low = std::lower_bound(low, high, codes[k], before);
      high = std::upper_bound(low, high, codes[k], after);
      if (low != high && low->length == k + 1) longest = low;
    }
    return longest;
  }

 private:
  static int IndexOf(uint16_t code) { return ScriptTableIndex(code >> 8, code & 0xFF); }

  std::array<Entry, kScriptTableSize> entries_{};
  std::array<uint32_t, kScriptTableSize + 1> first_phrase_{};
};

const PinyinTables& Tables() {
  static const PinyinTables tables;
  return tables;
}

// The tone-marked letters in the internal encoding. The lower-case ones are
// double-byte characters (ḿ, ń, ň and ǹ too); the capitals and m or n with
// a macron, caron or grave are written with GB18030's four-byte forms.
class MarkedLetters {
 public:
  MarkedLetters() {
    const char* const lower[][4] = {
        {"ā", "á", "ǎ", "à"}, {"ē", "é", "ě", "è"}, {"ī", "í", "ǐ", "ì"}, {"ō", "ó", "ǒ", "ò"},
        {"ū", "ú", "ǔ", "ù"}, {"ǖ", "ǘ", "ǚ", "ǜ"}, {"m̄", "ḿ", "m̌", "m̀"}, {"n̄", "ń", "ň", "ǹ"}};
    const char* const upper[][4] = {
        {"Ā", "Á", "Ǎ", "À"}, {"Ē", "É", "Ě", "È"}, {"Ī", "Í", "Ǐ", "Ì"}, {"Ō", "Ó", "Ǒ", "Ò"},
        {"Ū", "Ú", "Ǔ", "Ù"}, {"Ǖ", "Ǘ", "Ǚ", "Ǜ"}, {"M̄", "Ḿ", "M̌", "M̀"}, {"N̄", "Ń", "Ň", "Ǹ"}};
    for (int letter = 0; letter < 8; ++letter) {
      for (int tone = 0; tone < 4; ++tone) {
        marked_[letter][tone][0] = Gbk(lower[letter][tone]);
        marked_[letter][tone][1] = Gbk(upper[letter][tone]);
      }
    }
    u_umlaut_[0] = Gbk("ü");
    u_umlaut_[1] = Gbk("Ü");
    mark_at_.reserve(kPinyinSyllableCount);
    for (int i = 0; i < kPinyinSyllableCount; ++i)
      mark_at_.push_back(MarkPosition(kPinyinSyllables[i]));
  }

  // Where the syllable takes its tone mark: on a or e, on the o of ou, else on
  // the last vowel; m, n and ng (呣, 嗯) take it on their first letter.
  static int MarkPosition(std::string_view syllable) {
    for (char vowel : {'a', 'e'}) {
      if (auto at = syllable.find(vowel); at != std::string_view::npos) return static_cast<int>(at);
    }
    if (auto at = syllable.find("ou"); at != std::string_view::npos) return static_cast<int>(at);
    auto last = syllable.find_last_of("iouv");
    if (last != std::string_view::npos) return static_cast<int>(last);
    auto nasal = syllable.find_first_of("mn");
    return nasal == std::string_view::npos ? 0 : static_cast<int>(nasal);
  }

  int MarkAt(uint16_t reading) const { return mark_at_[reading >> 3]; }

  const GbkText& Marked(char letter, int tone, bool capital) const {
    static constexpr std::string_view kLetters = "aeiouvmn";
    return marked_[kLetters.find(letter)][tone - 1][capital];
  }
  const GbkText& UUmlaut(bool capital) const { return u_umlaut_[capital]; }

 private:
  GbkText marked_[8][4][2];
  GbkText u_umlaut_[2];
  std::vector<int> mark_at_;
};

const MarkedLetters& Letters() {
  static const MarkedLetters letters;
  return letters;
}

char Capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAsciiLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void AppendFull(const PinyinStyle& style, uint16_t reading, GbkText* out) {
  const std::string_view syllable = SyllableOf(reading);
  const int tone = ToneOf(reading);
  const bool marks = style.tone == PinyinTone::Marks;
  const int mark_at = marks && tone != kNeutralTone ? Letters().MarkAt(reading) : -1;
  for (size_t i = 0; i < syllable.size(); ++i) {
    const bool capital = style.letter_case == PinyinCase::Upper ||
                         (style.letter_case == PinyinCase::Capitalised && i == 0);
    const char letter = syllable[i];
    if (static_cast<int>(i) == mark_at) {
      out->append(Letters().Marked(letter, tone, capital));
    } else if (letter == 'v' && marks) {
      out->append(Letters().UUmlaut(capital));
    } else {
      out->push_back(capital ? Capital(letter) : letter);
    }
  }
  if (style.tone == PinyinTone::Digits && tone != kNeutralTone) {
    out->push_back(static_cast<char>('0' + tone));
  }
}

void AppendReading(const PinyinStyle& style, uint16_t reading, GbkText* out) {
  if (style.form == PinyinForm::Full) return AppendFull(style, reading, out);
  const char initial = SyllableOf(reading)[0];
  out->push_back(style.letter_case == PinyinCase::Lower ? initial : Capital(initial));
}

// One character of the text: where it is and, when it has a reading, the
// code it is looked up by.
struct Unit {
  uint32_t at;
  uint16_t width;
  uint16_t code;
  uint16_t reading;
};

std::vector<Unit> ReadUnits(std::string_view text) {
  const PinyinTables& tables = Tables();
  std::vector<Unit> units;
  units.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t width = CharacterWidthAt(text, i);
    Unit unit{static_cast<uint32_t>(i), static_cast<uint16_t>(width), 0, 0};
    if (width == 2) {
      const int index = ScriptTableIndex(static_cast<unsigned char>(text[i]),
                                         static_cast<unsigned char>(text[i + 1]));
      if (index >= 0) {
        unit.code = tables.EntryAt(index).code;
        unit.reading = tables.EntryAt(index).reading;
      }
    }
    units.push_back(unit);
    i += width;
  }
  return units;
}

// Gives every run of characters with readings the readings of its phrases.
void ReadPhrases(std::vector<Unit>& units) {
  std::vector<uint16_t> codes;
  for (size_t i = 0; i < units.size();) {
    size_t end = i;
    while (end < units.size() && units[end].reading != 0) ++end;
    if (end - i >= 2) {
      codes.clear();
      for (size_t k = i; k < end; ++k) codes.push_back(units[k].code);
      for (size_t k = 0; k + 1 < codes.size();) {
        const PinyinPhrase* phrase = Tables().LongestPhrase(&codes[k], codes.size() - k);
        if (phrase == nullptr) {
          ++k;
          continue;
        }
        for (size_t n = 0; n < phrase->length; ++n) {
          units[i + k + n].reading = kPinyinPhraseReadings[phrase->start + n];
        }
        k += phrase->length;
      }
    }
    i = end + 1;
  }
}

}  // namespace

std::optional<GbkText> ToPinyin(const PinyinStyle& style, std::string_view text) {
  std::vector<Unit> units = ReadUnits(text);
  if (std::none_of(units.begin(), units.end(), [](const Unit& u) { return u.reading != 0; })) {
    return std::nullopt;
  }
  ReadPhrases(units);
  enum class Last { Nothing, Reading, LetterOrDigit, Other } last = Last::Nothing;
  GbkText result;
  result.reserve(text.size() * 3);
  for (const Unit& unit : units) {
    const std::string_view original = text.substr(unit.at, unit.width);
    const bool letter_or_digit = unit.width == 1 && IsAsciiLetterOrDigit(original[0]);
    if (unit.reading != 0) {
      if (last == Last::Reading || last == Last::LetterOrDigit) result += style.separator;
      AppendReading(style, unit.reading, &result);
      last = Last::Reading;
    } else {
      if (letter_or_digit && last == Last::Reading) result += style.separator;
      result.append(original);
      last = letter_or_digit ? Last::LetterOrDigit : Last::Other;
    }
  }
  return result;
}

}  // namespace qm
