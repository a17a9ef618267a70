// Saves pictures of the windows for the README: the main window once per tab
// page and once with the preview open, the about window's four pages after a
// version page said 16.4, and one help window. The list is filled from a temporary folder through
// the window's own folder intake; questions are answered OK.
//   QT_QPA_PLATFORM=offscreen build/src/qm_screenshots docs/screens
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <cstdio>

#include "app/about_window.h"
#include "app/explanation_window.h"
#include "app/main_window.h"
#include "net/about_handlers.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/messages.h"
#include "platform/qt/qt_about_form.h"
#include "platform/qt/qt_text.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace {

class AnswerOk : public qm::Messages {
 public:
  qm::Answer Show(const qm::GbkText&, const qm::GbkText&, qm::Icon, qm::Buttons) override {
    return qm::Answer::Ok;
  }
};

class ChooseOneFolder : public qm::WindowSystem {
 public:
  explicit ChooseOneFolder(qm::GbkText folder) : folder_(std::move(folder)) {}
  qm::GbkText ChooseFolderDialog(const qm::GbkText&) override { return folder_; }
  void PumpMessages() override { QCoreApplication::processEvents(); }

 private:
  qm::GbkText folder_;
};

bool Save(QWidget& window, const QDir& output, const QString& name) {
  QApplication::processEvents();
  QString path = output.filePath(name);
  if (window.grab().save(path)) return true;
  std::fprintf(stderr, "qm_screenshots: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qm_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  QApplication application(argc, argv);
  QDir output(QString::fromLocal8Bit(argv[1]));
  // A fixed folder name, so the pictures change only when the window does.
  QDir lessons(QDir::temp().filePath(QString::fromUtf8("quillmere-screens/课程")));
  lessons.removeRecursively();
  if (!QDir().mkpath(output.path()) || !QDir().mkpath(lessons.path())) {
    std::fprintf(stderr, "qm_screenshots: cannot create the folders\n");
    return 1;
  }
  struct RemoveLessons {
    QDir& dir;
    ~RemoveLessons() { dir.removeRecursively(); }
  } remove_lessons{lessons};
  for (const char* name : {"第1课 开始了解界面.mp4", "第2课 图层与蒙版.mp4", "第3课 选区工具.mp4",
                           "第10课 调色基础.mp4", "第11课 文字排版.mp4", "课后练习.txt"}) {
    QFile file(lessons.filePath(QString::fromUtf8(name)));
    if (!file.open(QIODevice::WriteOnly)) return 1;
  }

  qm::UndoRecord undo;
  AnswerOk messages;
  ChooseOneFolder windows(qm::FromQString(lessons.path()));
  qm::MainWindow window(undo, {&messages, &windows, nullptr});
  qm::Form& form = window.form();
  window.show();
  auto click = [&](qm::Control control) {
    QString name = QString::fromUtf8(qm::ControlName(control));
    window.findChild<QAbstractButton*>(name)->click();
  };
  click(qm::Control::按钮_手动读取);

  for (int page = 0; page < 4; ++page) {
    form.ShowTabPage(page);
    if (!Save(window, output, QString("main_window_page%1.png").arg(page + 1))) return 1;
  }

  click(qm::Control::按钮_打开预览);
  form.ShowTabPage(2);
  form.SetText(qm::Control::编辑框6, qm::Gbk("【PS教程】"));
  click(qm::Control::按钮_最前面加);
  if (!Save(window, output, "main_window_preview.png")) return 1;

  // No network here: the about window shows what a check of a page naming
  // 16.4 shows.
  click(qm::Control::超级按钮1);
  qm::AboutWindow* about = window.about_window();
  qm::AboutLinks links;
  qm::ApplyAboutCheck(about->form(), links, qm::Gbk("Quillmere最新版16.4"), qm::Gbk("16.3"));
  for (auto [button, name] : {std::pair{qm::AboutControl::超级按钮_使用教程, "about_tutorial.png"},
                              std::pair{qm::AboutControl::超级按钮_更新信息, "about_update.png"},
                              std::pair{qm::AboutControl::超级按钮_QQ群, "about_group.png"}}) {
    about->findChild<QAbstractButton*>(QString::fromUtf8(qm::AboutControlName(button)))->click();
    if (!Save(*about, output, name)) return 1;
  }
  about->form().ShowPage(3);
  if (!Save(*about, output, "about_tipping.png")) return 1;
  about->close();

  click(qm::Control::按钮8);
  return Save(*window.explanation_window(), output, "help_window.png") ? 0 : 1;
}
