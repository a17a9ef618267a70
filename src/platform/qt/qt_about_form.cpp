#include "platform/qt/qt_about_form.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>

#include "platform/qt/qt_text.h"

namespace qm {

QWidget* QtAboutForm::Widget(AboutControl control) const {
  return window_->findChild<QWidget*>(QString::fromUtf8(AboutControlName(control)));
}

GbkText QtAboutForm::Text(AboutControl control) const {
  QWidget* widget = Widget(control);
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQString(button->text());
  return {};
}

void QtAboutForm::SetText(AboutControl control, const GbkText& text) {
  QWidget* widget = Widget(control);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(ToQString(text));
  }
}

// Whether the control shows when its page does: a control on a page that
// is not selected is still "visible" in this sense.
bool QtAboutForm::IsVisible(AboutControl control) const {
  QWidget* widget = Widget(control);
  return widget != nullptr && !widget->isHidden();
}

void QtAboutForm::SetVisible(AboutControl control, bool visible) {
  if (QWidget* widget = Widget(control)) widget->setVisible(visible);
}

void QtAboutForm::ShowPage(int index) {
  if (auto* tabs = qobject_cast<QTabWidget*>(Widget(AboutControl::高级选择夹1))) {
    tabs->setCurrentIndex(index);
  }
}

void QtAboutForm::Focus(AboutControl control) {
  if (QWidget* widget = Widget(control)) widget->setFocus(Qt::OtherFocusReason);
}

void QtAboutForm::Highlight(AboutControl side_button) {
  for (AboutControl button : {AboutControl::超级按钮_使用教程, AboutControl::超级按钮_更新信息,
                              AboutControl::超级按钮_QQ群, AboutControl::超级按钮_关闭此页}) {
    QWidget* widget = Widget(button);
    if (widget == nullptr) continue;
    widget->setProperty("highlighted", button == side_button);
    // Style sheets read properties when a widget is polished.
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
  }
}

void QtAboutForm::Close() { window_->close(); }

}  // namespace qm
