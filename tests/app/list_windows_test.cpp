#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "app/main_list_windows.h"
#include "app/main_window.h"
#include "app/mapped_controls.h"
#include "app/mapped_rename_window.h"
#include "app/name_editor_controls.h"
#include "app/name_paste_controls.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

template <class Id>
QString Name(Id control) {
  return QString::fromUtf8(ControlName(control));
}

std::vector<GbkText> Texts(std::initializer_list<const char*> utf8) {
  std::vector<GbkText> texts;
  for (const char* text : utf8) texts.push_back(Gbk(text));
  return texts;
}

std::vector<GbkText> Column(const ListView& list, int column) {
  std::vector<GbkText> texts;
  for (int row = 0; row < list.RowCount(); ++row) texts.push_back(list.Cell(row, column));
  return texts;
}

// Runs what closing a window left for the event loop: its deferred deletion.
void LetClosedWindowsGo() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Answers the next modal message box with OK, as a person would, and records
// its text and title.
struct AnsweredBox {
  QString text;
  QString title;
};
void AnswerNextMessageBox(AnsweredBox& answered) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, &answered] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    answered = {box->text(), box->windowTitle()};
    box->button(QMessageBox::Ok)->click();
    poll->deleteLater();
  });
  poll->start(5);
}

// The real main window over a real temporary folder; its own message boxes
// are scripted, the other windows' are real.
class ListWindowsTest : public ::testing::Test {
 protected:
  ListWindowsTest() : window_(undo_, {&messages_, &windows_, nullptr}) { window_.show(); }

  fs::path Folder() const { return fs::u8path(folder_.path().toStdString()); }
  GbkText FolderText() const { return Gbk(folder_.path().toStdString() + "/"); }
  fs::path AddFile(const char* name, const std::string& content = "x") {
    fs::path path = Folder() / fs::u8path(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::vector<std::string> NamesOnDisk() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // A drop as a file manager makes it: a URL list, with a web link among the files.
  void DropOn(QWidget* target, const std::vector<fs::path>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const fs::path& path : paths) {
      urls << QUrl::fromLocalFile(QString::fromStdString(path.string()));
    }
    urls.insert(urls.size() / 2, QUrl("https://example.com/page.txt"));
    data.setUrls(urls);
    QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
  }

  void SetMode(const char* mode) { window_.form().SetText(Control::组合框2, Gbk(mode)); }
  QWidget* MainControl(Control control) { return window_.findChild<QWidget*>(Name(control)); }
  void Click(QWidget* parent, const QString& name) {
    auto* button = parent->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    button->click();
  }

  // Right-clicks the cell of a list, as the hit test sees it, and picks a menu item.
  void PickFromMenu(FileListView& list, int row, int column, const char* menu_name,
                    const char* item) {
    list.selectRow(row);
    QPoint at = list.visualRect(list.model()->index(row, column)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
    TriggerMenuItem(menu_name, item);
  }
  // A left click on a cell, as a user looking at another row makes.
  void LeftClick(FileListView& list, int row, int column) {
    QPoint at = list.visualRect(list.model()->index(row, column)).center();
    QPoint global = list.viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &release);
  }
  static void Type(int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(QApplication::focusWidget(), &press);
  }
  // Drops a names file holding `lines` (bytes) on the mapped window, as a
  // file manager would from another folder.
  void DropNamesFile(MappedRenameWindow* mapped, const std::string& lines,
                     const char* file_name = "names.txt") {
    QTemporaryDir elsewhere;
    fs::path names = fs::u8path(elsewhere.path().toStdString()) / fs::u8path(file_name);
    std::ofstream(names, std::ios::binary) << lines;
    DropOn(mapped, {names});
  }
  void TriggerMenuItem(const char* menu_name, const char* item) {
    QMenu* menu = nullptr;
    for (QMenu* candidate : window_.findChildren<QMenu*>(QString::fromUtf8(menu_name))) {
      if (candidate->isVisible()) menu = candidate;
    }
    ASSERT_NE(menu, nullptr) << menu_name << " did not pop up";
    for (QAction* action : menu->actions()) {
      if (action->text() == QString::fromUtf8(item)) {
        menu->hide();
        action->trigger();
        return;
      }
    }
    FAIL() << "no item " << item;
  }

  QTemporaryDir folder_;
  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  MainWindow window_;
};

TEST_F(ListWindowsTest, DropsOfRealFilesFillTheListByMode) {
  fs::path a = AddFile("a.txt");
  fs::path ten = AddFile("10.jpg");
  fs::path two = AddFile("2.jpg");
  fs::create_directory(Folder() / "sub");

  SetMode("处理文件");
  DropOn(&window_, {a, two});
  EXPECT_EQ(Column(window_.list(), 0), Texts({"2.jpg", "10.jpg", "a.txt"}));
  EXPECT_EQ(window_.form().Text(Control::标签2), FolderText());

  SetMode("处理文件夹");
  DropOn(&window_.list(), {Folder() / "sub"});
  EXPECT_EQ(Column(window_.list(), 0), Texts({"sub"}));

  // A drop onto an edit box is the window's too, and does not land in the box.
  SetMode("拖几个改几个");
  DropOn(MainControl(Control::编辑框2), {ten, Folder() / "sub"});
  EXPECT_EQ(Column(window_.list(), 0), Texts({"sub", "10.jpg", "sub"}));
  EXPECT_EQ(window_.form().Text(Control::编辑框2), "");
  EXPECT_TRUE(messages_.shown.empty());

  // Nothing but web links is not taken.
  QMimeData links;
  links.setUrls({QUrl("https://example.com/a.txt")});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &links, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window_, &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(ListWindowsTest, RightClickMenuMovesDeletesAndDoubleClickCopies) {
  window_.list().AppendRows(Texts({"a", "b", "c"}));
  PickFromMenu(window_.list(), 2, 0, "右键功能1", "上移");
  EXPECT_EQ(Column(window_.list(), 0), Texts({"a", "c", "b"}));
  EXPECT_EQ(window_.list().CurrentRow(), 2);

  PickFromMenu(window_.list(), 0, 0, "右键功能1", "上移");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, Gbk("已经在最顶了，无法再上移了！"));

  PickFromMenu(window_.list(), 1, 0, "右键功能1", "删除已选中文件名");
  EXPECT_EQ(Column(window_.list(), 0), Texts({"a", "b"}));

  QApplication::clipboard()->setText("before");
  QPoint at = window_.list().visualRect(window_.list().model()->index(1, 0)).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, window_.list().viewport()->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.list().viewport(), &press);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, window_.list().viewport()->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.list().viewport(), &twice);
  EXPECT_EQ(QApplication::clipboard()->text(), "b");
}

TEST_F(ListWindowsTest, SortMenuOrdersByNumberAndByLastWriteTime) {
  fs::path names[] = {AddFile("10.txt"), AddFile("1.txt"), AddFile("2.txt")};
  auto now = fs::file_time_type::clock::now();
  fs::last_write_time(names[0], now - std::chrono::hours(3));
  fs::last_write_time(names[1], now - std::chrono::hours(1));
  fs::last_write_time(names[2], now - std::chrono::hours(2));
  SetMode("拖几个改几个");
  DropOn(&window_, {names[0], Folder() / "gone.txt", names[1], names[2]});

  Click(&window_, Name(Control::按钮_多种重新排序));
  TriggerMenuItem("多种重新排序", "按数字大小排序");
  EXPECT_EQ(Column(window_.list(), 0), Texts({"1.txt", "2.txt", "10.txt", "gone.txt"}));

  Click(&window_, Name(Control::按钮_多种重新排序));
  TriggerMenuItem("多种重新排序", "按文件最后修改时间排序");
  EXPECT_EQ(Column(window_.list(), 0), Texts({"1.txt", "2.txt", "10.txt", "gone.txt"}));
  fs::last_write_time(names[0], now);
  Click(&window_, Name(Control::按钮_多种重新排序));
  TriggerMenuItem("多种重新排序", "按文件创建时间排序");
  EXPECT_EQ(Column(window_.list(), 0), Texts({"10.txt", "1.txt", "2.txt", "gone.txt"}));

  Click(&window_, Name(Control::按钮_顺序颠倒));
  EXPECT_EQ(Column(window_.list(), 0), Texts({"gone.txt", "2.txt", "1.txt", "10.txt"}));
}

TEST_F(ListWindowsTest, NamesFileDroppedOnTheMappedWindowRenamesAndWritesBack) {
  fs::path files[] = {AddFile("a.txt"), AddFile("b.txt"), AddFile("c.txt")};
  SetMode("处理文件");
  DropOn(&window_, {files[0]});
  ASSERT_EQ(Column(window_.list(), 0), Texts({"a.txt", "b.txt", "c.txt"}));

  Click(&window_, Name(Control::按钮_用我的txt修改));
  MappedRenameWindow* mapped = window_.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(mapped->objectName(), "MappedRenameWindow");
  EXPECT_TRUE(mapped->isVisible());
  EXPECT_FALSE(window_.isEnabled());
  EXPECT_TRUE(mapped->isEnabled());
  EXPECT_EQ(Column(mapped->list(), 0), Texts({"a.txt", "b.txt", "c.txt"}));

  DropNamesFile(mapped, "第一课\r\n\r\n第三课\r\n第四课\r\n", "新名字.txt");
  EXPECT_EQ(Column(mapped->list(), 1), Texts({"第一课", "", "第三课", "第四课"}));
  EXPECT_EQ(Column(mapped->list(), 0), Texts({"a.txt", "b.txt", "c.txt", ""}));

  Click(mapped, Name(MappedControl::按钮_执行改名));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, Gbk("一共有2个文件被改名"));
  EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"b.txt", "第一课.txt", "第三课.txt"}));

  Click(mapped, Name(MappedControl::按钮_关闭窗口2));
  LetClosedWindowsGo();
  EXPECT_EQ(window_.list_windows().mapped_window(), nullptr);
  EXPECT_TRUE(window_.isEnabled());
  EXPECT_EQ(Column(window_.list(), 0), Texts({"第一课.txt", "b.txt", "第三课.txt"}));
}

TEST_F(ListWindowsTest, MappedWindowMenuShiftsOneColumnAndAsksThroughItsOwnBoxes) {
  window_.list().AppendRows(Texts({"a.txt", "b.txt", "c.txt"}));
  // An editor left open on the main list would be disabled with it.
  PickFromMenu(window_.list(), 0, 0, "右键功能1", "手动修改这个");
  Click(&window_, Name(Control::按钮_用我的txt修改));
  MappedRenameWindow* mapped = window_.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  FileListView& list = mapped->list();
  list.SetCell(0, 1, "x");
  list.SetCell(2, 1, "z");

  // The editor on the new-name column changes the cell only.
  PickFromMenu(list, 1, 1, "右键功能2", "手动修改这个");
  LetClosedWindowsGo();
  auto editors = window_.findChildren<QWidget*>("SingleNameEditor");
  ASSERT_EQ(editors.size(), 1);
  EXPECT_EQ(editors[0]->parentWidget(), mapped);
  EXPECT_TRUE(editors[0]->isEnabled());
  editors[0]->findChild<QLineEdit*>(Name(EditorControl::编辑框1))->setText("y");
  Click(editors[0], Name(EditorControl::按钮1));
  EXPECT_EQ(Column(list, 1), Texts({"x", "y", "z"}));
  list.SetCell(1, 1, "");

  // Tests find the mapped window's menu through MainWindow, its owner.
  PickFromMenu(list, 2, 1, "右键功能2", "上移");
  EXPECT_EQ(Column(list, 0), Texts({"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(Column(list, 1), Texts({"x", "z", ""}));
  PickFromMenu(list, 0, 1, "右键功能2", "删除");
  EXPECT_EQ(Column(list, 1), Texts({"", "z", ""}));

  AnsweredBox answered;
  AnswerNextMessageBox(answered);
  PickFromMenu(list, 0, 0, "右键功能2", "上移");
  EXPECT_EQ(answered.text, QString::fromUtf8("已经在最顶了，无法再上移了！"));
  EXPECT_EQ(answered.title, QString::fromUtf8("提醒："));

  // Paste three lines into a list of three rows whose second line is empty.
  Click(mapped, Name(MappedControl::按钮_手动粘贴));
  auto* paste = mapped->findChild<QWidget*>("NamePasteWindow");
  ASSERT_NE(paste, nullptr);
  auto* box = paste->findChild<QTextEdit*>(Name(PasteControl::超级编辑框1));
  EXPECT_EQ(box->font().pointSize(), 12);
  box->setPlainText("p\n\nr\ns\n");
  Click(paste, Name(PasteControl::按钮_确认4));
  EXPECT_EQ(Column(list, 1), Texts({"p", "", "r", "s"}));

  // The title bar's close button writes back as the window's own button does.
  mapped->close();
  LetClosedWindowsGo();
  EXPECT_TRUE(window_.isEnabled());
  EXPECT_EQ(Column(window_.list(), 0), Texts({"a.txt", "b.txt", "c.txt"}));
}

TEST_F(ListWindowsTest, EditorOpensOnceAndIsBoundToTheCellItWasLastOpenedOn) {
  AddFile("a.txt");
  AddFile("b.txt");
  AddFile("c.txt");
  SetMode("处理文件");
  DropOn(&window_, {Folder() / "a.txt"});

  PickFromMenu(window_.list(), 0, 0, "右键功能1", "手动修改这个");
  auto* editor = window_.findChild<QWidget*>("SingleNameEditor");
  ASSERT_NE(editor, nullptr);
  auto* edit = editor->findChild<QLineEdit*>(Name(EditorControl::编辑框1));
  EXPECT_EQ(edit->text(), "a.txt");
  // A second opening on another cell rebinds the open editor to that cell.
  PickFromMenu(window_.list(), 1, 0, "右键功能1", "手动修改这个");
  EXPECT_EQ(window_.findChildren<QWidget*>("SingleNameEditor").size(), 1);
  EXPECT_EQ(edit->text(), "b.txt");

  // Looking at other rows does not change what the editor edits.
  LeftClick(window_.list(), 2, 0);
  LeftClick(window_.list(), 0, 0);
  ASSERT_EQ(window_.list().CurrentRow(), 0);
  // Typing goes to the edit box, after the last character.
  QApplication::setActiveWindow(editor);
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), edit);
  for (int i = 0; i < 5; ++i) Type(Qt::Key_Backspace, {});
  for (QChar typed : QString::fromUtf8("新.md")) Type(0, typed);
  EXPECT_EQ(edit->text(), QString::fromUtf8("新.md"));
  editor->findChild<QCheckBox*>(Name(EditorControl::选择框1))->setChecked(true);
  Click(editor, Name(EditorControl::按钮1));
  EXPECT_EQ(Column(window_.list(), 0), Texts({"a.txt", "新.md", "c.txt"}));
  EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"a.txt", "c.txt", "新.md"}));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, Gbk("此文件名修改成功！"));
  LetClosedWindowsGo();
  EXPECT_EQ(window_.findChild<QWidget*>("SingleNameEditor"), nullptr);
}

// The mapped window's editor opened on a new name stays on that new name when
// the user then clicks another row's old name: no file is renamed.
TEST_F(ListWindowsTest, MappedEditorOnANewNameIsNotMovedToAnOldNameByAClick) {
  AddFile("a.txt");
  AddFile("b.txt");
  SetMode("处理文件");
  DropOn(&window_, {Folder() / "a.txt"});
  Click(&window_, Name(Control::按钮_用我的txt修改));
  MappedRenameWindow* mapped = window_.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  FileListView& list = mapped->list();
  list.SetCell(0, 1, "x");

  PickFromMenu(list, 0, 1, "右键功能2", "手动修改这个");
  auto* editor = mapped->findChild<QWidget*>("SingleNameEditor");
  ASSERT_NE(editor, nullptr);
  auto* edit = editor->findChild<QLineEdit*>(Name(EditorControl::编辑框1));
  EXPECT_EQ(edit->text(), "x");
  LeftClick(list, 1, 0);
  ASSERT_EQ(list.ClickedColumn(), 0);
  edit->setText("z");
  Click(editor, Name(EditorControl::按钮1));
  EXPECT_EQ(Column(list, 0), Texts({"a.txt", "b.txt"}));
  EXPECT_EQ(Column(list, 1), Texts({"z", ""}));
  EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"a.txt", "b.txt"}));

  // Opened again on an old name, it edits that one and renames its file.
  PickFromMenu(list, 1, 0, "右键功能2", "手动修改这个");
  LetClosedWindowsGo();
  editor = mapped->findChild<QWidget*>("SingleNameEditor");
  ASSERT_NE(editor, nullptr);
  edit = editor->findChild<QLineEdit*>(Name(EditorControl::编辑框1));
  EXPECT_EQ(edit->text(), "b.txt");
  LeftClick(list, 0, 1);
  edit->setText("y.txt");
  Click(editor, Name(EditorControl::按钮1));
  EXPECT_EQ(Column(list, 0), Texts({"a.txt", "y.txt"}));
  EXPECT_EQ(Column(list, 1), Texts({"z", ""}));
  EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"a.txt", "y.txt"}));
}

// With the inputs cleared and the list still full, the mapped rename says that
// the folder is missing, as the other runs do.
TEST_F(ListWindowsTest, MappedRenameWithoutAFolderSaysSo) {
  AddFile("a.txt");
  SetMode("处理文件");
  DropOn(&window_, {Folder() / "a.txt"});
  Click(&window_, Name(Control::按钮_清空输入框));
  ASSERT_EQ(window_.form().Text(Control::标签2), "");
  Click(&window_, Name(Control::按钮_用我的txt修改));
  MappedRenameWindow* mapped = window_.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  mapped->list().SetCell(0, 1, "b");

  AnsweredBox answered;
  AnswerNextMessageBox(answered);
  Click(mapped, Name(MappedControl::按钮_执行改名));
  EXPECT_EQ(answered.text, QString::fromUtf8("路径呢？请先拖入文件！"));
  EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(Column(mapped->list(), 1), Texts({"b"}));
}

// What each file holds, by name: a swap must move contents, not just names.
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    contents[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
  }
  return contents;
}

TEST_F(ListWindowsTest, AMappedSwapSucceedsAndOneUndoInTheMainWindowPutsEveryNameBack) {
  fs::path a = AddFile("a.txt", "A");
  AddFile("b.txt", "B");
  AddFile("c.txt", "C");
  const auto before = Contents(Folder());
  SetMode("处理文件");
  DropOn(&window_, {a});
  Click(&window_, Name(Control::按钮_用我的txt修改));
  MappedRenameWindow* mapped = window_.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  DropNamesFile(mapped, "b\r\na\r\nd\r\n");

  Click(mapped, Name(MappedControl::按钮_执行改名));
  EXPECT_EQ(messages_.Texts(), Texts({"一共有3个文件被改名"}));
  EXPECT_EQ(Contents(Folder()),
            (std::map<std::string, std::string>{{"a.txt", "B"}, {"b.txt", "A"}, {"d.txt", "C"}}));
  EXPECT_EQ(Column(mapped->list(), 0), Texts({"b.txt", "a.txt", "d.txt"}));
  EXPECT_EQ(Column(mapped->list(), 1), Texts({"", "", ""}));

  Click(mapped, Name(MappedControl::按钮_关闭窗口2));
  LetClosedWindowsGo();
  ASSERT_TRUE(MainControl(Control::按钮_撤回上一步)->isVisibleTo(&window_));
  Click(&window_, Name(Control::按钮_撤回上一步));
  EXPECT_EQ(Contents(Folder()), before);
  EXPECT_EQ(Column(window_.list(), 0), Texts({"a.txt", "b.txt", "c.txt"}));
}

TEST_F(ListWindowsTest, TheEditorsRenameIsTheOneTheMainWindowUndoes) {
  fs::path a = AddFile("a.txt", "A");
  AddFile("b.txt", "B");
  SetMode("处理文件");
  DropOn(&window_, {a});
  // An earlier run: the editor's rename, coming later, is what one undo takes back.
  window_.findChild<QLineEdit*>(Name(Control::编辑框7))->setText("_x");
  Click(&window_, Name(Control::按钮_最后面加));
  ASSERT_EQ(NamesOnDisk(), (std::vector<std::string>{"a_x.txt", "b_x.txt"}));

  PickFromMenu(window_.list(), 1, 0, "右键功能1", "手动修改这个");
  auto* editor = window_.findChild<QWidget*>("SingleNameEditor");
  ASSERT_NE(editor, nullptr);
  editor->findChild<QLineEdit*>(Name(EditorControl::编辑框1))->setText("a_x.txt.bak");
  Click(editor, Name(EditorControl::按钮1));
  ASSERT_EQ(NamesOnDisk(), (std::vector<std::string>{"a_x.txt", "a_x.txt.bak"}));

  Click(&window_, Name(Control::按钮_撤回上一步));
  EXPECT_EQ(Contents(Folder()),
            (std::map<std::string, std::string>{{"a_x.txt", "A"}, {"b_x.txt", "B"}}));
  EXPECT_EQ(Column(window_.list(), 0), Texts({"a_x.txt", "b_x.txt"}));
}

// Three renames of three kinds, taken back by three presses of 撤回上一步,
// newest first.
TEST_F(ListWindowsTest, EachUndoTakesBackTheRenameBeforeWhateverItsKind) {
  fs::path a = AddFile("a.txt", "A");
  AddFile("b.txt", "B");
  SetMode("处理文件");
  DropOn(&window_, {a});
  std::vector<std::map<std::string, std::string>> states = {Contents(Folder())};

  window_.findChild<QLineEdit*>(Name(Control::编辑框7))->setText("_x");
  Click(&window_, Name(Control::按钮_最后面加));  // a_x.txt, b_x.txt
  states.push_back(Contents(Folder()));

  PickFromMenu(window_.list(), 0, 0, "右键功能1", "手动修改这个");
  auto* editor = window_.findChild<QWidget*>("SingleNameEditor");
  ASSERT_NE(editor, nullptr);
  editor->findChild<QLineEdit*>(Name(EditorControl::编辑框1))->setText("edited.txt");
  Click(editor, Name(EditorControl::按钮1));  // edited.txt, b_x.txt
  states.push_back(Contents(Folder()));

  Click(&window_, Name(Control::按钮_用我的txt修改));
  MappedRenameWindow* mapped = window_.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  DropNamesFile(mapped, "b_x\r\nedited\r\n");
  Click(mapped, Name(MappedControl::按钮_执行改名));  // a swap
  states.push_back(Contents(Folder()));
  ASSERT_EQ(states[3], (std::map<std::string, std::string>{{"b_x.txt", "A"}, {"edited.txt", "B"}}));
  Click(mapped, Name(MappedControl::按钮_关闭窗口2));
  LetClosedWindowsGo();

  for (int k = 3; k > 0; --k) {
    SCOPED_TRACE("press " + std::to_string(4 - k));
    Click(&window_, Name(Control::按钮_撤回上一步));
    EXPECT_EQ(Contents(Folder()), states[k - 1]);
  }
}

TEST(MappedRenameResult, TheCountIsShownByTheDisabledMainWindowAndCanBeAnswered) {
  QTemporaryDir folder;
  std::ofstream(fs::u8path(folder.path().toStdString()) / "a.txt") << "x";
  UndoHistory undo;
  FakeWindowSystem windows;
  MainWindow window(undo, {nullptr, &windows, nullptr});
  window.show();
  window.form().SetText(Control::标签2, Gbk(folder.path().toStdString() + "/"));
  window.list().AppendRows({"a.txt"});
  window.findChild<QAbstractButton*>(Name(Control::按钮_用我的txt修改))->click();
  MappedRenameWindow* mapped = window.list_windows().mapped_window();
  ASSERT_NE(mapped, nullptr);
  mapped->list().SetCell(0, 1, "b");

  AnsweredBox answered;
  AnswerNextMessageBox(answered);
  mapped->findChild<QAbstractButton*>(Name(MappedControl::按钮_执行改名))->click();
  EXPECT_EQ(answered.text, QString::fromUtf8("一共有1个文件被改名"));
  EXPECT_EQ(answered.title, QString::fromUtf8("修改成果提示"));
  EXPECT_FALSE(window.isEnabled());
}

}  // namespace
}  // namespace qm
