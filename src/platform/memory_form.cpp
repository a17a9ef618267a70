#include "platform/memory_form.h"

#include "platform/controls.h"

namespace qm {

MemoryForm::MemoryForm(const Form& form) : width_(form.WindowWidth()) {
  for (Control control : kMainWindowControls) {
    ControlState& state = states_[control];
    state.text = form.Text(control);
    state.checked = form.IsChecked(control);
    state.index = form.ComboIndex(control);
    for (int i = 0, count = form.ComboCount(control); i < count; ++i) {
      state.items.push_back(form.ComboItem(control, i));
    }
    state.visible = form.IsVisible(control);
    state.geometry = form.GeometryOf(control);
  }
}

const MemoryForm::ControlState& MemoryForm::State(Control control) const {
  static const ControlState untouched;
  auto found = states_.find(control);
  return found == states_.end() ? untouched : found->second;
}

void MemoryForm::SetComboIndex(Control combo, int index) {
  ControlState& state = states_[combo];
  state.index = index;
  if (index >= 0 && index < static_cast<int>(state.items.size())) state.text = state.items[index];
}

GbkText MemoryForm::ComboItem(Control combo, int index) const {
  const ControlState& state = State(combo);
  return index >= 0 && index < static_cast<int>(state.items.size()) ? state.items[index]
                                                                    : GbkText();
}

void MemoryForm::ClearComboItems(Control combo) {
  states_[combo].items.clear();
  states_[combo].index = -1;
}

}  // namespace qm
