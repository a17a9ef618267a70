#include "platform/qt/qt_window_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/qt/qt_text.h"

namespace qm {

GbkText QtWindowSystem::ChooseFolderDialog(const GbkText& title, const GbkText& start_folder) {
  // Not the program's current folder, which means nothing to the user.
  QString start = ToQString(start_folder);
  if (start.isEmpty() || !QDir(start).exists()) start = QDir::homePath();
  QString folder = QFileDialog::getExistingDirectory(owner_.data(), ToQString(title), start,
                                                     QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return {};
  return FromQString(QDir::toNativeSeparators(folder));
}

void QtWindowSystem::PumpMessages() { QCoreApplication::processEvents(); }

}  // namespace qm
