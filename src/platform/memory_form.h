#pragma once

#include <unordered_map>
#include <vector>

#include "platform/form.h"

namespace qm {

// A window's controls held in memory: what the command line gives the
// operations in place of a window, and the copy of the window a live draft
// reads while the user goes on typing. A control never touched reads as
// empty, unchecked, visible, with selection index -1, as a fresh window's would.
class MemoryForm : public Form {
 public:
  MemoryForm() = default;
  // Every control of `form` as it is now.
  explicit MemoryForm(const Form& form);

  GbkText Text(Control control) const override { return State(control).text; }
  void SetText(Control control, const GbkText& text) override { states_[control].text = text; }
  bool IsChecked(Control control) const override { return State(control).checked; }
  void SetChecked(Control control, bool checked) override { states_[control].checked = checked; }
  int ComboIndex(Control combo) const override { return State(combo).index; }
  // Picking an item shows it in the combo's edit part, as a combo box does.
  void SetComboIndex(Control combo, int index) override;
  int ComboCount(Control combo) const override {
    return static_cast<int>(State(combo).items.size());
  }
  GbkText ComboItem(Control combo, int index) const override;
  void ClearComboItems(Control combo) override;
  void AddComboItem(Control combo, const GbkText& item) override {
    states_[combo].items.push_back(item);
  }
  bool IsVisible(Control control) const override { return State(control).visible; }
  void SetVisible(Control control, bool visible) override { states_[control].visible = visible; }
  void SetTextColor(Control, int) override {}
  Geometry GeometryOf(Control control) const override { return State(control).geometry; }
  void SetGeometry(Control control, const Geometry& geometry) override {
    states_[control].geometry = geometry;
  }
  void SetProgressRange(Control, int, int) override {}
  void SetProgressValue(Control, int) override {}
  int WindowWidth() const override { return width_; }
  void SetWindowWidth(int width) override { width_ = width; }
  void SetAlwaysOnTop(bool) override {}
  void ShowTabPage(int) override {}
  void SetFocus(Control) override {}

 private:
  struct ControlState {
    GbkText text;
    bool checked = false;
    int index = -1;
    std::vector<GbkText> items;
    bool visible = true;
    Geometry geometry;
  };
  const ControlState& State(Control control) const;
  std::unordered_map<Control, ControlState> states_;
  int width_ = 0;
};

}  // namespace qm
