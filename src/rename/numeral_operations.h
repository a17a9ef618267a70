#pragma once

#include <string_view>

#include "base/gbk_text_type.h"
#include "rename/rename_run.h"

namespace qm {

// The name transforms of the two numeral renames. An empty result leaves the
// entry alone.

// text (a stem, or a folder's whole name) with its first digit run written in
// Chinese numerals: 第15课 gives 第十五课. A run worth more than the numerals
// can write is left alone rather than turned into 溢出.
GbkText DigitsToChineseNumerals(std::string_view text);

// name (always the whole name, extension included) with its first numeral
// run (see FindNumeralRun) written in digits: 第十五课.mp4 gives 第15课.mp4.
GbkText ChineseNumeralsToDigits(std::string_view name);

// The two numeral renames as the rename run drives them.
OperationDefinition DigitsToChineseNumeralsOperation();
OperationDefinition ChineseNumeralsToDigitsOperation();

}  // namespace qm
