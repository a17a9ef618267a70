#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/qt_text.h"

namespace qm {

void QtClipboard::SetText(const GbkText& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace qm
