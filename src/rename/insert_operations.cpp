#include "rename/insert_operations.h"

#include "base/path_rules.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {

GbkText InsertAtFront(std::string_view text, std::string_view name) {
  return Concatenate(text, name);
}

GbkText InsertAtEnd(std::string_view text, std::string_view stem) {
  if (stem.empty()) return {};
  return Concatenate(stem, text);
}

GbkText InsertAtAnchor(std::string_view anchor, std::string_view text, AnchorSide side,
                       AnchorOccurrence occurrence, std::string_view subject) {
  const int position =
      occurrence == AnchorOccurrence::First ? Find(subject, anchor) : ReverseFind(subject, anchor);
  if (position == -1) return {};
  const GbkText replacement =
      side == AnchorSide::Before ? Concatenate(text, anchor) : Concatenate(anchor, text);
  return Replace(subject, anchor, replacement, position, 1);
}

GbkText AppendAfterExtension(std::string_view text, std::string_view name) {
  return Concatenate(name, text);
}

GbkText InsertAfterLeadingNumber(std::string_view text, std::string_view subject) {
  const GbkText digits = FirstDigitRun(GbkText(subject));
  if (digits.empty()) return {};
  const int position = Find(subject, digits);
  if (position < 1 || position > 14) return {};
  return Replace(subject, digits, Concatenate(digits, text), 1, 1);
}

namespace {

// An operation whose transform needs one typed text and the entry's text.
OperationDefinition WithTypedText(Control input, TransformInput transform_input,
                                  GbkText (*transform)(std::string_view, std::string_view)) {
  OperationDefinition definition;
  definition.prepare = [=](MainServices& services, bool) {
    PreparedOperation prepared;
    prepared.input = transform_input;
    prepared.transform = [text = services.form.Text(input), transform](
                             const GbkText& subject,
                             const EntryContext&) -> std::optional<GbkText> {
      return transform(text, subject);
    };
    return prepared;
  };
  return definition;
}

}  // namespace

OperationDefinition InsertAtFrontOperation() {
  return WithTypedText(Control::编辑框6, TransformInput::WholeName, InsertAtFront);
}

OperationDefinition InsertAtEndOperation() {
  return WithTypedText(Control::编辑框7, TransformInput::StemInFileMode, InsertAtEnd);
}

OperationDefinition InsertAtAnchorOperation() {
  OperationDefinition definition;
  definition.validate = [](MainServices& services) {
    if (!HasForbiddenCharacter(services.form.Text(Control::编辑框12))) return true;
    static const GbkText refused = Gbk("不能改成这个东西");
    services.messages.Show(refused, {}, Icon::None, Buttons::Ok);
    return false;
  };
  definition.prepare = [](MainServices& services, bool) {
    const Form& form = services.form;
    PreparedOperation prepared;
    prepared.transform =
        [anchor = form.Text(Control::编辑框11), text = form.Text(Control::编辑框12),
         side = form.IsChecked(Control::单选框4) ? AnchorSide::After : AnchorSide::Before,
         occurrence =
             form.IsChecked(Control::单选框6) ? AnchorOccurrence::Last : AnchorOccurrence::First](
            const GbkText& subject, const EntryContext&) -> std::optional<GbkText> {
      return InsertAtAnchor(anchor, text, side, occurrence, subject);
    };
    return prepared;
  };
  return definition;
}

OperationDefinition AppendAfterExtensionOperation() {
  return WithTypedText(Control::编辑框18, TransformInput::WholeName, AppendAfterExtension);
}

OperationDefinition InsertAfterLeadingNumberOperation() {
  return WithTypedText(Control::编辑框13, TransformInput::StemInFileMode, InsertAfterLeadingNumber);
}

void SideRadioClicked(Form& form, Control radio) {
  static const GbkText before = Gbk("前面加");
  static const GbkText after = Gbk("后面加");
  if (!form.IsChecked(radio)) return;
  if (radio == Control::单选框3) form.SetText(Control::按钮_在某物前后加, before);
  if (radio == Control::单选框4) form.SetText(Control::按钮_在某物前后加, after);
}

}  // namespace qm
