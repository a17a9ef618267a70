#include "app/main_window.h"

namespace qm {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MainWindow");
  setWindowTitle("Quillmere*16.3");
  resize(769, 680);
}

}  // namespace qm
