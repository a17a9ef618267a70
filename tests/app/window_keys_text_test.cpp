#include <gtest/gtest.h>

#include <QApplication>
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

  UndoRecord undo_;
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

}  // namespace
}  // namespace qm
