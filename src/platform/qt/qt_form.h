#pragma once

#include <QPointer>
#include <QWidget>
#include <unordered_map>

#include "platform/form.h"

namespace qm {

class DesignedLayout;

// The controls of a Qt window as the handlers see them. Each control is the
// child widget whose objectName is the control's name.
class QtForm : public Form {
 public:
  // layout, when given, holds the designed geometry of the controls it
  // places; GeometryOf and SetGeometry speak in designed pixels for those.
  explicit QtForm(QWidget* window, DesignedLayout* layout = nullptr)
      : window_(window), layout_(layout) {}

  GbkText Text(Control control) const override;
  void SetText(Control control, const GbkText& text) override;
  bool IsChecked(Control control) const override;
  void SetChecked(Control control, bool checked) override;
  int ComboIndex(Control combo) const override;
  void SetComboIndex(Control combo, int index) override;
  int ComboCount(Control combo) const override;
  GbkText ComboItem(Control combo, int index) const override;
  void ClearComboItems(Control combo) override;
  void AddComboItem(Control combo, const GbkText& item) override;
  bool IsVisible(Control control) const override;
  void SetVisible(Control control, bool visible) override;
  Geometry GeometryOf(Control control) const override;
  void SetGeometry(Control control, const Geometry& geometry) override;
  void SetProgressRange(Control bar, int minimum, int maximum) override;
  void SetProgressValue(Control bar, int value) override;
  int WindowWidth() const override;
  void SetWindowWidth(int width) override;
  void SetAlwaysOnTop(bool on_top) override;
  void ShowTabPage(int index) override;
  void SetFocus(Control control) override;
  void SetTextColor(Control control, int rgb) override;

  // The widget of a control, or nullptr when the window has none by that name.
  QWidget* Widget(Control control) const;

 private:
  QWidget* window_;
  QPointer<DesignedLayout> layout_;
  mutable std::unordered_map<int, QPointer<QWidget>> widgets_;
};

}  // namespace qm
