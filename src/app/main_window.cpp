#include "app/main_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <algorithm>
#include <functional>

#include "app/about_window.h"
#include "app/background_check.h"
#include "app/command_line.h"
#include "app/draft_preview.h"
#include "app/explanation_window.h"
#include "app/failure_list_window.h"
#include "app/help_texts.h"
#include "app/main_handlers.h"
#include "app/main_list_windows.h"
#include "app/pasted_text.h"
#include "app/preview_layout.h"
#include "app/skin.h"
#include "app/widget_placement.h"
#include "base/encoding.h"
#include "net/about_handlers.h"
#include "platform/main_services.h"
#include "platform/media/media_file_info.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"
#include "platform/qt/designed_layout.h"
#include "platform/qt/drop_down_combo_box.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_drop_target.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_job_progress.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_window_system.h"
#include "rename/info_naming.h"
#include "rename/operations.h"
#include "rename/rename_context.h"
#include "text/gbk_text.h"

namespace qm {
QFont FormFont() {
  QFont font;
  font.setFamilies({Utf8("Microsoft YaHei"), Utf8("WenQuanYi Micro Hei"), Utf8("Noto Sans CJK SC"),
                    Utf8("Source Han Sans SC")});
  font.setPointSize(9);
  return font;
}

MainWindow::MainWindow(UndoHistory& undo, const MainWindowOverrides& overrides, QWidget* parent)
    : QMainWindow(parent) {
  setObjectName(Utf8("MainWindow"));
  // The version check reads the running version from the title's end.
  setWindowTitle(Utf8("Quillmere*") + QString::fromUtf8(ProgramVersion()));
  setFont(FormFont());
  resize(kDesignedWidth, kDesignedHeight);

  BuildLayout();

  timer_ = new QTimer(this);
  timer_->setObjectName(Utf8("时钟1"));

  form_ = std::make_unique<QtForm>(this, layout_);
  Messages* messages = overrides.messages;
  if (messages == nullptr) messages = (own_messages_ = std::make_unique<QtMessages>(this)).get();
  WindowSystem* windows = overrides.windows;
  if (windows == nullptr) {
    windows = (own_windows_ = std::make_unique<QtWindowSystem>(this)).get();
  }
  FileSystem* files = overrides.files;
  if (files == nullptr) {
    GbkText documents =
        FromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    files = (own_files_ = std::make_unique<PosixFileSystem>(documents)).get();
  }
  JournalStore* journal = overrides.journal;
  if (journal == nullptr) {
    journal =
        (own_journal_ = std::make_unique<PosixJournalStore>(PosixJournalStore::DefaultFolder()))
            .get();
  }
  FileInfoReader* file_info = overrides.file_info;
  if (file_info == nullptr) {
    file_info = (own_file_info_ = std::make_unique<MediaFileInfoReader>()).get();
  }
  FailureList* failures = overrides.failures;
  if (failures == nullptr) failures = (own_failures_ = std::make_unique<QtFailureList>(this)).get();
  renames_ = std::make_unique<RenameContext>(RenameContext{undo, *journal});
  progress_ = std::make_unique<QtJobProgress>(this);
  services_ =
      std::make_unique<MainServices>(MainServices{*form_, *list_, *messages, *windows, *files,
                                                  renames_.get(), *progress_, failures, file_info});
  shell_ = overrides.shell;
  if (shell_ == nullptr) shell_ = (own_shell_ = std::make_unique<QtShell>()).get();
  drop_target_ = std::make_unique<QtDropTarget>(this);
  list_windows_ = std::make_unique<MainListWindows>(this, *list_, *services_);
  handlers_ = std::make_unique<MainHandlers>(
      *services_, undo, MainListServices{list_windows_.get(), shell_, drop_target_.get()});
  list_windows_->Connect(*handlers_);
  draft_ = std::make_unique<DraftPreview>(*services_, list_->Model());
  if (overrides.version_page != nullptr) version_page_ = overrides.version_page;
  about_links_ = std::make_unique<AboutLinks>();
  main_check_ = std::make_unique<BackgroundCheck>(this);

  ConnectHandlers();
  ConnectWindowButtons();
  handlers_->WindowCreated();
  // The window follows its check box from the start.
  form_->SetAlwaysOnTop(form_->IsChecked(Control::选择框_窗口置顶));
  ApplySkin();
  // The version check starts once, at the timer's first tick.
  connect(timer_, &QTimer::timeout, this, [this] {
    timer_->stop();
    StartMainCheck();
  });
  timer_->start(100);
}

MainWindow::~MainWindow() {
  // The secondary windows use this window's links and shell: they go first.
  delete about_.data();
  delete explanation_.data();
}

void MainWindow::FitInto(const QRect& available) {
  // The frame is known once the window manager has decorated the window;
  // before that, allow for a title bar.
  QSize frame = frameGeometry().size() - size();
  if (frame.isEmpty() && !testAttribute(Qt::WA_DontShowOnScreen) &&
      QGuiApplication::platformName() != QStringLiteral("offscreen")) {
    frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
  }
  resize(DesignedLayout::FittedSize(size(), available.size() - frame));
  QRect outer(pos(), size() + frame);
  if (!available.contains(outer)) {
    outer.moveLeft(std::clamp(outer.left(), available.left(),
                              std::max(available.left(), available.right() - outer.width() + 1)));
    outer.moveTop(std::clamp(outer.top(), available.top(),
                             std::max(available.top(), available.bottom() - outer.height() + 1)));
    move(outer.topLeft());
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  if (!fitted_ && screen() != nullptr) {
    fitted_ = true;
    FitInto(screen()->availableGeometry());
  }
  QMainWindow::showEvent(event);
}

Form& MainWindow::form() { return *form_; }
AboutWindow* MainWindow::about_window() const { return about_.data(); }
ExplanationWindow* MainWindow::explanation_window() const { return explanation_.data(); }

void MainWindow::ConnectHandlers() {
  ConnectDraftInputs();
  for (Control id : kMainWindowControls) {
    QWidget* widget = form_->Widget(id);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      connect(button, &QAbstractButton::clicked, this, [this, id] { handlers_->Clicked(id); });
    } else if (auto* combo = qobject_cast<DropDownComboBox*>(widget)) {
      connect(combo, &QComboBox::activated, this, [this, id] { handlers_->ComboItemSelected(id); });
      combo->on_drop_down = [this, id] { handlers_->ComboDropDown(id); };
      if (QLineEdit* edit = combo->lineEdit()) {
        // Before the combo's own handler, so it sees the text that stays.
        connect(edit, &QLineEdit::textEdited, this, [this, edit, combo] {
          RefuseTextWithoutInternalForm(edit, combo, services_->messages);
        });
        combo->on_key = [this, id](int key) { handlers_->ComboKeyPressed(id, key); };
        connect(edit, &QLineEdit::textEdited, this, [this, id, edit](const QString& typed) {
          int cursor = edit->cursorPosition();
          handlers_->ComboTextEdited(id);
          // The handler rebuilds the items and puts the text back; keep the
          // caret where the user is typing.
          if (edit->text() == typed) edit->setCursorPosition(cursor);
        });
      }
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      focus_reporting_edits_.emplace(edit, id);
      edit->installEventFilter(this);
      connect(edit, &QLineEdit::textEdited, this,
              [this, edit] { RefuseTextWithoutInternalForm(edit, edit, services_->messages); });
    }
  }
}

// Each change the user makes to an operation's input: typing, a click on a
// box, a picked item.
void MainWindow::ConnectDraftInputs() {
  for (const OperationEntry& entry : Operations()) {
    for (Control id : entry.inputs) {
      QWidget* widget = form_->Widget(id);
      auto changed = [this, id] { draft_->InputChanged(id); };
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, changed);
      } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, changed);
        if (QLineEdit* edit = combo->lineEdit())
          connect(edit, &QLineEdit::textEdited, this, changed);
      } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, changed);
      }
    }
  }
}

void MainWindow::ConnectWindowButtons() {
  connect(qobject_cast<QAbstractButton*>(form_->Widget(Control::超级按钮1)),
          &QAbstractButton::clicked, this, [this] { OpenAboutWindow(); });
  for (Control id : kMainWindowControls) {
    if (HelpTextOf(id) == nullptr) continue;
    connect(qobject_cast<QAbstractButton*>(form_->Widget(id)), &QAbstractButton::clicked, this,
            [this, id] { ShowExplanation(id); });
  }
}

void MainWindow::StartMainCheck() {
  if (!version_page_) return;
  const GbkText address = Utf8ToInternalLenient(*version_page_);
  const GbkText current = CurrentVersion(FromQString(windowTitle()));
  main_check_->Start(
      [address](HttpTransport& transport) { return FetchPageForMainCheck(transport, address); },
      [this, current](const GbkText& page) {
        ApplyMainCheck(*form_, ReadVersionPage(page).latest, current);
      });
}

// One about window at a time: a second click brings the open one forward.
void MainWindow::OpenAboutWindow() {
  if (about_.isNull()) {
    about_ = new AboutWindow(this, *about_links_, *shell_,
                             CurrentVersion(FromQString(windowTitle())), version_page_);
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainWindow::ShowExplanation(Control help_button) {
  if (explanation_.isNull()) explanation_ = new ExplanationWindow(this);
  explanation_->SetExplanation(QString::fromUtf8(HelpTextOf(help_button)));
  explanation_->show();
  explanation_->raise();
  explanation_->activateWindow();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    auto found = focus_reporting_edits_.find(watched);
    if (found != focus_reporting_edits_.end()) handlers_->EditFocused(found->second);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace qm
