#include "rename/pinyin_operations.h"

namespace qm {
namespace {

// The combos list their items in the order of the enums.
template <class Enum>
Enum PickedOf(const Form& form, Control combo) {
  return static_cast<Enum>(std::max(0, form.ComboIndex(combo)));
}

}  // namespace

PinyinStyle PinyinStyleOfForm(const Form& form) {
  static constexpr const char* kSeparators[] = {"", " ", "_", "-"};
  PinyinStyle style;
  style.form = PickedOf<PinyinForm>(form, Control::组合框_拼音形式);
  style.tone = PickedOf<PinyinTone>(form, Control::组合框_拼音声调);
  const int separator = form.ComboIndex(Control::组合框_拼音分隔);
  style.separator = separator > 0 && separator < 4 ? kSeparators[separator] : "";
  style.letter_case = PickedOf<PinyinCase>(form, Control::组合框_拼音大小写);
  return style;
}

OperationDefinition ToPinyinOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool) {
    PreparedOperation prepared;
    prepared.transform = [style = PinyinStyleOfForm(services.form)](
                             const GbkText& text, const EntryContext&) -> std::optional<GbkText> {
      return ToPinyin(style, text);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
