#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "app/draft_preview.h"
#include "app/main_window.h"
#include "fakes/fake_failure_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "keyboard.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {

namespace fs = std::filesystem;

// The real main window over a real temporary folder; keys go to the focus
// widget and buttons are clicked, as a user does.
class WindowOverFolder : public ::testing::Test {
 protected:
  WindowOverFolder()
      : window_(undo_, {.messages = &messages_, .windows = &windows_, .failures = &failures_}) {
    std::string pattern = (fs::temp_directory_path() / "qm_window_XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~WindowOverFolder() override { fs::remove_all(folder_); }

  void Load(const std::vector<std::string>& names) {
    for (const std::string& name : names) std::ofstream(folder_ / name) << name;
    windows_.chosen_folder = Gbk(folder_.string());
    Click(Control::按钮_手动读取);
    ASSERT_EQ(window_.list().RowCount(), static_cast<int>(names.size()));
  }
  template <class Widget = QWidget>
  Widget* Find(Control control) {
    return window_.findChild<Widget*>(QString::fromUtf8(ControlName(control)));
  }
  void Click(Control control) { Find<QAbstractButton>(control)->click(); }
  void Type(Control field, const char* text) {
    FocusControl(Find(field));
    TypeKeys(QString::fromUtf8(text));
  }
  static bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(2);
    }
    return done();
  }
  TextTableModel& Model() { return window_.list().Model(); }
  bool HasDraft() { return Model().HasDraft(); }
  // Long enough for a draft to come, were one coming.
  void Settle() {
    WaitFor([] { return false; }, 3 * DraftPreview::kQuietMs);
  }
  std::string Count() { return Find<QLabel>(Control::透明标签_草稿)->text().toStdString(); }
  bool CountShown() { return Find<QLabel>(Control::透明标签_草稿)->isVisible(); }
  // Column 1 as the user sees it.
  std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (int row = 0; row < Model().rowCount(); ++row) {
      shown.push_back(Model().index(row, 1).data().toString().toStdString());
    }
    return shown;
  }
  std::set<std::string> OnDisk() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  FakeFailureList failures_;
  MainWindow window_;
  fs::path folder_;
};

}  // namespace qm
