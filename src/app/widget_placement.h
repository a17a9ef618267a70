#pragma once

#include <QString>
#include <QWidget>

namespace qm {

inline QString Utf8(const char* text) { return QString::fromUtf8(text); }

// Windows are drawn at fixed, designed positions, and every control carries its
// own name as objectName so tests find it. Id is any window's control enum with
// a ControlName overload.
template <class Id, class W>
W* Place(W* widget, Id id, int left, int top, int width, int height) {
  widget->setObjectName(Utf8(ControlName(id)));
  widget->setGeometry(left, top, width, height);
  return widget;
}

}  // namespace qm
