#include "platform/qt/qt_shell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "platform/qt/qt_text.h"

namespace qm {

void QtShell::OpenUrl(const GbkText& url) {
  const QUrl address(ToQString(url), QUrl::StrictMode);
  const QString scheme = address.scheme().toLower();
  // Anything but a web address could start a program or open a local file.
  if (!address.isValid() || (scheme != "http" && scheme != "https") || address.host().isEmpty()) {
    return;
  }
  QDesktopServices::openUrl(address);
}

void QtShell::SetClipboardText(const GbkText& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace qm
