#include "rename/numbering_operations.h"

#include <algorithm>
#include <memory>
#include <random>

#include "text/gbk_text.h"

namespace qm {

NumberSequence ChooseSequence(std::string_view start_text, std::string_view step_text, int count) {
  NumberSequence sequence;
  if (start_text.empty() && step_text.empty()) {
    sequence.last = count;
    return sequence;
  }
  sequence.start = start_text.empty() ? 1 : ToInteger(start_text);
  sequence.step = step_text.empty() ? 1 : ToInteger(step_text);
  sequence.last = sequence.NumberOf(count);
  if (sequence.step == 0) {
    sequence.problem = NumberSequence::Problem::ZeroStep;
  } else if (sequence.start < 0 || (count > 0 && sequence.last < 0)) {
    sequence.problem = NumberSequence::Problem::BelowZero;
  }
  return sequence;
}

GbkText NumberText(int64_t n, int64_t last) {
  GbkText digits = ToText(n);
  if (last >= 100 && n <= 9) return "00" + digits;
  if (n <= 9 || (last >= 100 && n <= 99)) return "0" + digits;
  return digits;
}

GbkText NumberedName(int64_t n, int64_t last, std::string_view symbol, std::string_view name) {
  return Concatenate(NumberText(n, last), symbol, name);
}

RandomDigit SystemRandomDigit() {
  auto generator = std::make_shared<std::mt19937>(std::random_device{}());
  return [generator] { return std::uniform_int_distribution<int>(0, 9)(*generator); };
}

GbkText AppendAvNumber(std::string_view stem, int position, const RandomDigit& digit) {
  GbkText digits;
  for (int i = 0; i < 9; ++i) digits += static_cast<char>('0' + std::clamp(digit(), 0, 9));
  return GbkText(stem) + "(Av" + digits + ",P" + ToText(position) + ")";
}

}  // namespace qm
