#include "platform/qt/qt_messages.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/qt_text.h"

namespace qm {

Answer QtMessages::Show(const GbkText& text, const GbkText& title, Icon icon, Buttons buttons) {
  static const QString default_title = QString::fromUtf8("信息：");
  QMessageBox box(owner_.data());
  box.setWindowTitle(title.empty() ? default_title : ToQString(title));
  box.setTextFormat(Qt::PlainText);
  // Messages break lines with CR LF; a bare CR would show as a glyph.
  box.setText(ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setIcon(icon == Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  if (buttons == Buttons::OkCancel) {
    box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  box.setDefaultButton(ok);
  box.exec();
  // Closing the box without pressing OK answers Cancel.
  return box.clickedButton() == static_cast<QAbstractButton*>(ok) ? Answer::Ok : Answer::Cancel;
}

}  // namespace qm
