#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "base/encoding.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The real window over a real temporary folder, read through 按钮_手动读取;
// the trash is the one of a data home inside the folder.
class CreateDeleteButtonsTest : public ::testing::Test {
 protected:
  CreateDeleteButtonsTest() {
    std::string pattern = (fs::temp_directory_path() / "qm_create_delete_XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    folder_ = root_ / "work";
    fs::create_directories(folder_);
    if (const char* old = ::getenv("XDG_DATA_HOME")) old_data_home_ = old;
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  ~CreateDeleteButtonsTest() override {
    fs::remove_all(root_);
    if (old_data_home_) {
      ::setenv("XDG_DATA_HOME", old_data_home_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

  // Reads the folder into the list of window, in folder mode when asked.
  void Load(MainWindow& window, bool folders = false) {
    if (folders) window.form().SetText(Control::组合框2, Gbk("处理文件夹"));
    windows_.chosen_folder = Utf8ToInternal(folder_.string()).value();
    Click(window, Control::按钮_手动读取);
  }
  template <class W = QWidget>
  static W* Find(MainWindow& window, Control control) {
    return window.findChild<W*>(Q(ControlName(control)));
  }
  static void Click(MainWindow& window, Control control) {
    Find<QAbstractButton>(window, control)->click();
  }
  // Focuses a control as a click or Tab would, and types into whatever then has the focus.
  static void Focus(MainWindow& window, Control control) {
    Find(window, control)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }
  static void TypeIntoFocus(const QString& text) {
    for (QChar character : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
      QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
  }
  static std::vector<std::string> Column0(MainWindow& window) {
    std::vector<std::string> cells;
    for (int row = 0; row < window.list().RowCount(); ++row) {
      cells.push_back(InternalToUtf8(window.list().Cell(row, 0)).value());
    }
    return cells;
  }
  std::set<std::string> NamesIn(const fs::path& folder) const {
    std::set<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path root_;
  fs::path folder_;
  std::optional<std::string> old_data_home_;
  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
};

TEST_F(CreateDeleteButtonsTest, TheTargetBoxLosesItsHintAndItsGreyAtTheFirstFocus) {
  MainWindow window(undo_, {&messages_, &windows_, nullptr});
  window.show();
  QApplication::setActiveWindow(&window);
  auto* target = Find<QLineEdit>(window, Control::编辑框14);
  QColor normal = Find<QLineEdit>(window, Control::编辑框1)->palette().color(QPalette::Text);
  ASSERT_NE(target->palette().color(QPalette::Text), normal);

  Focus(window, Control::编辑框14);
  ASSERT_EQ(QApplication::focusWidget(), target);
  EXPECT_EQ(target->text(), "");
  EXPECT_EQ(target->palette().color(QPalette::Text), normal);

  TypeIntoFocus("/tmp");
  Focus(window, Control::编辑框1);
  Focus(window, Control::编辑框14);
  EXPECT_EQ(target->text(), "/tmp");
}

TEST_F(CreateDeleteButtonsTest, CreatesOneFilePerEntryWithTheExtensionPickedInTheCombo) {
  std::ofstream(folder_ / "a.mp4") << "x";
  std::ofstream(folder_ / "第2课.avi") << "x";
  fs::create_directories(root_ / "new");
  MainWindow window(undo_, {&messages_, &windows_, nullptr});
  window.show();
  QApplication::setActiveWindow(&window);
  Load(window);
  Find<QLineEdit>(window, Control::编辑框14)
      ->setText(QString::fromStdString((root_ / "new").string()));

  // Typing rebuilds the items with the folder choice first, the matches next.
  auto* combo = Find<QComboBox>(window, Control::组合框_创建扩展);
  Focus(window, Control::组合框_创建扩展);
  TypeIntoFocus("tx");
  EXPECT_EQ(combo->currentText(), "tx");
  ASSERT_GT(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), Q("创建目录"));
  EXPECT_EQ(combo->itemText(1), ".txt");
  // With the text cleared, the drop-down lists every preset after the folder choice.
  combo->lineEdit()->clear();
  combo->showPopup();
  combo->hidePopup();
  EXPECT_EQ(combo->itemText(0), Q("创建目录"));
  int txt = combo->findText(".txt");
  ASSERT_GT(txt, 1);
  combo->setCurrentIndex(txt);
  emit combo->activated(txt);
  messages_.shown.clear();

  Click(window, Control::按钮14);

  EXPECT_EQ(NamesIn(root_ / "new"), (std::set<std::string>{"a.txt", "第2课.txt"}));
  EXPECT_EQ(Read(root_ / "new/第2课.txt"), "\xB2\xE2\xCA\xD4\xCE\xC4\xBC\xFE");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, Gbk("成功创建2个文件夹"));
  EXPECT_EQ(messages_.shown[0].title, Gbk("创建成果提示"));
  EXPECT_EQ(Column0(window), (std::vector<std::string>{"a.mp4", "第2课.avi"}));
}

// The confirmation is a real message box: Cancel deletes nothing, OK deletes
// each listed folder with what is in it; a link inside leads out of the
// folder and what it points to stays.
TEST_F(CreateDeleteButtonsTest, DeletesTheListedFoldersForGoodAfterTheRealQuestion) {
  fs::create_directories(folder_ / "one/inner");
  std::ofstream(folder_ / "one/inner/file.txt") << "x";
  fs::create_directories(folder_ / "two");
  fs::create_directories(root_ / "outside");
  std::ofstream(root_ / "outside/keep.txt") << "keep";
  fs::create_directory_symlink(root_ / "outside", folder_ / "two/link");
  MainWindow window(undo_, {nullptr, &windows_, nullptr});
  Load(window, true);
  ASSERT_EQ(Column0(window), (std::vector<std::string>{"one", "two"}));

  for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
    QString text, title;
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) continue;
        text = box->text();
        title = box->windowTitle();
        box->button(answer)->click();
      }
    });
    Click(window, Control::按钮_删除文件);
    EXPECT_EQ(
        text,
        Q("确定删除吗？此操作不可撤回！\n机械硬盘只能用恢复软件恢复！\n固态硬盘将永久不可恢复！"));
    EXPECT_EQ(title, Q("提示"));
    if (answer == QMessageBox::Cancel) {
      EXPECT_EQ(NamesIn(folder_), (std::set<std::string>{"one", "two"}));
    }
  }

  EXPECT_EQ(NamesIn(folder_), std::set<std::string>{});
  EXPECT_EQ(Read(root_ / "outside/keep.txt"), "keep");
  EXPECT_EQ(Column0(window), (std::vector<std::string>{"one", "two"}));
}

TEST_F(CreateDeleteButtonsTest, MovesTheListedFilesToTheTrashWithTheirInfo) {
  std::ofstream(folder_ / "a.txt") << "a";
  std::ofstream(folder_ / "第1课.mp4") << "b";
  MainWindow window(undo_, {&messages_, &windows_, nullptr});
  Load(window);
  Click(window, Control::单选框18);
  ASSERT_FALSE(window.form().IsChecked(Control::单选框17));

  Click(window, Control::按钮_删除文件);

  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, Gbk("确定删除到回收站吗？"));
  EXPECT_EQ(NamesIn(folder_), std::set<std::string>{});
  EXPECT_EQ(NamesIn(root_ / "data/Trash/files"), (std::set<std::string>{"a.txt", "第1课.mp4"}));
  EXPECT_NE(Read(root_ / "data/Trash/info/a.txt.trashinfo").find("Path=/"), std::string::npos);
  EXPECT_EQ(Column0(window), (std::vector<std::string>{"a.txt", "第1课.mp4"}));
}

}  // namespace
}  // namespace qm
