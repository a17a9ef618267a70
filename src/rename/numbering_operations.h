#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "base/gbk_text_type.h"
#include "rename/rename_run.h"

namespace qm {

// The sequence number of entry k (1-based) is start + (k - 1) * step; last is
// the number of the last entry, which decides the zero-fill width unless a
// width is given.
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
  // At least this many digits, zero-filled. The window has no field for it and
  // leaves it 0: its own rule (two digits, three once last reaches 100).
  int width = 0;

  int64_t NumberOf(int k) const { return start + (k - 1) * step; }
};

// The sequence for count entries from the typed start and increment (used as
// typed, read by ToInteger). Both empty: 1, 2, ... count. An empty start
// counts from 1, as the help text promises; an empty increment steps by 1.
NumberSequence ChooseSequence(std::string_view start_text, std::string_view step_text, int count);

// n zero-filled to two digits while the last number is below 100, to three
// from there on, or to `width` digits when one is given; wider numbers are
// written as they are.
GbkText NumberText(int64_t n, int64_t last, int width = 0);

// number text + symbol + the whole old name, extension included.
GbkText NumberedName(int64_t n, int64_t last, std::string_view symbol, std::string_view name,
                     int width = 0);

// A decimal digit, 0 to 9, drawn afresh at every call.
using RandomDigit = std::function<int()>;

// Uniform digits from a generator seeded once by the system's entropy source,
// so entries handled within one clock tick still get their own digits.
RandomDigit SystemRandomDigit();

// stem + "(Av" + nine digits + ",P" + position + ")", the tag a B站 download
// carries; position is the entry's place in the list, 1-based.
GbkText AppendAvNumber(std::string_view stem, int position, const RandomDigit& digit);

// The two numbering renames as the rename run drives them. The numbers are
// `width` digits wide at least (0: as the window writes them); the AV tags
// draw their digits from digit.
OperationDefinition NumberEntriesOperation(int width = 0);
OperationDefinition AppendAvNumberOperation(RandomDigit digit = SystemRandomDigit());

}  // namespace qm
