#pragma once

#include <QWidget>

#include "platform/about_form.h"

namespace qm {

// AboutWindow's controls: each is the child widget named after the control.
// Highlighting sets the side buttons' "highlighted" property, which the
// window's style sheet colours.
class QtAboutForm : public AboutForm {
 public:
  explicit QtAboutForm(QWidget* window) : window_(window) {}

  GbkText Text(AboutControl control) const override;
  void SetText(AboutControl control, const GbkText& text) override;
  bool IsVisible(AboutControl control) const override;
  void SetVisible(AboutControl control, bool visible) override;
  void ShowPage(int index) override;
  void Focus(AboutControl control) override;
  void Highlight(AboutControl side_button) override;
  void Close() override;

  QWidget* Widget(AboutControl control) const;

 private:
  QWidget* window_;
};

}  // namespace qm
