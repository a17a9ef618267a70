#pragma once

#include <map>
#include <optional>
#include <vector>

#include "platform/form.h"

namespace qm {

// Records every control's state; a control never touched reads as empty,
// unchecked, visible, with selection index -1.
class FakeForm : public Form {
 public:
  struct ControlState {
    GbkText text;
    bool checked = false;
    int combo_index = -1;
    std::vector<GbkText> items;
    bool visible = true;
    Geometry geometry;
    int progress_minimum = 0;
    int progress_maximum = 100;
    int progress_value = 0;
    int text_color = kDefaultTextColor;
  };

  GbkText Text(Control control) const override { return State(control).text; }
  void SetText(Control control, const GbkText& text) override { states_[control].text = text; }
  bool IsChecked(Control control) const override { return State(control).checked; }
  void SetChecked(Control control, bool checked) override { states_[control].checked = checked; }
  int ComboIndex(Control combo) const override { return State(combo).combo_index; }
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
  void SetTextColor(Control control, int rgb) override { states_[control].text_color = rgb; }
  Geometry GeometryOf(Control control) const override { return State(control).geometry; }
  void SetGeometry(Control control, const Geometry& geometry) override {
    states_[control].geometry = geometry;
  }
  void SetProgressRange(Control bar, int minimum, int maximum) override;
  void SetProgressValue(Control bar, int value) override { states_[bar].progress_value = value; }
  int WindowWidth() const override { return window_width; }
  void SetWindowWidth(int width) override { window_width = width; }
  void SetAlwaysOnTop(bool on_top) override { always_on_top = on_top; }
  void ShowTabPage(int index) override { tab_page = index; }
  void SetFocus(Control control) override { focused = control; }

  // Picks item index as a user would: the text follows the item.
  void SelectItem(Control combo, int index);

  const ControlState& State(Control control) const;
  ControlState& MutableState(Control control) { return states_[control]; }

  int window_width = 769;
  bool always_on_top = false;
  int tab_page = -1;
  std::optional<Control> focused;  // the last control given the focus

 private:
  mutable std::map<Control, ControlState> states_;
};

}  // namespace qm
