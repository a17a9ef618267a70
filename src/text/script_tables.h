#pragma once

#include <cstdint>
#include <string_view>

#include "base/gbk_text_type.h"

namespace qm {

enum class ScriptDirection { TraditionalToSimplified, SimplifiedToTraditional };

// The double-byte code space of the tables: lead bytes 0x81-0xFE times trail
// bytes 0x40-0x7E and 0x80-0xFE.
inline constexpr int kScriptTableSize = 126 * 190;

// The table index of a lead and trail byte, or -1 outside the code space.
int ScriptTableIndex(unsigned char lead, unsigned char trail);

// The code (lead byte high) held by the table's entry: the counterpart of the
// character, or the character itself when it has none.
uint16_t ScriptTableEntry(ScriptDirection direction, int index);

// Converts every double-byte character of text through the table; single
// bytes, pairs outside the code space and a lone last lead byte stay as they are.
GbkText ConvertScript(std::string_view text, ScriptDirection direction);

}  // namespace qm
