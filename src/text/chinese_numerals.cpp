#include "text/chinese_numerals.h"

#include <cmath>
#include <string>
#include <unordered_map>

#include "text/gbk_text.h"

namespace qm {
namespace {

const GbkText& NumeralCharacters() {
  static const GbkText characters = Gbk("零一二三四五六七八九十百千万亿");
  return characters;
}

// NumeralText of 1 to 999, the only numbers NumeralValue reads, and their values.
const std::unordered_map<GbkText, int>& RecognisedNumerals() {
  static const std::unordered_map<GbkText, int> values = [] {
    std::unordered_map<GbkText, int> result;
    for (int n = 1; n <= 999; ++n) result.emplace(NumeralText(n), n);
    return result;
  }();
  return values;
}

// Byte length of the text made of name's hanzi alone.
int HanziByteLength(std::string_view name) {
  int length = 0;
  for (size_t i = 0; i < name.size();) {
    const size_t width = CharacterWidthAt(name, i);
    if (width == 2 &&
        IsHanzi(static_cast<unsigned char>(name[i]), static_cast<unsigned char>(name[i + 1]))) {
      length += 2;
    }
    i += width;
  }
  return length;
}

}  // namespace

GbkText NumeralText(double number) {
  GbkText text = ChineseNumerals(number, true);
  const bool ten_to_nineteen =
      number > 9 + 1e-7 && number < 20 - 1e-7 && std::fabs(number - std::round(number)) < 1e-7;
  if (ten_to_nineteen && text.size() >= 2) text.erase(0, 2);
  return text;
}

GbkText NumeralValue(std::string_view run) {
  const int characters = static_cast<int>(run.size() / 2);
  int last = 0;
  switch (characters) {
    case 1:
      last = 10;
      break;
    case 3:
      last = 100;
      break;
    case 2:
    case 4:
    case 5:
      last = 999;
      break;
    default:
      return {};
  }
  // NumeralText writes every number its own way, so the first match is the only one.
  const auto& numerals = RecognisedNumerals();
  auto found = numerals.find(GbkText(run));
  if (found == numerals.end() || found->second > last) return {};
  return GbkText(std::to_string(found->second));
}

bool IsNumeralCharacter(std::string_view two_bytes) {
  if (two_bytes.size() != 2) return false;
  const GbkText& characters = NumeralCharacters();
  for (size_t i = 0; i + 1 < characters.size(); i += 2) {
    if (characters.compare(i, 2, two_bytes) == 0) return true;
  }
  return false;
}

bool IsHanzi(unsigned char lead, unsigned char trail) {
  return lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

GbkText FindNumeralRun(std::string_view name) {
  const int limit = HanziByteLength(name) - 1;  // last one-based start of a piece
  auto piece = [&](int position) { return name.substr(position - 1, 2); };
  int start = -1;
  for (int position = 1; position <= limit; position += 2) {
    if (IsNumeralCharacter(piece(position))) {
      start = position;
      break;
    }
  }
  if (start == -1) return {};
  int end = start + 2;
  while (end <= limit && IsNumeralCharacter(piece(end))) end += 2;
  return GbkText(name.substr(start - 1, end - start));
}

}  // namespace qm
