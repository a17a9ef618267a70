// Saves one PNG of the main window per tab page, for the README:
//   QT_QPA_PLATFORM=offscreen build/src/qm_screenshots docs
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <vector>

#include "app/main_window.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qm_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  QApplication application(argc, argv);
  QDir output(QString::fromLocal8Bit(argv[1]));
  if (!output.exists() && !QDir().mkpath(output.path())) {
    std::fprintf(stderr, "qm_screenshots: cannot create %s\n", argv[1]);
    return 1;
  }

  qm::UndoRecord undo;
  qm::MainWindow window(undo);
  qm::Form& form = window.form();
  form.SetText(qm::Control::标签2, qm::Gbk("/home/user/课程/"));
  std::vector<qm::GbkText> names;
  const char* samples[] = {"第1课 开始了解界面.mp4", "第2课 图层与蒙版.mp4", "第3课 选区工具.mp4",
                           "第10课 调色基础.mp4",    "第11课 文字排版.mp4",  "课后练习.txt"};
  for (const char* name : samples) names.push_back(qm::Gbk(name));
  window.list().AppendRows(names);
  window.show();

  for (int page = 0; page < 4; ++page) {
    form.ShowTabPage(page);
    QApplication::processEvents();
    QString path = output.filePath(QString("main_window_page%1.png").arg(page + 1));
    if (!window.grab().save(path)) {
      std::fprintf(stderr, "qm_screenshots: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
