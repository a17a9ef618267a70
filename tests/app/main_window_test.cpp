#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/main_handlers.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "keyboard.h"
#include "platform/main_services.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

QString Name(Control control) { return QString::fromUtf8(ControlName(control)); }

// The real window, with its message boxes and folder dialog answered by the test.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window_(undo_, {&messages_, &windows_, nullptr}) {}

  template <class W = QWidget>
  W* Find(Control control) {
    return window_.findChild<W*>(Name(control));
  }
  void Click(Control control) { Find<QAbstractButton>(control)->click(); }

  std::vector<GbkText> Column0() {
    std::vector<GbkText> names;
    for (int row = 0; row < window_.list().RowCount(); ++row) {
      names.push_back(window_.list().Cell(row, 0));
    }
    return names;
  }

  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  MainWindow window_;
};

// A real folder on disk, removed with everything in it.
class TemporaryFolder {
 public:
  void AddFile(const char* name) { std::ofstream(Path() / std::filesystem::u8path(name)) << "x"; }
  void AddFolder(const char* name) {
    std::filesystem::create_directory(Path() / std::filesystem::u8path(name));
  }
  std::string path() const { return folder_.path().toStdString(); }

 private:
  std::filesystem::path Path() const { return std::filesystem::u8path(path()); }
  QTemporaryDir folder_;
};

TEST_F(MainWindowTest, StartsInTheStateTheWindowCreatedHandlerLeaves) {
  EXPECT_EQ(window_.windowTitle(), "Quillmere*16.3");
  EXPECT_EQ(window_.size(), QSize(769, 680));
  for (Control control : kMainWindowControls) {
    EXPECT_NE(Find(control), nullptr) << ControlName(control);
  }
  ASSERT_NE(window_.findChild<QTimer*>(QString::fromUtf8("时钟1")), nullptr);

  const std::set<std::string> expected_checked = {"选择框_窗口置顶", "选择框6",
                                                  "选择框_1头",      "选择框_2头",
                                                  "单选框2",         "单选框3",
                                                  "单选框5",         "单选框7",
                                                  "单选框9",         "单选框11",
                                                  "单选框13",        "单选框15",
                                                  "单选框17",        "选择框_正则区分大小写"};
  std::set<std::string> checked;
  for (auto* button : window_.findChildren<QAbstractButton*>()) {
    if (button->isChecked()) checked.insert(button->objectName().toStdString());
  }
  EXPECT_EQ(checked, expected_checked);

  auto* mode = Find<QComboBox>(Control::组合框2);
  EXPECT_EQ(mode->currentIndex(), 0);
  EXPECT_EQ(window_.form().Text(Control::组合框2), Gbk("处理文件"));
  EXPECT_EQ(mode->count(), 3);
  EXPECT_EQ(Find<QComboBox>(Control::组合框5)->itemText(0), QString::fromUtf8("不加"));
  for (Control combo : {Control::组合框_仅检索, Control::组合框_跳过扩展, Control::组合框_修改扩展,
                        Control::组合框_创建扩展}) {
    SCOPED_TRACE(ControlName(combo));
    EXPECT_TRUE(Find<QComboBox>(combo)->isEditable());
    EXPECT_EQ(window_.form().ComboCount(combo), 0);
    EXPECT_EQ(window_.form().ComboIndex(combo), -1);
    EXPECT_EQ(window_.form().Text(combo), "");
  }

  for (Control hidden : {Control::进度条1, Control::按钮_直接粘贴txt, Control::按钮_确认无误执行吧,
                         Control::按钮_撤回上一步}) {
    EXPECT_FALSE(window_.form().IsVisible(hidden)) << ControlName(hidden);
  }
  EXPECT_EQ(window_.form().Text(Control::编辑框14), Gbk("将在这里创建"));
  EXPECT_EQ(window_.form().Text(Control::标签2), "");
  EXPECT_EQ(Find<QTabWidget>(Control::高级选择夹1)->currentIndex(), 0);

  EXPECT_EQ(window_.list().width(), 407);
  ASSERT_EQ(window_.list().ColumnCount(), 1);
  EXPECT_EQ(window_.list().ColumnTitle(0), Gbk("当前的文件名"));
  EXPECT_EQ(window_.list().columnWidth(0), 380);
  EXPECT_EQ(window_.list().RowCount(), 0);
}

TEST_F(MainWindowTest, RadioButtonsAreExclusiveWithinTheirGroupBoxOnly) {
  Click(Control::单选框12);
  Form& form = window_.form();
  EXPECT_TRUE(form.IsChecked(Control::单选框12));
  EXPECT_FALSE(form.IsChecked(Control::单选框11));
  EXPECT_TRUE(form.IsChecked(Control::单选框2));
  EXPECT_TRUE(form.IsChecked(Control::单选框13));

  // Setting a state runs no click handler, and a radio can be cleared by itself.
  int clicks = 0;
  QObject::connect(Find<QAbstractButton>(Control::单选框11), &QAbstractButton::clicked,
                   [&] { ++clicks; });
  form.SetChecked(Control::单选框11, true);
  EXPECT_FALSE(form.IsChecked(Control::单选框12));
  form.SetChecked(Control::单选框11, false);
  EXPECT_FALSE(form.IsChecked(Control::单选框11));
  EXPECT_EQ(clicks, 0);
}

TEST_F(MainWindowTest, TheAlwaysOnTopBoxKeepsTheWindowAboveOthers) {
  auto on_top = [&] { return window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
  EXPECT_TRUE(on_top());
  Click(Control::选择框_窗口置顶);
  EXPECT_FALSE(on_top());
  Click(Control::选择框_窗口置顶);
  EXPECT_TRUE(on_top());
}

TEST_F(MainWindowTest, PreviewToggleWidensTheWindowAndMovesTheButtons) {
  Form& form = window_.form();
  Click(Control::按钮_打开预览);
  // As wide as the preview was designed, unless the screen is narrower.
  EXPECT_EQ(window_.width(), std::min(1150, window_.screen()->availableGeometry().width()));
  EXPECT_EQ(window_.form().WindowWidth(), 1150);
  EXPECT_EQ(window_.list().width(), 407 + 380);
  EXPECT_EQ(window_.list().ColumnTitle(1), Gbk("更名后的效果"));
  EXPECT_EQ(window_.list().columnWidth(1), 380);
  EXPECT_TRUE(form.IsVisible(Control::按钮_确认无误执行吧));
  EXPECT_EQ(Find(Control::按钮_确认无误执行吧)->pos(), QPoint(973, 590));
  EXPECT_EQ(Find(Control::按钮_撤回上一步)->pos(), QPoint(850, 590));
  EXPECT_EQ(Find(Control::按钮_用我的txt修改)->x(), 830);

  Click(Control::按钮_打开预览);
  EXPECT_EQ(window_.width(), 769);
  EXPECT_EQ(window_.list().width(), 400);
  EXPECT_EQ(window_.list().ColumnCount(), 1);
  EXPECT_EQ(window_.list().ColumnTitle(0), Gbk("最开始的文件名"));
  EXPECT_FALSE(form.IsVisible(Control::按钮_确认无误执行吧));
  EXPECT_EQ(Find(Control::按钮_确认无误执行吧)->pos(), QPoint(568, 432));
  EXPECT_TRUE(form.IsVisible(Control::按钮_撤回上一步));
  QWidget* undo = Find(Control::按钮_撤回上一步);
  EXPECT_TRUE(window_.rect().contains(QRect(undo->mapTo(&window_, QPoint(0, 0)), undo->size())));
  EXPECT_EQ(Find(Control::按钮_用我的txt修改)->x(), 639);
}

TEST_F(MainWindowTest, CombosKeepTheirTextAndSelectionAsTheHandlersExpect) {
  Form& form = window_.form();
  // Adding items to an empty editable combo selects nothing and keeps the typed text.
  form.SetText(Control::组合框_修改扩展, "mp");
  form.AddComboItem(Control::组合框_修改扩展, ".mp3");
  form.AddComboItem(Control::组合框_修改扩展, ".mp4");
  EXPECT_EQ(form.ComboIndex(Control::组合框_修改扩展), -1);
  EXPECT_EQ(form.Text(Control::组合框_修改扩展), "mp");

  // Typing over a picked item leaves no item selected.
  form.SetComboIndex(Control::组合框_修改扩展, 1);
  EXPECT_EQ(form.Text(Control::组合框_修改扩展), ".mp4");
  Find<QComboBox>(Control::组合框_修改扩展)->lineEdit()->setText(".mp");
  EXPECT_EQ(form.ComboIndex(Control::组合框_修改扩展), -1);

  // Clearing the items empties the edit part too.
  form.ClearComboItems(Control::组合框_修改扩展);
  EXPECT_EQ(form.Text(Control::组合框_修改扩展), "");

  // A drop-down list shows only its items: a text picks the item of that text.
  form.SetText(Control::组合框2, Gbk("处理文件夹"));
  EXPECT_EQ(form.ComboIndex(Control::组合框2), 1);
  form.SetText(Control::组合框2, Gbk("别的"));
  EXPECT_EQ(form.ComboIndex(Control::组合框2), -1);
  EXPECT_EQ(form.Text(Control::组合框2), "");
}

TEST_F(MainWindowTest, TypingAndOpeningAFilterComboReachItsHandlers) {
  auto* filter = Find<QComboBox>(Control::组合框_仅检索);
  FocusControl(filter);
  TypeKeys("mp");
  EXPECT_EQ(filter->currentText(), "mp");
  EXPECT_EQ(filter->lineEdit()->cursorPosition(), 2);
  ASSERT_GT(filter->count(), 1);
  EXPECT_EQ(filter->itemText(0), QString::fromUtf8("所有"));
  EXPECT_EQ(window_.form().ComboIndex(Control::组合框_仅检索), -1);

  // Enter reaches the key handler and picks no item, even on an item's text.
  int picks = 0;
  QObject::connect(filter, &QComboBox::activated, [&] { ++picks; });
  int mp4 = filter->findText(".mp4");
  ASSERT_GE(mp4, 0);
  filter->lineEdit()->setText(".mp4");
  PressKey(Qt::Key_Return, "\r");
  EXPECT_EQ(picks, 0);
  EXPECT_EQ(window_.form().ComboIndex(Control::组合框_仅检索), -1);

  filter->lineEdit()->clear();
  filter->clear();
  filter->showPopup();
  filter->hidePopup();
  ASSERT_GT(filter->count(), 1);
  EXPECT_EQ(filter->itemText(0), QString::fromUtf8("所有"));
  EXPECT_EQ(filter->currentText(), "");
}

// Typed text and Enter, through the focus widget as the keyboard delivers them,
// reload the folder: with a search text only its files, with a skip text
// (typed, never picked, so it skips nothing) whatever the folder holds now.
TEST_F(MainWindowTest, EnterInAFocusedFilterComboReloadsTheFolder) {
  TemporaryFolder folder;
  folder.AddFile("a.mp4");
  folder.AddFile("b.txt");
  windows_.chosen_folder = Gbk(folder.path());
  Click(Control::按钮_手动读取);
  ASSERT_EQ(window_.list().RowCount(), 2);

  FocusControl(Find(Control::组合框_仅检索));
  TypeKeys("mp4");
  PressKey(Qt::Key_Return, "\r");
  EXPECT_EQ(Column0(), std::vector<GbkText>{"a.mp4"});

  Find<QComboBox>(Control::组合框_仅检索)->setEditText("");
  folder.AddFile("c.txt");
  FocusControl(Find(Control::组合框_跳过扩展));
  TypeKeys("txt");
  PressKey(Qt::Key_Enter, "\r");
  EXPECT_EQ(Column0(), (std::vector<GbkText>{"a.mp4", "b.txt", "c.txt"}));
}

TEST(MainWindowIntake, ChoosingAFolderFillsTheListThroughTheRealWindow) {
  TemporaryFolder folder;
  folder.AddFile("第10课.mp4");
  folder.AddFile("第2课.mp4");
  folder.AddFile("a.txt");
  folder.AddFolder("子目录");

  struct Row {
    const char* name;
    int mode;
    bool cancel;
    std::vector<const char*> rows;
    const char* message;
  } rows[] = {
      {"files/padded-order", 0, false, {"a.txt", "第2课.mp4", "第10课.mp4"}, nullptr},
      {"folders/subfolders-only", 1, false, {"子目录"}, nullptr},
      {"dialog-cancelled/message", 0, true, {}, "什么都没有选择"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    UndoHistory undo;
    ScriptedMessages messages;
    FakeWindowSystem windows;
    MainWindow window(undo, {&messages, &windows, nullptr});
    window.form().SetComboIndex(Control::组合框2, row.mode);
    windows.chosen_folder = row.cancel ? "" : Gbk(folder.path());

    window.findChild<QAbstractButton*>(Name(Control::按钮_手动读取))->click();

    ASSERT_EQ(windows.dialog_titles.size(), 1u);
    EXPECT_EQ(windows.dialog_titles[0], Gbk("选择目录"));
    std::vector<GbkText> expected;
    for (const char* name : row.rows) expected.push_back(Gbk(name));
    std::vector<GbkText> listed;
    for (int i = 0; i < window.list().RowCount(); ++i) listed.push_back(window.list().Cell(i, 0));
    EXPECT_EQ(listed, expected);
    if (row.message == nullptr) {
      EXPECT_TRUE(messages.shown.empty());
      EXPECT_EQ(window.form().Text(Control::标签2), Gbk(folder.path() + "/"));
    } else {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].text, Gbk(row.message));
    }
  }
}

TEST_F(MainWindowTest, PickingASearchFilterReloadsTheFolder) {
  TemporaryFolder folder;
  folder.AddFile("第2课.mp4");
  folder.AddFile("a.txt");
  windows_.chosen_folder = Gbk(folder.path());
  Click(Control::按钮_手动读取);
  ASSERT_EQ(window_.list().RowCount(), 2);

  auto* filter = Find<QComboBox>(Control::组合框_仅检索);
  filter->showPopup();
  filter->hidePopup();
  int mp4 = filter->findText(".mp4");
  ASSERT_GE(mp4, 0);
  filter->setCurrentIndex(mp4);
  emit filter->activated(mp4);
  EXPECT_EQ(Column0(), std::vector<GbkText>{Gbk("第2课.mp4")});
}

}  // namespace
}  // namespace qm
