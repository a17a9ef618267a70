#include "rename/numbering_operations.h"

#include <algorithm>
#include <memory>
#include <random>

#include "text/gbk_text.h"
#include "workspace/list_functions.h"

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

GbkText NumberText(int64_t n, int64_t last, int width) {
  GbkText digits = ToText(n);
  if (width > 0) {
    if (digits.size() < static_cast<size_t>(width)) digits.insert(0, width - digits.size(), '0');
    return digits;
  }
  if (last >= 100 && n <= 9) return "00" + digits;
  if (n <= 9 || (last >= 100 && n <= 99)) return "0" + digits;
  return digits;
}

GbkText NumberedName(int64_t n, int64_t last, std::string_view symbol, std::string_view name,
                     int width) {
  return Concatenate(NumberText(n, last, width), symbol, name);
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

namespace {

// The symbol between number and name: nothing for "不加" or no pick.
GbkText ChosenSymbol(const Form& form) {
  static const GbkText none = Gbk("不加");
  const int index = form.ComboIndex(Control::组合框5);
  if (index == -1) return {};
  GbkText symbol = form.ComboItem(Control::组合框5, index);
  return symbol == none ? GbkText() : symbol;
}

std::optional<AfterQuestion> SequenceRefusal(NumberSequence::Problem problem) {
  static const GbkText zero_step = Gbk("每次递增不能为0！");
  static const GbkText below_zero = Gbk("序号不能小于0！");
  static const GbkText title = Gbk("提醒：");
  switch (problem) {
    case NumberSequence::Problem::ZeroStep:
      return AfterQuestion{{zero_step, title, Icon::Information}, true};
    case NumberSequence::Problem::BelowZero:
      return AfterQuestion{{below_zero, title, Icon::Information}, true};
    case NumberSequence::Problem::None:
      break;
  }
  return std::nullopt;
}

}  // namespace

OperationDefinition NumberEntriesOperation(int width) {
  OperationDefinition definition;
  definition.prepare = [width](MainServices& services, bool) {
    const Form& form = services.form;
    // The run numbers the listed entries in both modes, so they fix the count.
    const int count = static_cast<int>(ReadEntryNames(form, services.list, false).size());
    NumberSequence sequence =
        ChooseSequence(form.Text(Control::编辑框17), form.Text(Control::编辑框19), count);
    sequence.width = width;
    PreparedOperation prepared;
    prepared.input = TransformInput::WholeName;
    prepared.after_question = SequenceRefusal(sequence.problem);
    prepared.transform = [sequence, symbol = ChosenSymbol(form)](
                             const GbkText& name,
                             const EntryContext& entry) -> std::optional<GbkText> {
      return NumberedName(sequence.NumberOf(entry.index + 1), sequence.last, symbol, name,
                          sequence.width);
    };
    return prepared;
  };
  return definition;
}

OperationDefinition AppendAvNumberOperation(RandomDigit digit) {
  OperationDefinition definition;
  definition.prepare = [digit = std::move(digit)](MainServices&, bool) {
    PreparedOperation prepared;
    prepared.transform = [digit](const GbkText& stem,
                                 const EntryContext& entry) -> std::optional<GbkText> {
      return AppendAvNumber(stem, entry.row + 1, digit);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
