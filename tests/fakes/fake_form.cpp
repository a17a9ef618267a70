#include "fakes/fake_form.h"

namespace qm {

void FakeForm::SetComboIndex(Control combo, int index) {
  ControlState& state = states_[combo];
  state.combo_index = (index >= 0 && index < static_cast<int>(state.items.size())) ? index : -1;
}

GbkText FakeForm::ComboItem(Control combo, int index) const {
  const ControlState& state = State(combo);
  if (index < 0 || index >= static_cast<int>(state.items.size())) return {};
  return state.items[index];
}

void FakeForm::ClearComboItems(Control combo) {
  ControlState& state = states_[combo];
  state.items.clear();
  state.combo_index = -1;
}

void FakeForm::SetProgressRange(Control bar, int minimum, int maximum) {
  states_[bar].progress_minimum = minimum;
  states_[bar].progress_maximum = maximum;
}

void FakeForm::SelectItem(Control combo, int index) {
  SetComboIndex(combo, index);
  states_[combo].text = ComboItem(combo, index);
}

const FakeForm::ControlState& FakeForm::State(Control control) const { return states_[control]; }

}  // namespace qm
