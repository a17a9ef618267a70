// Saves pictures of the windows for the README: the main window once per tab
// page and once with the preview open, the mapped rename, paste and editor
// windows, the failure window, the about window's four pages after a version
// page said 16.4, and one help window. The list is filled from a temporary
// folder through the window's own folder intake; questions are answered OK.
//   QT_QPA_PLATFORM=offscreen build/src/qm_screenshots docs/screens
// With --scaled it saves instead the window as it opens on the screen it runs
// on, once as it opens and once with the preview open, and the folder dialog
// and a message box in the user's language:
//   LANG=zh_CN.UTF-8 QT_SCALE_FACTOR=1.5 \
//     xvfb-run -a -s "-screen 0 1600x1000x24" build/src/qm_screenshots --scaled docs/screens
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string_view>

#include "app/about_window.h"
#include "app/draft_preview.h"
#include "app/explanation_window.h"
#include "app/failure_list_window.h"
#include "app/main_list_windows.h"
#include "app/main_window.h"
#include "app/mapped_rename_window.h"
#include "app/translations.h"
#include "net/about_handlers.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/messages.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_about_form.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_window_system.h"
#include "rename/carry_out.h"
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
  qm::GbkText ChooseFolderDialog(const qm::GbkText&, const qm::GbkText&) override {
    return folder_;
  }
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

// Saves the modal dialog that show opens, then closes it.
bool SaveDialog(const QDir& output, const QString& name, const std::function<void()>& show) {
  bool saved = false;
  QTimer::singleShot(500, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    saved = Save(*dialog, output, name);
    dialog->close();
  });
  show();
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool scaled = argc == 3 && std::string_view(argv[1]) == "--scaled";
  if (argc != 2 && !scaled) {
    std::fprintf(stderr, "usage: qm_screenshots [--scaled] OUTPUT_FOLDER\n");
    return 2;
  }
  // The offscreen screen must hold the preview's 1150 pixels.
  QTemporaryFile screen_config;
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screen_config.open()) {
    screen_config.write(R"({"screens": [{"name": "s", "width": 1600, "height": 1000}]})");
    screen_config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen_config.fileName().toLocal8Bit());
  }
  QApplication application(argc, argv);
  qm::InstallQtTranslations();
  QDir output(QString::fromLocal8Bit(argv[argc - 1]));
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

  qm::UndoHistory undo;
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

  if (scaled) {
    QApplication::processEvents();
    if (!Save(window, output, "main_window_scaled.png")) return 1;
    click(qm::Control::按钮_打开预览);
    form.ShowTabPage(2);
    form.SetText(qm::Control::编辑框6, qm::Gbk("【PS教程】"));
    click(qm::Control::按钮_最前面加);
    if (!Save(window, output, "main_window_preview_scaled.png")) return 1;
    click(qm::Control::按钮_打开预览);
    form.ShowTabPage(0);
    qm::QtWindowSystem dialogs(&window);
    qm::QtMessages boxes(&window);
    bool saved = SaveDialog(output, "folder_dialog.png", [&] {
      dialogs.ChooseFolderDialog(qm::Gbk("选择目录"), form.Text(qm::Control::标签2));
    });
    saved = saved && SaveDialog(output, "message_box.png", [&] {
              boxes.Show(qm::Gbk("将直接更名，确定吗？"), qm::Gbk("提示"), qm::Icon::Information,
                         qm::Buttons::OkCancel);
            });
    return saved ? 0 : 1;
  }

  for (int page = 0; page < 5; ++page) {
    form.ShowTabPage(page);
    if (!Save(window, output, QString("main_window_page%1.png").arg(page + 1))) return 1;
  }

  click(qm::Control::按钮_用我的txt修改);
  qm::MappedRenameWindow* mapped = window.list_windows().mapped_window();
  if (mapped == nullptr) return 1;
  const char* new_names[] = {"01 认识界面", "02 图层与蒙版", "03 选区工具", "04 调色基础"};
  for (int row = 0; row < 4; ++row) mapped->list().SetCell(row, 1, qm::Gbk(new_names[row]));
  mapped->list().selectRow(1);
  if (!Save(*mapped, output, "mapped_rename_window.png")) return 1;
  auto mapped_click = [&](const char* name) {
    mapped->findChild<QAbstractButton*>(QString::fromUtf8(name))->click();
  };
  mapped_click("按钮_手动粘贴");
  auto* paste = mapped->findChild<QWidget*>("NamePasteWindow");
  paste->findChild<QTextEdit*>()->setPlainText(QString::fromUtf8("第一讲 总览\n第二讲 工具\n"));
  if (!Save(*paste, output, "name_paste_window.png")) return 1;
  paste->close();
  mapped->findChild<QMenu*>(QString::fromUtf8("右键功能2"))->actions().last()->trigger();
  auto* editor = mapped->findChild<QWidget*>("SingleNameEditor");
  if (editor == nullptr || !Save(*editor, output, "single_name_editor.png")) return 1;
  mapped->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // A file the list does not show holds one new name: its row is marked.
  QFile taken(lessons.filePath(QString::fromUtf8("【PS教程】课后练习.txt")));
  if (!taken.open(QIODevice::WriteOnly)) return 1;
  click(qm::Control::按钮_打开预览);
  form.ShowTabPage(2);
  form.SetText(qm::Control::编辑框6, qm::Gbk("【PS教程】"));
  click(qm::Control::按钮_最前面加);
  if (!Save(window, output, "main_window_preview.png")) return 1;

  // A draft of the regular expression while it is typed, over the names the
  // preview above wrote.
  form.ShowTabPage(4);
  form.SetText(qm::Control::编辑框_正则查找, qm::Gbk("第(\\d+)课\\s*"));
  form.SetText(qm::Control::编辑框_正则替换为, qm::Gbk("Lesson ${1} - "));
  window.draft().InputChanged(qm::Control::编辑框_正则替换为);
  QElapsedTimer waited;
  waited.start();
  while (!window.list().Model().HasDraft() && waited.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  if (!window.list().Model().HasDraft() || !Save(window, output, "main_window_draft.png")) return 1;
  window.draft().Drop();

  // What a run that met a taken name, a vanished file and a name too long
  // shows, with the system's own reasons.
  {
    using qm::Gbk;
    auto reason = [](qm::RenameReason why) { return qm::FailureText({why, {}}); };
    const qm::GbkText lesson = Gbk("第12课 综合案例：从草图到海报的完整设计流程（上）.mp4");
    qm::FailureListWindow failures(
        Gbk("没有改名成功的项目"), Gbk("有3个没有改名成功，原因如下："),
        {{Gbk("课后练习.txt"), Gbk("【PS教程】课后练习.txt"), reason(qm::RenameReason::Exists)},
         {lesson, Gbk("【PS教程】") + lesson, reason(qm::RenameReason::Missing)},
         {Gbk("第13课 导出与打印.mp4"),
          Gbk("【PS教程】第13课 导出与打印") + Gbk(std::string(60, 'x')) + Gbk(".mp4"),
          reason(qm::RenameReason::TooLong)}},
        &window);
    failures.show();
    if (!Save(failures, output, "failure_window.png")) return 1;
  }

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
