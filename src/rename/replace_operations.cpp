#include "rename/replace_operations.h"

#include <string_view>
#include <utility>

#include "base/path_rules.h"
#include "platform/reminder.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {
namespace {

// Replacing from the right may bring in a new occurrence with every step (the
// replacement contains the searched text), so a large count would grow the name
// without end. No file system takes a name this long: the entry is left alone.
constexpr int kLongestName = 4096;

}  // namespace

std::optional<GbkText> ReplaceText(const TextReplacement& replacement, const GbkText& text) {
  const GbkText& find = replacement.find;
  if (replacement.scope == ReplaceScope::AfterLeadingNumber) {
    const int p = Find(text, find);
    if (p == -1 || p > 8) return std::nullopt;
    return Replace(text, find, replacement.replacement, p, 1);
  }
  if (replacement.direction == ReplaceDirection::FromLeft) {
    const int p = Find(text, find);
    if (p == -1) return std::nullopt;
    return Replace(text, find, replacement.replacement, p, replacement.count);
  }
  GbkText result = text;
  for (int i = 0; i < replacement.count; ++i) {
    const int q = ReverseFind(result, find);
    if (q == -1) break;  // nothing left to replace: further steps change nothing
    GbkText next = Replace(result, find, replacement.replacement, q, 1);
    if (next == result) break;  // the replacement is the searched text itself
    if (Length(next) > kLongestName) return std::nullopt;
    result = std::move(next);
  }
  return result;
}

std::optional<GbkText> ZeroFillLeadingNumber(int row_count, const GbkText& text) {
  const GbkText digits = FirstDigitRun(text);
  if (digits.empty()) return std::nullopt;
  GbkText widened;
  if (row_count <= 99) {
    if (digits.size() == 1) widened = "0" + digits;
  } else if (row_count <= 1000) {
    if (digits.size() == 1) widened = "00" + digits;
    if (digits.size() == 2) widened = "0" + digits;
  }
  if (widened.empty()) return std::nullopt;
  // The first occurrence of the run is the run itself: no digit precedes it.
  return Replace(text, digits, widened, 1, 1);
}

std::optional<GbkText> ConvertChineseScript(ScriptDirection direction, const GbkText& name) {
  return ConvertScript(name, direction);
}

bool ScriptRadioClicked(Form& form, Control radio) {
  if (radio != Control::单选框15 && radio != Control::单选框16) return false;
  if (form.IsChecked(radio)) {
    form.SetText(Control::按钮_繁简, Gbk(radio == Control::单选框15 ? "繁转简" : "简转繁"));
  }
  return true;
}

OperationDefinition ReplaceTextOperation() {
  OperationDefinition definition;
  definition.validate = [](MainServices& services) {
    const Form& form = services.form;
    if (HasForbiddenCharacter(form.Text(Control::编辑框5))) {
      services.messages.Show(Gbk("不能改成这个东西"), {}, Icon::None, Buttons::Ok);
      return false;
    }
    const GbkText count_text = form.Text(Control::编辑框16);
    if (!count_text.empty() && ToInteger(count_text) == 0) {
      ShowReminder(services.messages, "替换次数没写对，请重新再写！");
      return false;
    }
    return true;
  };
  definition.prepare = [](MainServices& services, bool) {
    const Form& form = services.form;
    const GbkText count_text = form.Text(Control::编辑框16);
    TextReplacement replacement{form.Text(Control::编辑框4), form.Text(Control::编辑框5),
                                count_text.empty() ? 1 : ToInteger(count_text),
                                form.IsChecked(Control::单选框8) ? ReplaceScope::Unlimited
                                                                 : ReplaceScope::AfterLeadingNumber,
                                form.IsChecked(Control::单选框10) ? ReplaceDirection::FromRight
                                                                  : ReplaceDirection::FromLeft};
    PreparedOperation prepared;
    prepared.transform = [replacement](const GbkText& text, const EntryContext&) {
      return ReplaceText(replacement, text);
    };
    return prepared;
  };
  return definition;
}

OperationDefinition ZeroFillLeadingNumberOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool) {
    // The width follows the list's size, empty rows included.
    const int row_count = services.list.RowCount();
    PreparedOperation prepared;
    prepared.transform = [row_count](const GbkText& text, const EntryContext&) {
      return ZeroFillLeadingNumber(row_count, text);
    };
    return prepared;
  };
  return definition;
}

OperationDefinition ConvertChineseScriptOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool) {
    // The radio buttons decide, never the button's caption.
    const ScriptDirection direction = services.form.IsChecked(Control::单选框15)
                                          ? ScriptDirection::TraditionalToSimplified
                                          : ScriptDirection::SimplifiedToTraditional;
    PreparedOperation prepared;
    // Single bytes never change, so the extension can go through with the rest.
    prepared.input = TransformInput::WholeName;
    prepared.transform = [direction](const GbkText& name, const EntryContext&) {
      return ConvertChineseScript(direction, name);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
