#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace qm {

// Gives the keyboard focus to a control of a shown, active window, the way a
// click or Tab does, and checks that it got it.
inline void FocusControl(QWidget* control) {
  QWidget* window = control->window();
  window->show();
  window->activateWindow();
  QApplication::processEvents();
  control->setFocus(Qt::OtherFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), control->focusProxy() ? control->focusProxy() : control);
}

// One key press delivered where the keyboard delivers it: to the focus widget.
inline void PressKey(int key, const QString& text = {}) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &release);
}

// Text typed key by key into the focus widget. Qt's key codes of ASCII
// letters, digits and the dot are their upper-case code points.
inline void TypeKeys(const QString& text) {
  for (QChar character : text) PressKey(character.toUpper().unicode(), QString(character));
}

}  // namespace qm
