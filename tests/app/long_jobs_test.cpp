// The main window during a long job, driven as a person does: clicks and
// keys sent as events, on real files in a temporary folder. The moment
// "during the run" is the file system's hook after a rename.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/main_list_windows.h"
#include "app/main_window.h"
#include "app/name_editor_controls.h"
#include "fakes/fake_journal_store.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/form.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 8;

// The real file system; `after_rename` runs after each rename that succeeded
// in a folder the plan opened, `after_change` after each file deleted or
// created.
class WatchedFileSystem : public PosixFileSystem {
 public:
  Result<void> RemoveFile(const GbkText& path) override {
    return Watched(PosixFileSystem::RemoveFile(path));
  }
  Result<void> CreateNewFile(const GbkText& path, std::string_view bytes) override {
    return Watched(PosixFileSystem::CreateNewFile(path, bytes));
  }
  Result<std::unique_ptr<FolderHandle>> OpenFolder(const GbkText& folder) override {
    auto opened = PosixFileSystem::OpenFolder(folder);
    if (!opened.ok()) return opened;
    return std::unique_ptr<FolderHandle>(
        std::make_unique<WatchedFolder>(std::move(opened).value(), *this));
  }
  int renames = 0;
  std::function<void(int renames)> after_rename;
  int changes = 0;
  std::function<void(int changes)> after_change;

 private:
  Result<void> Watched(Result<void> done) {
    if (done.ok() && after_change) after_change(++changes);
    return done;
  }
  class WatchedFolder : public FolderHandle {
   public:
    WatchedFolder(std::unique_ptr<FolderHandle> inner, WatchedFileSystem& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    std::optional<FileIdentity> Identify(const GbkText& name) override {
      return inner_->Identify(name);
    }
    bool IdentifyAll(const TakeEntries& take) override { return inner_->IdentifyAll(take); }
    std::optional<RenameFailure> CheckName(const GbkText& name) override {
      return inner_->CheckName(name);
    }
    std::optional<RenameFailure> RenameNoReplace(const GbkText& from, const GbkText& to) override {
      auto failure = inner_->RenameNoReplace(from, to);
      if (!failure && owner_.after_rename) owner_.after_rename(++owner_.renames);
      return failure;
    }
    std::optional<FolderStamp> Stamp() override { return inner_->Stamp(); }

   private:
    std::unique_ptr<FolderHandle> inner_;
    WatchedFileSystem& owner_;
  };
};

void MouseClick(QWidget* widget) {
  QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QPointF global = widget->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

// A key as the keyboard sends it: to the widget that has the focus.
void PressKey(int key, const QString& text = {}) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &press);
  QApplication::sendEvent(focus, &release);
}

// The real main window over a folder of f1.txt ... f8.txt, read in files mode.
class LongJobTest : public ::testing::Test {
 protected:
  LongJobTest() : window_(undo_, {&messages_, &windows_, &files_, nullptr, nullptr, &journal_}) {
    for (int i = 1; i <= kFiles; ++i) std::ofstream(Path("f" + std::to_string(i) + ".txt")) << i;
    window_.show();
    QApplication::setActiveWindow(&window_);
    Find<QLineEdit>(Control::编辑框6)->setFocus();
    windows_.chosen_folder = Gbk(folder_.path().toStdString());
    window_.form().SetComboIndex(Control::组合框2, 0);
    Click(Control::按钮_手动读取);
    Find<QLineEdit>(Control::编辑框7)->setText("_x");
  }

  std::string Path(const std::string& name) const {
    return (fs::path(folder_.path().toStdString()) / name).string();
  }
  template <class W = QWidget>
  W* Find(Control control) {
    return window_.findChild<W*>(QString::fromUtf8(ControlName(control)));
  }
  // Starts a job the quick way; what happens during it goes through events.
  void Click(Control control) { Find<QAbstractButton>(control)->click(); }

  std::vector<std::string> OnDisk() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path().toStdString())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> Listed() {
    std::vector<std::string> names;
    for (int row = 0; row < window_.list().RowCount(); ++row) {
      names.push_back(window_.list().Cell(row, 0).bytes());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  int RenamedOnDisk() const {
    auto names = OnDisk();
    return static_cast<int>(std::count_if(names.begin(), names.end(), [](const std::string& n) {
      return n.find("_x") != std::string::npos;
    }));
  }
  std::vector<GbkText> MessageTexts() const {
    std::vector<GbkText> texts;
    for (const auto& shown : messages_.shown) texts.push_back(shown.text);
    return texts;
  }

  QTemporaryDir folder_;
  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  WatchedFileSystem files_;
  FakeJournalStore journal_;
  MainWindow window_;
};

TEST_F(LongJobTest, InputDuringARunChangesNothing) {
  auto* clear = Find(Control::按钮_清空列表框);
  auto* preview = Find(Control::按钮_打开预览);
  auto* typed_into = Find<QLineEdit>(Control::编辑框6);
  ASSERT_EQ(QApplication::focusWidget(), typed_into);
  files_.after_rename = [&](int renames) {
    if (renames != 3) return;
    MouseClick(clear);
    MouseClick(preview);
    PressKey(Qt::Key_Q, "q");
  };
  Click(Control::按钮_最后面加);

  EXPECT_EQ(RenamedOnDisk(), kFiles);
  EXPECT_EQ(Listed(), OnDisk());
  EXPECT_EQ(window_.form().Text(Control::按钮_打开预览), Gbk("打开预览"));
  EXPECT_EQ(typed_into->text(), "");
  EXPECT_EQ(MessageTexts(),
            (std::vector<GbkText>{Gbk("确定更名吗？"), Gbk("一共有8个文件被改名成功")}));

  // The same events after the run do reach the window.
  PressKey(Qt::Key_Q, "q");
  EXPECT_EQ(typed_into->text(), "q");
  MouseClick(clear);
  EXPECT_EQ(window_.list().RowCount(), 0);
}

TEST_F(LongJobTest, AStoppedDeleteOrCreateKeepsWhatItDidAndSaysSo) {
  struct Row {
    const char* name;
    Control button;
    int files_after;
    const char* message;
  } rows[] = {
      {"delete", Control::按钮_删除文件, kFiles - 3, "已停止。删除了3个，其余的没有删除。"},
      {"create", Control::按钮14, 3, "成功创建3个文件夹"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir target;
    Find<QLineEdit>(Control::编辑框14)->setText(target.path());
    window_.form().SetText(Control::组合框_创建扩展, Gbk(".md"));
    const fs::path counted = row.button == Control::按钮14 ? fs::path(target.path().toStdString())
                                                           : fs::path(folder_.path().toStdString());
    files_.changes = 0;
    files_.after_change = [&](int changes) {
      if (changes == 3) PressKey(Qt::Key_Escape);
    };
    // A progress window shown by the row before (on a slow machine) took the
    // focus with it when it closed; the user clicks into the window again.
    window_.activateWindow();
    QApplication::processEvents();
    window_.list().setFocus(Qt::MouseFocusReason);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    Click(row.button);
    files_.after_change = nullptr;

    auto entries = fs::directory_iterator(counted);
    EXPECT_EQ(std::distance(fs::begin(entries), fs::end(entries)), row.files_after);
    EXPECT_EQ(MessageTexts().back(), Gbk(row.message));
    EXPECT_EQ(window_.list().RowCount(), kFiles);
  }
}

TEST_F(LongJobTest, AnEditorOpenBesideTakesNoClickDuringARun) {
  window_.list().selectRow(0);
  window_.list_windows().OpenNameEditor();
  auto* editor = window_.findChild<QWidget*>("SingleNameEditor");
  ASSERT_NE(editor, nullptr);
  editor->findChild<QLineEdit*>(QString::fromUtf8(ControlName(EditorControl::编辑框1)))
      ->setText("edited.txt");
  auto* confirm =
      editor->findChild<QPushButton*>(QString::fromUtf8(ControlName(EditorControl::按钮1)));
  files_.after_rename = [&](int renames) {
    if (renames == 3) MouseClick(confirm);
  };
  Click(Control::按钮_最后面加);

  EXPECT_EQ(RenamedOnDisk(), kFiles);
  EXPECT_EQ(Listed(), OnDisk());
  EXPECT_TRUE(editor->isVisible());
}

TEST_F(LongJobTest, EscStopsADirectRunAfterTheEntryItIsOn) {
  files_.after_rename = [&](int renames) {
    if (renames == 3) PressKey(Qt::Key_Escape);
  };
  Click(Control::按钮_最后面加);

  EXPECT_EQ(RenamedOnDisk(), 3);
  EXPECT_EQ(OnDisk().size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(Listed(), OnDisk());
  EXPECT_EQ(MessageTexts().back(), Gbk("一共有3个文件被改名成功"));
}

// Waits, as a person does, for the progress window, and presses its stop button.
void StopThroughTheProgressWindow(QWidget& window) {
  auto* dialog = window.findChild<QProgressDialog*>(QString::fromUtf8("进度窗口"));
  ASSERT_NE(dialog, nullptr);
  QElapsedTimer waited;
  waited.start();
  while (!dialog->isVisible() && waited.elapsed() < 5000) QApplication::processEvents();
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->labelText(), QString::fromUtf8("正在按预览更名……"));
  auto* stop = dialog->findChild<QPushButton*>();
  ASSERT_NE(stop, nullptr);
  EXPECT_EQ(stop->text(), QString::fromUtf8("停止"));
  MouseClick(stop);
}

TEST_F(LongJobTest, AStoppedCommitKeepsWhatItRenamedAndOneUndoPutsItBack) {
  const std::vector<std::string> before = OnDisk();
  Click(Control::按钮_打开预览);
  Click(Control::按钮_最后面加);
  files_.after_rename = [&](int renames) {
    if (renames == 3) StopThroughTheProgressWindow(window_);
  };
  Click(Control::按钮_确认无误执行吧);

  EXPECT_EQ(RenamedOnDisk(), 3);
  EXPECT_EQ(Listed(), OnDisk());
  // The entries the stop left alone keep their preview, ready for another commit.
  int previews = 0;
  for (int row = 0; row < window_.list().RowCount(); ++row) {
    if (!window_.list().Cell(row, 1).empty()) ++previews;
  }
  EXPECT_EQ(previews, kFiles - 3);

  files_.after_rename = nullptr;
  Click(Control::按钮_撤回上一步);
  EXPECT_EQ(OnDisk(), before);
  EXPECT_EQ(Listed(), before);
}

TEST_F(LongJobTest, ClosingTheWindowDuringARunFinishesTheEntryThenCloses) {
  files_.after_rename = [&](int renames) {
    if (renames != 4) return;
    window_.close();
    EXPECT_TRUE(window_.isVisible());
  };
  Click(Control::按钮_最后面加);

  EXPECT_EQ(RenamedOnDisk(), 4);
  EXPECT_EQ(OnDisk().size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(Listed(), OnDisk());
  EXPECT_EQ(MessageTexts().back(), Gbk("一共有4个文件被改名成功"));
  QApplication::processEvents();
  EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace qm
