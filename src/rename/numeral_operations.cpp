#include "rename/numeral_operations.h"

#include <string>

#include "text/chinese_numerals.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {
namespace {

// ChineseNumerals writes nothing above this; it answers 溢出 instead.
constexpr std::string_view kLargestWritable = "9999999999999";

bool Writable(std::string_view digits) {
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return true;
  std::string_view value = digits.substr(first);
  if (value.size() != kLargestWritable.size()) return value.size() < kLargestWritable.size();
  return value <= kLargestWritable;
}

}  // namespace

GbkText DigitsToChineseNumerals(std::string_view text) {
  const GbkText digits = FirstDigitRun(GbkText(text));
  if (digits.empty() || !Writable(digits)) return {};
  const GbkText numerals = NumeralText(std::stod(digits.bytes()));
  return Replace(text, digits, numerals, 1, 1);
}

GbkText ChineseNumeralsToDigits(std::string_view name) {
  const GbkText run = FindNumeralRun(name);
  if (run.empty()) return {};
  const GbkText digits = NumeralValue(run);
  if (digits.empty()) return {};
  return Replace(name, run, digits, 1, 1);
}

OperationDefinition DigitsToChineseNumeralsOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices&, bool) {
    PreparedOperation prepared;
    prepared.transform = [](const GbkText& text, const EntryContext&) -> std::optional<GbkText> {
      return DigitsToChineseNumerals(text);
    };
    return prepared;
  };
  return definition;
}

OperationDefinition ChineseNumeralsToDigitsOperation() {
  OperationDefinition definition;
  definition.shows_progress = true;
  definition.prepare = [](MainServices&, bool) {
    PreparedOperation prepared;
    // Extensions hold no numeral characters, so the whole name is searched.
    prepared.input = TransformInput::WholeName;
    prepared.transform = [](const GbkText& name, const EntryContext&) -> std::optional<GbkText> {
      return ChineseNumeralsToDigits(name);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
