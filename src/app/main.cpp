#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/app_identity.h"
#include "app/command_line.h"
#include "app/main_handlers.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "net/version_check.h"
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
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const qm::CommandLine line = qm::ParseCommandLine(arguments);
  switch (line.action) {
    case qm::CommandLine::Action::Help:
      std::fputs(qm::HelpText().c_str(), stdout);
      return 0;
    case qm::CommandLine::Action::Version:
      std::fputs(qm::VersionText().c_str(), stdout);
      return 0;
    case qm::CommandLine::Action::Misuse:
      std::fprintf(stderr, "quillmere: %s\n%sTry 'quillmere --help' for more information.\n",
                   line.problem.c_str(), qm::UsageText().c_str());
      return 2;
    case qm::CommandLine::Action::Open:
      break;
  }
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "quillmere: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Run it on a desktop, or under a virtual display:\n"
                 "  xvfb-run -a ./build/src/quillmere\n");
    return 2;
  }
  // Qt sees only the program's name: every argument was ours, and a folder
  // named like one of Qt's own options must stay a folder.
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillmere"));
  QApplication::setApplicationVersion(QString::fromUtf8(qm::ProgramVersion()));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(qm::kApplicationId));
  QApplication::setWindowIcon(qm::ApplicationIcon());
  application.setFont(qm::FormFont());
  qm::InstallQtTranslations();
  // The program-wide objects outlive the window that uses them.
  qm::UndoHistory undo;
  qm::MainWindowOverrides services;
  if (qm::kVersionCheckBuiltIn) services.version_page = qm::kVersionPageAddress;
  qm::MainWindow window(undo, services);
  window.show();
  if (line.has_folder) {
    // Once the window is up, so that its messages have their owner on screen.
    QTimer::singleShot(0, &window, [&window, &line] { qm::OpenStartFolder(window, line.folder); });
  }
  window.handlers().ResumeAfterStart();
  return application.exec();
}
