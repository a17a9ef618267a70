#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/failure_list_window.h"
#include "app/main_window.h"
#include "base/encoding.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

struct ExpectedMessage {
  std::string text;
  std::string title;
  Icon icon = Icon::Information;
  Buttons buttons = Buttons::Ok;
};

const ExpectedMessage kConfirm{"确定更名吗？", "提示", Icon::Information, Buttons::OkCancel};

// The real window over a real temporary folder: the folder is read through
// 按钮_手动读取, the buttons are clicked as a user would, and only the message
// boxes and the folder dialog are answered by the test.
class DeleteReplaceButtonsTest : public ::testing::Test {
 protected:
  DeleteReplaceButtonsTest() : window_(undo_, {&messages_, &windows_, nullptr}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "qm_ops_XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~DeleteReplaceButtonsTest() override { std::filesystem::remove_all(folder_); }

  // Creates the entries (files, or subfolders in folder mode) and reads the folder.
  void Load(const std::vector<std::string>& names, bool folders = false) {
    for (const std::string& name : names) {
      if (folders) {
        std::filesystem::create_directory(folder_ / name);
      } else {
        std::ofstream(folder_ / name) << "x";
      }
    }
    if (folders) window_.form().SetText(Control::组合框2, Gbk("处理文件夹"));
    windows_.chosen_folder = GbkText(folder_.string());
    Click(Control::按钮_手动读取);
    ASSERT_EQ(window_.list().RowCount(), static_cast<int>(names.size()));
    messages_.shown.clear();
  }

  template <class W = QWidget>
  W* Find(Control control) {
    return window_.findChild<W*>(QString::fromUtf8(ControlName(control)));
  }
  void Click(Control control) { Find<QAbstractButton>(control)->click(); }
  void Type(Control edit, const char* utf8) {
    Find<QLineEdit>(edit)->setText(QString::fromUtf8(utf8));
  }

  std::set<std::string> OnDisk() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < window_.list().RowCount(); ++row) {
      cells.push_back(InternalToUtf8(window_.list().Cell(row, column)).value());
    }
    return cells;
  }
  void ExpectMessages(const std::vector<ExpectedMessage>& expected) {
    ASSERT_EQ(messages_.shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE("message " + std::to_string(i));
      EXPECT_EQ(messages_.shown[i].text, Gbk(expected[i].text));
      EXPECT_EQ(messages_.shown[i].title, expected[i].title.empty() ? "" : Gbk(expected[i].title));
      EXPECT_EQ(messages_.shown[i].icon, expected[i].icon);
      EXPECT_EQ(messages_.shown[i].buttons, expected[i].buttons);
    }
  }

  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  MainWindow window_;
  std::filesystem::path folder_;
};

TEST_F(DeleteReplaceButtonsTest, DeleteBetweenMarkersWithMarker2Last) {
  Load({"a(b)c(d).txt", "plain.txt"});
  Type(Control::编辑框2, "(");
  Type(Control::编辑框3, ")");
  Click(Control::选择框_2尾);
  EXPECT_FALSE(window_.form().IsChecked(Control::选择框_2头));

  Click(Control::按钮_一键删除);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"a.txt", "plain.txt"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "plain.txt"}));
  ExpectMessages({{"一共有1个文件将被更名", "确定改名吗？", Icon::Information, Buttons::OkCancel},
                  {"一共有1个文件被改名", "修改成果提示"}});
}

TEST_F(DeleteReplaceButtonsTest, DeleteBeforePreviewsFolderNames) {
  Load({"a-b-c", "abc"}, true);
  Click(Control::按钮_打开预览);
  Type(Control::编辑框8, "-");
  Click(Control::单选框12);
  Click(Control::选择框3);

  Click(Control::按钮_删前面);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"a-b-c", "abc"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"c", ""}));
  ExpectMessages(
      {{"提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，"
        "执行吧\"！",
        "提示"}});
}

TEST_F(DeleteReplaceButtonsTest, DeleteAfterTheLastOccurrence) {
  Load({"a-b-c.txt"});
  Type(Control::编辑框9, "-");

  Click(Control::按钮_删后面);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"a-b-.txt"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a-b-.txt"}));
  ExpectMessages({kConfirm, {"一共有1个文件将被更名", "修改成果提示"}});
}

TEST_F(DeleteReplaceButtonsTest, DeleteNTimesWithACountThatIsNoNumber) {
  Load({"banana.txt"});
  Type(Control::编辑框1, "a");
  Type(Control::编辑框10, "x");

  Click(Control::按钮_删掉N次);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"banana.txt"}));
  ExpectMessages({{"一共有1个文件将被更名", "请确认", Icon::Information, Buttons::OkCancel},
                  {"输入的不是纯数字", "提示"},
                  {"没有任何改动", "没有改动", Icon::None}});
}

TEST_F(DeleteReplaceButtonsTest, DeleteNTimesFromTheRight) {
  Load({"banana.txt"});
  Type(Control::编辑框1, "a");
  Type(Control::编辑框10, "2");
  Click(Control::单选框14);

  Click(Control::按钮_删掉N次);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"bann.txt"}));
  ExpectMessages({{"一共有1个文件将被更名", "请确认", Icon::Information, Buttons::OkCancel},
                  {"删掉了1个", "修改成果提示", Icon::None}});
}

// 귬 (82 38 82 37 in the internal encoding) lies across the middle of 귭가
// (82 38 82 38 | 82 37 CF 35); cut there, 귭가.txt became 냬.txt.
TEST_F(DeleteReplaceButtonsTest, DeleteNTimesNeverMatchesInsideAFourByteCharacter) {
  Load({"귭가.txt", "x귭가귬.txt"});
  Type(Control::编辑框1, "귬");

  Click(Control::按钮_删掉N次);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"귭가.txt", "x귭가.txt"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"x귭가.txt", "귭가.txt"}));
  ExpectMessages({{"一共有1个文件将被更名", "请确认", Icon::Information, Buttons::OkCancel},
                  {"删掉了1个", "修改成果提示", Icon::None}});
}

// Emptied, WorkingFolder once made the commit rename relative to the program's
// current directory. Here that directory holds the same name, which must stay.
TEST_F(DeleteReplaceButtonsTest, CommitAfterTheFolderWasEmptiedRenamesNothing) {
  Load({"banana.txt"});
  const std::filesystem::path elsewhere = folder_.string() + "-cwd";
  std::filesystem::create_directory(elsewhere);
  std::ofstream(elsewhere / "banana.txt") << "x";
  const std::filesystem::path started_in = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere);
  Click(Control::按钮_打开预览);
  Type(Control::编辑框1, "a");
  Click(Control::按钮_删掉N次);
  ASSERT_EQ(Column(1), std::vector<std::string>{"bnana.txt"});
  Click(Control::按钮_清空输入框);
  messages_.shown.clear();

  Click(Control::按钮_确认无误执行吧);

  std::filesystem::current_path(started_in);
  EXPECT_TRUE(std::filesystem::exists(elsewhere / "banana.txt"));
  std::filesystem::remove_all(elsewhere);
  EXPECT_EQ(OnDisk(), std::set<std::string>{"banana.txt"});
  EXPECT_EQ(Column(0), std::vector<std::string>{"banana.txt"});
  ExpectMessages(
      {{"现在的路径不是预览时的路径（或者路径已被清空），\r\n为了不改错文件，没有执行任何"
        "更名。\r\n请重新读取路径并预览后再执行！",
        "提醒："}});
}

TEST_F(DeleteReplaceButtonsTest, DeleteSequenceNumberLeavesTheBareExtension) {
  Load({"01.mp3", "第3课.mp4"});

  Click(Control::按钮1);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{".mp3", "第课.mp4"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{".mp3", "第课.mp4"}));
  ExpectMessages({{"将直接更名，确定吗？", "提示", Icon::Information, Buttons::OkCancel}});
}

TEST_F(DeleteReplaceButtonsTest, SymbolComboConvertsTheMarkerFields) {
  Type(Control::编辑框1, "(a)");
  Type(Control::编辑框2, "(");
  Type(Control::编辑框3, "[1],");
  auto* combo = Find<QComboBox>(Control::组合框1);
  combo->setCurrentIndex(1);
  emit combo->activated(1);  // "中文符号", as picked from the list
  EXPECT_EQ(Find<QLineEdit>(Control::编辑框1)->text(), QString::fromUtf8("（a）"));
  EXPECT_EQ(Find<QLineEdit>(Control::编辑框2)->text(), QString::fromUtf8("（"));
  EXPECT_EQ(Find<QLineEdit>(Control::编辑框3)->text(), QString::fromUtf8("【1】，"));

  combo->setCurrentIndex(2);
  emit combo->activated(2);  // "B站括号"
  EXPECT_EQ(Find<QLineEdit>(Control::编辑框3)->text(), QString::fromUtf8("[1],"));
}

TEST_F(DeleteReplaceButtonsTest, ReplaceFromTheRightInFolders) {
  Load({"a-b-c", "abc"}, true);
  Click(Control::单选框8);
  Click(Control::单选框10);
  Type(Control::编辑框4, "-");
  Type(Control::编辑框5, "_");

  Click(Control::按钮_替换);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"a-b_c", "abc"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a-b_c", "abc"}));
  ExpectMessages({kConfirm, {"一共有1个文件将被更名", "修改成果提示", Icon::None}});
}

TEST_F(DeleteReplaceButtonsTest, ReplaceRefusesAForbiddenReplacement) {
  Load({"01-a.txt"});
  Type(Control::编辑框4, "-");
  Type(Control::编辑框5, "<");

  Click(Control::按钮_替换);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"01-a.txt"}));
  ExpectMessages({{"不能改成这个东西", "", Icon::None}});
}

TEST_F(DeleteReplaceButtonsTest, ZeroFillFollowsTheListSize) {
  Load({"1.mp4", "12.mp4", "第3课.mp4"});

  Click(Control::按钮_改01);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"01.mp4", "12.mp4", "第03课.mp4"}));
  ExpectMessages({kConfirm, {"一共有2个文件将被更名", "修改成果提示"}});
}

TEST_F(DeleteReplaceButtonsTest, ScriptConversionFollowsTheRadioButtons) {
  Load({"国语课.txt", "國.txt"});
  Click(Control::单选框16);
  EXPECT_EQ(window_.form().Text(Control::按钮_繁简), Gbk("简转繁"));

  Click(Control::按钮_繁简);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"國語課.txt", "國.txt"}));
  ExpectMessages({kConfirm, {"一共有1个文件被改名", "修改成果提示", Icon::None}});

  Click(Control::单选框15);
  EXPECT_EQ(window_.form().Text(Control::按钮_繁简), Gbk("繁转简"));
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A direct run that partly fails: the result message, then the real failure
// window with each failed entry and its reason in a read-only table; the run is
// undone through the undo button, which stays inside the closed window.
TEST_F(DeleteReplaceButtonsTest, ADirectRunListsItsFailuresAndIsUndone) {
  Load({"a.txt", "b.txt"});
  std::ofstream(folder_ / "b_v.txt") << "not listed";
  Type(Control::编辑框7, "_v");
  QString listed;
  bool read_only = false;
  // The run lets the window paint while it works, so the failure window is
  // looked for until it shows rather than at the first turn of the loop.
  QTimer closer;
  closer.setInterval(5);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<FailureListWindow*>(widget);
      if (window == nullptr || !window->isVisible()) continue;
      listed = window->AllAsText();
      read_only = window->table().editTriggers() == QAbstractItemView::NoEditTriggers;
      closer.stop();
      window->findChild<QPushButton*>(QString::fromUtf8("按钮_关闭"))->click();
    }
  });
  closer.start();

  Click(Control::按钮_最后面加);

  EXPECT_EQ(OnDisk(), (std::set<std::string>{"a_v.txt", "b.txt", "b_v.txt"}));
  ExpectMessages({kConfirm, {"一共有1个文件被改名成功", "修改成果提示"}});
  EXPECT_EQ(listed, QString::fromUtf8("原文件名\t新文件名\t原因\n"
                                      "b.txt\tb_v.txt\t新名称已被别的文件或文件夹占用"));
  EXPECT_TRUE(read_only);

  QWidget* undo = Find(Control::按钮_撤回上一步);
  EXPECT_TRUE(undo->isVisibleTo(&window_));
  EXPECT_TRUE(window_.rect().contains(QRect(undo->mapTo(&window_, QPoint(0, 0)), undo->size())));
  messages_.shown.clear();
  Click(Control::按钮_撤回上一步);
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"a.txt", "b.txt", "b_v.txt"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace qm
