#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "app/translations.h"
#include "rename/undo_record.h"

namespace {

// Qt aborts without a display; say how to run the program instead.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "quillmere: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Run it on a desktop, or under a virtual display:\n"
                 "  xvfb-run -a ./build/src/quillmere\n");
    return 2;
  }
  QApplication application(argc, argv);
  application.setFont(qm::FormFont());
  qm::InstallQtTranslations();
  // The program-wide objects outlive the window that uses them.
  qm::UndoRecord undo;
  qm::MainWindow window(undo);
  window.show();
  return application.exec();
}
