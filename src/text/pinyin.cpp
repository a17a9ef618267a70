#include "text/pinyin.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "text/gbk_text.h"
#include "text/pinyin_tables_data.h"
#include "text/script_tables.h"

namespace qm {
namespace {

constexpr int kNeutralTone = 5;

int ToneOf(uint16_t reading) { return reading & 7; }

// The code a character is looked up by (its simplified form) and its reading
// outside any phrase; both zero for a character without one.
struct Entry {
  uint16_t code = 0;
  uint16_t reading = 0;
};

// Tables by double-byte code less 0x8100 (every lead byte times every second
// byte, so the lookup is a subtraction); codes outside the code space hold no
// reading.
constexpr int kFirstCode = 0x8100;
constexpr int kCodeCount = 0x10000 - kFirstCode;

class PinyinTables {
 public:
  PinyinTables() {
    std::array<uint16_t, kCodeCount> own{};
    for (int i = 0; i < kPinyinCharacterCount; ++i) {
      own[kPinyinCharacters[i].code - kFirstCode] = kPinyinCharacters[i].reading;
    }
    // A traditional character reads like its simplified form; one whose
    // simplified form has no reading keeps its own.
    for (int code = kFirstCode; code < 0x10000; ++code) {
      const int index = ScriptTableIndex(code >> 8, code & 0xFF);
      if (index < 0) continue;
      const uint16_t simplified = ScriptTableEntry(ScriptDirection::TraditionalToSimplified, index);
      const uint16_t reading =
          own[simplified - kFirstCode] != 0 ? own[simplified - kFirstCode] : own[code - kFirstCode];
      if (reading != 0) entries_[code - kFirstCode] = {simplified, reading};
    }
    // Phrases are sorted by code, so those of one first character start where
    // those of the code before end.
    int phrase = 0;
    for (int code = kFirstCode; code < 0x10000; ++code) {
      first_phrase_[code - kFirstCode] = phrase;
      while (phrase < kPinyinPhraseCount &&
             kPinyinPhraseCodes[kPinyinPhrases[phrase].start] == code) {
        ++phrase;
      }
    }
    first_phrase_[kCodeCount] = phrase;
    for (int i = 0; i < kPinyinPhraseCount; ++i) {
      const uint16_t* codes = kPinyinPhraseCodes + kPinyinPhrases[i].start;
      may_begin_phrase_.set(PairHash(codes[0], codes[1]));
    }
  }

  // The entry of the double-byte character at text[at], or null when it has
  // no reading; text[at] starts a character.
  const Entry* EntryAt(std::string_view text, size_t at) const {
    if (at + 1 >= text.size()) return nullptr;
    const int code =
        static_cast<unsigned char>(text[at]) << 8 | static_cast<unsigned char>(text[at + 1]);
    // The first two bytes of a four-byte character (lead, digit) hold no
    // reading, so they need no check of their own.
    if (code < kFirstCode || entries_[code - kFirstCode].reading == 0) return nullptr;
    return &entries_[code - kFirstCode];
  }

  // The longest phrase that codes begins with, or null; codes[0] has a reading.
  const PinyinPhrase* LongestPhrase(const uint16_t* codes, size_t count) const {
    // Most places begin no phrase; a set of the phrases' first two codes
    // (hashed, so now and then wrong the other way) says so without a search.
    if (count < 2 || !may_begin_phrase_.test(PairHash(codes[0], codes[1]))) return nullptr;
    const PinyinPhrase* low = kPinyinPhrases + first_phrase_[codes[0] - kFirstCode];
    const PinyinPhrase* high = kPinyinPhrases + first_phrase_[codes[0] - kFirstCode + 1];
    const PinyinPhrase* longest = nullptr;
    for (size_t k = 1; k < count && low != high; ++k) {
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
  std::array<Entry, kCodeCount> entries_{};
  std::array<uint16_t, kCodeCount + 1> first_phrase_{};
  std::bitset<1 << 16> may_begin_phrase_;

  static size_t PairHash(uint16_t first, uint16_t second) {
    return (first * 0x9E37u ^ second) & 0xFFFF;
  }
};

const PinyinTables& Tables() {
  static const PinyinTables tables;
  return tables;
}

char Capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAsciiLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Where a syllable takes its tone mark: on a or e, on the o of ou, else on the
// last vowel; m, n and ng (呣, 嗯) take it on their first letter. A syllable
// with none of these (the data set's "f") takes no mark: its size.
size_t MarkPosition(std::string_view syllable) {
  for (char vowel : {'a', 'e'}) {
    if (auto at = syllable.find(vowel); at != std::string_view::npos) return at;
  }
  if (auto at = syllable.find("ou"); at != std::string_view::npos) return at;
  if (auto at = syllable.find_last_of("iouv"); at != std::string_view::npos) return at;
  auto nasal = syllable.find_first_of("mn");
  return nasal == std::string_view::npos ? syllable.size() : nasal;
}

// Every reading spelled in every letter case, without and with tone marks, in
// the internal encoding, worked out once so that writing one is a copy. The
// lower-case marked letters are double-byte characters (ḿ, ń, ň and ǹ too);
// the capitals, and m or n with a macron, caron or grave, are written with
// GB18030's four-byte forms.
class Spellings {
 public:
  Spellings() : reading_count_(kPinyinSyllableCount * 8) {
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
    for (bool marks : {false, true}) {
      for (PinyinCase letter_case :
           {PinyinCase::Lower, PinyinCase::Capitalised, PinyinCase::Upper}) {
        for (int reading = 0; reading < reading_count_; ++reading) {
          starts_.push_back(static_cast<uint32_t>(spelled_.size()));
          const std::string_view syllable = kPinyinSyllables[reading >> 3];
          // Tones are 1 to 5; the other slots stay empty.
          const int tone = ToneOf(reading);
          if (tone >= 1 && tone <= kNeutralTone) Spell(syllable, tone, marks, letter_case);
          if (spelled_.size() - starts_.back() >= kSpellingRoom) std::abort();
        }
      }
    }
    starts_.push_back(static_cast<uint32_t>(spelled_.size()));
    spelled_.append(kSpellingRoom, '\0');
  }

  // Every spelling is shorter than this, and this many bytes can be read from
  // its start (see BufferedText::AppendSpelling).
  static constexpr size_t kSpellingRoom = 16;

  std::string_view Spelled(bool marks, PinyinCase letter_case, uint16_t reading) const {
    const size_t slot = (marks * 3 + static_cast<size_t>(letter_case)) * reading_count_ + reading;
    return std::string_view(spelled_).substr(starts_[slot], starts_[slot + 1] - starts_[slot]);
  }

 private:
  void Spell(std::string_view syllable, int tone, bool marks, PinyinCase letter_case) {
    const size_t mark_at = marks && tone != kNeutralTone ? MarkPosition(syllable) : syllable.size();
    for (size_t i = 0; i < syllable.size(); ++i) {
      const bool capital =
          letter_case == PinyinCase::Upper || (letter_case == PinyinCase::Capitalised && i == 0);
      const char letter = syllable[i];
      if (i == mark_at) {
        spelled_ += marked_[std::string_view("aeiouvmn").find(letter)][tone - 1][capital];
      } else if (letter == 'v' && marks) {
        spelled_ += u_umlaut_[capital];
      } else {
        spelled_ += capital ? Capital(letter) : letter;
      }
    }
  }

  const int reading_count_;
  GbkText marked_[8][4][2];
  GbkText u_umlaut_[2];
  GbkText spelled_;
  std::vector<uint32_t> starts_;
};

const Spellings& Spelling() {
  static const Spellings spellings;
  return spellings;
}

// Appends to a text through a small buffer, written to the text by Flush: a
// reading is a few bytes, and appending each piece to the string costs more
// than finding the reading.
class BufferedText {
 public:
  explicit BufferedText(GbkText* text) : text_(text) {}
  BufferedText(const BufferedText&) = delete;
  BufferedText& operator=(const BufferedText&) = delete;

  void push_back(char c) {
    if (used_ == kSize) Flush();
    buffer_[used_++] = c;
  }

  void append(std::string_view bytes) {
    if (bytes.size() > kSize - used_) {
      Flush();
      if (bytes.size() > kSize) {
        text_->append(bytes);
        return;
      }
    }
    for (char c : bytes) buffer_[used_++] = c;
  }

  // A spelling copied in one fixed-size move, with room to read past its end.
  void AppendSpelling(std::string_view spelling) {
    if (kSize - used_ < Spellings::kSpellingRoom) Flush();
    std::memcpy(&buffer_[used_], spelling.data(), Spellings::kSpellingRoom);
    used_ += spelling.size();
  }

  void Flush() {
    text_->append(buffer_.data(), used_);
    used_ = 0;
  }

 private:
  static constexpr size_t kSize = 256;
  GbkText* text_;
  std::array<char, kSize> buffer_;
  size_t used_ = 0;
};

void AppendReading(const Spellings& spellings, const PinyinStyle& style, uint16_t reading,
                   BufferedText* out) {
  if (style.form == PinyinForm::Initials) {
    // The first letter of the toneless spelling: zh gives z, lv gives l.
    out->push_back(spellings.Spelled(false, style.letter_case, reading)[0]);
    return;
  }
  out->AppendSpelling(
      spellings.Spelled(style.tone == PinyinTone::Marks, style.letter_case, reading));
  if (style.tone == PinyinTone::Digits && ToneOf(reading) != kNeutralTone) {
    out->push_back(static_cast<char>('0' + ToneOf(reading)));
  }
}

// The characters with readings of one run of Chinese text: the codes they
// are looked up by and their readings, changed where a phrase matches. A run
// holds up to 128 characters, more than a name of 255 bytes has; a longer run
// is read in pieces, which a phrase across a piece's end does not match.
class Run {
 public:
  static constexpr size_t kCapacity = 128;

  explicit Run(const PinyinTables& tables) : tables_(tables) {}

  // Reads the characters with readings from text[at] on; returns where the run ends.
  size_t Read(std::string_view text, size_t at) {
    size_ = 0;
    for (const Entry* entry; size_ < kCapacity && (entry = tables_.EntryAt(text, at)); at += 2) {
      codes_[size_] = entry->code;
      readings_[size_] = entry->reading;
      ++size_;
    }
    return at;
  }

  void ReadPhrases() {
    for (size_t k = 0; k + 1 < size_;) {
      const PinyinPhrase* phrase = tables_.LongestPhrase(&codes_[k], size_ - k);
      if (phrase == nullptr) {
        ++k;
        continue;
      }
      std::copy_n(kPinyinPhraseReadings + phrase->start, phrase->length, &readings_[k]);
      k += phrase->length;
    }
  }

  size_t size() const { return size_; }
  uint16_t reading(size_t k) const { return readings_[k]; }

 private:
  const PinyinTables& tables_;
  size_t size_ = 0;
  std::array<uint16_t, kCapacity> codes_;
  std::array<uint16_t, kCapacity> readings_;
};

// Where the first character with a reading starts, or npos: most names have
// none, and they are left without building anything.
size_t FirstReadable(std::string_view text) {
  for (size_t i = 0; i < text.size(); i += CharacterWidthAt(text, i)) {
    if (Tables().EntryAt(text, i) != nullptr) return i;
  }
  return std::string_view::npos;
}

// Appends text's characters and readings, with the separator where it belongs.
class PinyinWriter {
 public:
  PinyinWriter(const PinyinStyle& style, BufferedText* out)
      : spellings_(Spelling()), style_(style), out_(out) {}

  void Reading(uint16_t reading) {
    if (last_ == Last::Reading || last_ == Last::LetterOrDigit) Separate();
    AppendReading(spellings_, style_, reading, out_);
    last_ = Last::Reading;
  }

  void Other(std::string_view character) {
    if (character.size() == 1) return Ascii(character[0]);
    out_->append(character);
    last_ = Last::Other;
  }

  void Ascii(char c) {
    const bool letter_or_digit = IsAsciiLetterOrDigit(c);
    if (letter_or_digit && last_ == Last::Reading) Separate();
    out_->push_back(c);
    last_ = letter_or_digit ? Last::LetterOrDigit : Last::Other;
  }

 private:
  enum class Last { Nothing, Reading, LetterOrDigit, Other };

  void Separate() {
    if (!style_.separator.empty()) out_->append(style_.separator);
  }

  const Spellings& spellings_;
  const PinyinStyle& style_;
  BufferedText* out_;
  Last last_ = Last::Nothing;
};

}  // namespace

std::optional<GbkText> ToPinyin(const PinyinStyle& style, std::string_view text) {
  if (FirstReadable(text) == std::string_view::npos) return std::nullopt;
  GbkText result;
  result.reserve(text.size() * 3 + 16);
  BufferedText out(&result);
  PinyinWriter writer(style, &out);
  Run run(Tables());
  for (size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      writer.Ascii(text[at++]);
      continue;
    }
    const size_t end = run.Read(text, at);
    if (run.size() == 0) {
      const size_t width = CharacterWidthAt(text, at);
      writer.Other(text.substr(at, width));
      at += width;
      continue;
    }
    run.ReadPhrases();
    for (size_t k = 0; k < run.size(); ++k) writer.Reading(run.reading(k));
    at = end;
  }
  out.Flush();
  return result;
}

}  // namespace qm
