#include "rename/extension_operations.h"

#include <memory>

#include "text/gbk_text.h"

namespace qm {

GbkText NormalisedExtension(int selection_index, std::string_view text) {
  if (selection_index == -1 && Find(text, ".") == -1) return Concatenate(".", text);
  return GbkText(text);
}

GbkText ChangeExtension(std::string_view extension, std::string_view stem) {
  return Concatenate(stem, extension);
}

OperationDefinition ChangeExtensionOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool) {
    Form& form = services.form;
    const int selection = form.ComboIndex(Control::组合框_修改扩展);
    const GbkText typed = form.Text(Control::组合框_修改扩展);
    const GbkText extension = NormalisedExtension(selection, typed);
    PreparedOperation prepared;
    prepared.input = TransformInput::WholeName;
    // The added dot shows in the edit part once the first entry is reached,
    // so the user sees the extension that was really used.
    auto shown = std::make_shared<bool>(extension == typed);
    prepared.transform = [&form, extension, shown](
                             const GbkText&, const EntryContext& entry) -> std::optional<GbkText> {
      if (!*shown) {
        form.SetText(Control::组合框_修改扩展, extension);
        *shown = true;
      }
      return ChangeExtension(extension, entry.stem);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
