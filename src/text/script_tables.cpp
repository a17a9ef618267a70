#include "text/script_tables.h"

#include <array>

#include "text/gbk_text.h"
#include "text/script_tables_data.h"

namespace qm {
namespace {

using ScriptTable = std::array<uint16_t, kScriptTableSize>;

uint16_t CodeOfIndex(int index) {
  int lead = 0x81 + index / 190;
  int trail = index % 190;
  trail += trail <= 0x7E - 0x40 ? 0x40 : 0x41;
  return static_cast<uint16_t>(lead << 8 | trail);
}

// Every entry starts as its own code; the generated pairs override those that
// have a counterpart.
ScriptTable BuildTable(const ScriptPair* pairs, int count) {
  ScriptTable table;
  for (int index = 0; index < kScriptTableSize; ++index) table[index] = CodeOfIndex(index);
  for (int i = 0; i < count; ++i) {
    int index = ScriptTableIndex(pairs[i].code >> 8, pairs[i].code & 0xFF);
    if (index >= 0) table[index] = pairs[i].converted;
  }
  return table;
}

const ScriptTable& TableOf(ScriptDirection direction) {
  static const ScriptTable to_simplified =
      BuildTable(kTraditionalToSimplifiedPairs, kTraditionalToSimplifiedPairCount);
  static const ScriptTable to_traditional =
      BuildTable(kSimplifiedToTraditionalPairs, kSimplifiedToTraditionalPairCount);
  return direction == ScriptDirection::TraditionalToSimplified ? to_simplified : to_traditional;
}

}  // namespace

int ScriptTableIndex(unsigned char lead, unsigned char trail) {
  if (lead < 0x81 || lead > 0xFE) return -1;
  int row = (lead - 0x81) * 190;
  if (trail >= 0x40 && trail <= 0x7E) return row + (trail - 0x40);
  if (trail >= 0x80 && trail <= 0xFE) return row + (trail - 0x41);
  return -1;
}

uint16_t ScriptTableEntry(ScriptDirection direction, int index) {
  return TableOf(direction)[index];
}

GbkText ConvertScript(std::string_view text, ScriptDirection direction) {
  const ScriptTable& table = TableOf(direction);
  GbkText result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t width = CharacterWidthAt(text, i);
    // Only two-byte characters are in the tables; a four-byte one stays as it is.
    int index = width == 2 ? ScriptTableIndex(static_cast<unsigned char>(text[i]),
                                              static_cast<unsigned char>(text[i + 1]))
                           : -1;
    if (index < 0) {
      result.append(text.substr(i, width));
    } else {
      result.push_back(static_cast<char>(table[index] >> 8));
      result.push_back(static_cast<char>(table[index] & 0xFF));
    }
    i += width;
  }
  return result;
}

}  // namespace qm
