#pragma once

#include "platform/controls.h"
#include "base/gbk_text_type.h"

namespace qm {

// Asks SetTextColor for the control's own text colour.
constexpr int kDefaultTextColor = -1;

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The controls of one window as the handlers see them: texts in the internal
// encoding, read at the moment a handler needs them.
class Form {
 public:
  virtual ~Form() = default;

  // Caption of a label, button or check box; text of an edit box or of a
  // combo's edit part.
  virtual GbkText Text(Control control) const = 0;
  virtual void SetText(Control control, const GbkText& text) = 0;

  // Setting a check state never runs the control's click handler.
  virtual bool IsChecked(Control control) const = 0;
  virtual void SetChecked(Control control, bool checked) = 0;

  // Combo items; the selection index is -1 while no item is selected.
  virtual int ComboIndex(Control combo) const = 0;
  virtual void SetComboIndex(Control combo, int index) = 0;
  virtual int ComboCount(Control combo) const = 0;
  virtual GbkText ComboItem(Control combo, int index) const = 0;
  virtual void ClearComboItems(Control combo) = 0;
  virtual void AddComboItem(Control combo, const GbkText& item) = 0;

  virtual bool IsVisible(Control control) const = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  // Text colour of an edit box as 0xRRGGBB, or kDefaultTextColor.
  virtual void SetTextColor(Control control, int rgb) = 0;

  virtual Geometry GeometryOf(Control control) const = 0;
  virtual void SetGeometry(Control control, const Geometry& geometry) = 0;

  // Progress bar.
  virtual void SetProgressRange(Control bar, int minimum, int maximum) = 0;
  virtual void SetProgressValue(Control bar, int value) = 0;

  // The window itself.
  virtual int WindowWidth() const = 0;
  virtual void SetWindowWidth(int width) = 0;
  virtual void SetAlwaysOnTop(bool on_top) = 0;
  virtual void ShowTabPage(int index) = 0;
  // Gives the control the keyboard focus, showing the page it is on.
  virtual void SetFocus(Control control) = 0;
};

}  // namespace qm
