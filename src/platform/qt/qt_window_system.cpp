#include "platform/qt/qt_window_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/qt/qt_text.h"

namespace qm {

GbkText QtWindowSystem::ChooseFolderDialog(const GbkText& title) {
  QString folder = QFileDialog::getExistingDirectory(owner_.data(), ToQString(title), QString(),
                                                     QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return {};
  return FromQString(QDir::toNativeSeparators(folder));
}

void QtWindowSystem::PumpMessages() { QCoreApplication::processEvents(); }

}  // namespace qm
