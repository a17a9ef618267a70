#include "platform/qt/qt_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <algorithm>

#include "platform/qt/designed_layout.h"
#include "platform/qt/elided_label.h"
#include "platform/qt/qt_text.h"

namespace qm {
namespace {

// A radio button in an exclusive group refuses to be unchecked by itself;
// the handlers may still clear one, as the system's own controls allow.
void SetButtonChecked(QAbstractButton* button, bool checked) {
  if (checked || !button->autoExclusive()) {
    button->setChecked(checked);
    return;
  }
  button->setAutoExclusive(false);
  button->setChecked(false);
  button->setAutoExclusive(true);
}

}  // namespace

QWidget* QtForm::Widget(Control control) const {
  QPointer<QWidget>& widget = widgets_[static_cast<int>(control)];
  if (widget.isNull())
    widget = window_->findChild<QWidget*>(QString::fromUtf8(ControlName(control)));
  return widget.data();
}

GbkText QtForm::Text(Control control) const {
  QWidget* widget = Widget(control);
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQString(button->text());
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQString(edit->text());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return FromQString(combo->currentText());
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return FromQString(group->title());
  return {};
}

void QtForm::SetText(Control control, const GbkText& text) {
  QWidget* widget = Widget(control);
  QString value = ToQString(text);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setTextFormat(Qt::PlainText);
    label->setText(value);
    // A label that shortens its text shows all of it on hover.
    if (qobject_cast<ElidedLabel*>(label) != nullptr) label->setToolTip(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(value);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->isEditable()) {
      combo->setEditText(value);
    } else {
      // A drop-down list shows only its items: the text picks the item.
      combo->setCurrentIndex(combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(value);
  }
}

bool QtForm::IsChecked(Control control) const {
  auto* button = qobject_cast<QAbstractButton*>(Widget(control));
  return button != nullptr && button->isChecked();
}

void QtForm::SetChecked(Control control, bool checked) {
  // setChecked never emits clicked, so no click handler runs.
  if (auto* button = qobject_cast<QAbstractButton*>(Widget(control))) {
    SetButtonChecked(button, checked);
  }
}

int QtForm::ComboIndex(Control combo) const {
  auto* box = qobject_cast<QComboBox*>(Widget(combo));
  if (box == nullptr) return -1;
  int index = box->currentIndex();
  // Typing over a picked item leaves no item selected.
  if (index >= 0 && box->isEditable() && box->currentText() != box->itemText(index)) return -1;
  return index;
}

void QtForm::SetComboIndex(Control combo, int index) {
  auto* box = qobject_cast<QComboBox*>(Widget(combo));
  if (box == nullptr) return;
  box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

int QtForm::ComboCount(Control combo) const {
  auto* box = qobject_cast<QComboBox*>(Widget(combo));
  return box == nullptr ? 0 : box->count();
}

GbkText QtForm::ComboItem(Control combo, int index) const {
  auto* box = qobject_cast<QComboBox*>(Widget(combo));
  if (box == nullptr || index < 0 || index >= box->count()) return {};
  return FromQString(box->itemText(index));
}

void QtForm::ClearComboItems(Control combo) {
  // Like the system's combos, this empties the edit part too.
  if (auto* box = qobject_cast<QComboBox*>(Widget(combo))) box->clear();
}

void QtForm::AddComboItem(Control combo, const GbkText& item) {
  auto* box = qobject_cast<QComboBox*>(Widget(combo));
  if (box == nullptr) return;
  // QComboBox selects the first item added to an empty box; adding an item
  // must not change the selection or the typed text.
  int index = box->currentIndex();
  QString text = box->currentText();
  box->addItem(ToQString(item));
  if (box->currentIndex() != index) {
    box->setCurrentIndex(index);
    if (box->isEditable()) box->setEditText(text);
  }
}

bool QtForm::IsVisible(Control control) const {
  QWidget* widget = Widget(control);
  // The control's own state, whether or not its window or tab page is shown.
  return widget != nullptr && !widget->isHidden();
}

void QtForm::SetVisible(Control control, bool visible) {
  if (QWidget* widget = Widget(control)) widget->setVisible(visible);
}

Geometry QtForm::GeometryOf(Control control) const {
  QWidget* widget = Widget(control);
  if (widget == nullptr) return {};
  QRect rect =
      layout_ != nullptr && layout_->Holds(widget) ? layout_->Designed(widget) : widget->geometry();
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void QtForm::SetGeometry(Control control, const Geometry& geometry) {
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  QRect rect(geometry.left, geometry.top, geometry.width, geometry.height);
  if (layout_ != nullptr && layout_->Holds(widget)) {
    layout_->SetDesigned(widget, rect);
  } else {
    widget->setGeometry(rect);
  }
}

void QtForm::SetProgressRange(Control bar, int minimum, int maximum) {
  if (auto* progress = qobject_cast<QProgressBar*>(Widget(bar))) {
    progress->setRange(minimum, maximum);
  }
}

void QtForm::SetProgressValue(Control bar, int value) {
  if (auto* progress = qobject_cast<QProgressBar*>(Widget(bar))) progress->setValue(value);
}

int QtForm::WindowWidth() const {
  return layout_ != nullptr ? layout_->DesignedSize().width() : window_->width();
}

void QtForm::SetWindowWidth(int width) {
  if (layout_ == nullptr) {
    window_->resize(width, window_->height());
    return;
  }
  // Whatever the user added to the window's width stays added, within the
  // screen.
  int added = std::max(0, window_->width() - layout_->DesignedSize().width());
  layout_->SetDesignedWidth(width);
  int wanted = width + added;
  QScreen* screen = window_->screen();
  if (screen == nullptr) {
    window_->resize(wanted, window_->height());
    return;
  }
  const QRect available = screen->availableGeometry();
  const int frame = window_->frameGeometry().width() - window_->width();
  wanted = std::min(wanted, available.width() - frame);
  window_->resize(wanted, window_->height());
  // A window widened near the screen's right edge moves back inside it.
  const QRect outer = window_->frameGeometry();
  if (outer.right() > available.right()) {
    window_->move(std::max(available.left(), available.right() - outer.width() + 1), outer.top());
  }
}

void QtForm::SetAlwaysOnTop(bool on_top) {
  if (window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on_top) return;
  // Changing a window flag hides the window; show it again where it was.
  bool shown = window_->isVisible();
  window_->setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  if (shown) window_->show();
}

void QtForm::ShowTabPage(int index) {
  if (auto* tabs = window_->findChild<QTabWidget*>()) tabs->setCurrentIndex(index);
}

void QtForm::SetFocus(Control control) {
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  // A control on a page in the background cannot take the focus.
  if (auto* tabs = window_->findChild<QTabWidget*>()) {
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->widget(i)->isAncestorOf(widget)) tabs->setCurrentIndex(i);
    }
  }
  widget->setFocus(Qt::OtherFocusReason);
}

void QtForm::SetTextColor(Control control, int rgb) {
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  QPalette palette = widget->palette();
  if (rgb == kDefaultTextColor) {
    palette.setColor(QPalette::Text, widget->parentWidget() != nullptr
                                         ? widget->parentWidget()->palette().color(QPalette::Text)
                                         : QPalette().color(QPalette::Text));
  } else {
    palette.setColor(QPalette::Text, QColor::fromRgb(static_cast<QRgb>(rgb)));
  }
  widget->setPalette(palette);
}

}  // namespace qm
