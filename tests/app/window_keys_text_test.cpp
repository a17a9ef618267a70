#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

#include "app/main_window.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/qt/elided_label.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

class ShownWindowTest : public ::testing::Test {
 protected:
  ShownWindowTest() : window_(undo_, {&messages_, &windows_, nullptr}) {
    window_.show();
    window_.activateWindow();
    QApplication::processEvents();
  }
  // As a keyboard does: the key goes to whatever widget has the focus.
  void Press(int key) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();
  }

  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  MainWindow window_;
};

TEST_F(ShownWindowTest, ArrowsWalkTheListRowsAndTabLeavesIt) {
  FileListView& list = window_.list();
  list.AppendRows({"a.txt", "b.txt", "c.txt"});
  list.setFocus();
  list.setCurrentIndex(list.model()->index(0, 0));
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), &list);

  Press(Qt::Key_Down);
  EXPECT_EQ(list.currentIndex().row(), 1);
  EXPECT_EQ(QApplication::focusWidget(), &list);
  Press(Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), &list);
  EXPECT_EQ(list.currentIndex().row(), 1);
}

TEST_F(ShownWindowTest, LongFolderAndNamesAreShortenedInTheMiddleWithTheWholeTextAsTooltip) {
  const std::string folder =
      "/home/用户/下载/" + std::string(40, 'x') + "/某个很长的课程文件夹名称/";
  window_.form().SetText(Control::标签2, Gbk(folder));
  auto* label = window_.findChild<ElidedLabel*>(QString::fromUtf8("标签2"));
  ASSERT_NE(label, nullptr);
  const QString whole = QString::fromStdString(folder);
  EXPECT_EQ(label->text(), whole);
  EXPECT_EQ(label->toolTip(), whole);
  QString shown = label->ShownText();
  EXPECT_LT(shown.size(), whole.size());
  EXPECT_TRUE(shown.startsWith(QString::fromUtf8("/home/用户")));
  EXPECT_TRUE(shown.endsWith(QString::fromUtf8("名称/")));
  EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());

  const std::string name = std::string(60, 'n') + "第十二章.mp4";
  FileListView& list = window_.list();
  list.AppendRows({Gbk(name)});
  EXPECT_EQ(list.textElideMode(), Qt::ElideMiddle);
  EXPECT_EQ(list.model()->index(0, 0).data(Qt::ToolTipRole).toString(),
            QString::fromStdString(name));
}

// Text pasted from elsewhere can hold half of a surrogate pair, which no
// encoding can write into a file name.
TEST_F(ShownWindowTest, PastedTextWithoutAnEncodingIsTakenOutWithAMessageNamingTheField) {
  struct Row {
    Control field;
    const char* name;
  } rows[] = {{Control::编辑框4, "被替换的"},
              {Control::编辑框5, "换成"},
              {Control::编辑框6, "不影响扩展名"},
              {Control::组合框_仅检索, "仅检索扩展名"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(ControlName(row.field));
    QWidget* field = window_.findChild<QWidget*>(QString::fromUtf8(ControlName(row.field)));
    ASSERT_NE(field, nullptr);
    window_.form().ShowTabPage(row.field == Control::编辑框6 ? 2 : 1);
    field->setFocus();
    QApplication::processEvents();
    messages_.shown.clear();
    QApplication::clipboard()->setText(QString::fromUtf8("第") + QChar(0xD835) +
                                       QString::fromUtf8("章𠀀"));
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &paste);
    QApplication::processEvents();

    EXPECT_EQ(window_.form().Text(row.field), Gbk("第章𠀀"));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text,
              Gbk(std::string("“") + row.name +
                  "”里有无法处理的字符（例如复制来的半个字符），已经去掉，请检查后再操作。"));
    EXPECT_EQ(messages_.shown[0].title, Gbk("提示"));
  }
  // Ordinary text, four-byte characters included, passes without a word.
  messages_.shown.clear();
  QApplication::clipboard()->setText(QString::fromUtf8("𠀀ok"));
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QApplication::sendEvent(QApplication::focusWidget(), &paste);
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace qm
