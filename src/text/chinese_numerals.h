#pragma once

#include <string_view>

#include "base/gbk_text_type.h"

namespace qm {

// The numeral text of a number as the numeral renames write it: the simplified
// ChineseNumerals form, except that ten to nineteen drop their leading 一
// (十五, not 一十五), the way a lesson title is read aloud.
GbkText NumeralText(double number);

// The decimal digits of the number a run of numeral characters writes, or ""
// when the run is not one NumeralText writes for 1 to 999. Only that range is
// recognised, so the conversion never guesses at forms such as 两 or 一十五.
GbkText NumeralValue(std::string_view run);

// One of 零一二三四五六七八九十百千万亿, as two bytes.
bool IsNumeralCharacter(std::string_view two_bytes);

// A two-byte character of the ideograph area of GB2312.
bool IsHanzi(unsigned char lead, unsigned char trail);

// The first run of numeral characters in name, searched the way the
// numeral-to-digit rename always has: two-byte pieces at odd byte positions,
// no further than the byte count of the name's hanzi allows. A name with an
// odd number of single-byte characters before its numerals is therefore not
// matched, and names with other characters can have their run cut short.
GbkText FindNumeralRun(std::string_view name);

}  // namespace qm
