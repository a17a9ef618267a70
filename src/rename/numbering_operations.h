#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "base/gbk_text_type.h"
#include "rename/rename_run.h"

namespace qm {

// The sequence number of entry k (1-based) is start + (k - 1) * step; last is
// the number of the last entry, which decides the zero-fill width.
struct NumberSequence {
  enum class Problem {
    None,
    ZeroStep,   // every entry would get the same number
    BelowZero,  // a number below 0 has no sensible zero-filled form
  };
  int64_t start = 1;
  int64_t step = 1;
  int64_t last = 0;
  Problem problem = Problem::None;

  int64_t NumberOf(int k) const { return start + (k - 1) * step; }
};

// The sequence for count entries from the typed start and increment (used as
// typed, read by ToInteger). Both empty: 1, 2, ... count. An empty start
// counts from 1, as the help text promises; an empty increment steps by 1.
NumberSequence ChooseSequence(std::string_view start_text, std::string_view step_text, int count);

// n zero-filled to two digits while the last number is below 100, to three
// from there on; wider numbers are written as they are.
GbkText NumberText(int64_t n, int64_t last);

// number text + symbol + the whole old name, extension included.
GbkText NumberedName(int64_t n, int64_t last, std::string_view symbol, std::string_view name);

// A decimal digit, 0 to 9, drawn afresh at every call.
using RandomDigit = std::function<int()>;

// Uniform digits from a generator seeded once by the system's entropy source,
// so entries handled within one clock tick still get their own digits.
RandomDigit SystemRandomDigit();

// stem + "(Av" + nine digits + ",P" + position + ")", the tag a B站 download
// carries; position is the entry's place in the list, 1-based.
GbkText AppendAvNumber(std::string_view stem, int position, const RandomDigit& digit);

// The two numbering renames as the rename run drives them. The AV tags draw
// their digits from digit.
OperationDefinition NumberEntriesOperation();
OperationDefinition AppendAvNumberOperation(RandomDigit digit = SystemRandomDigit());

}  // namespace qm
