#include "app/failure_list_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <string>

#include "qt_application.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

QString Cell(QTableView& table, int row, int column, int role = Qt::DisplayRole) {
  return table.model()->index(row, column).data(role).toString();
}

TEST(FailureListWindowTest, ATableOfOldNameNewNameAndReasonSortedByReasonAndCopiedWhole) {
  const std::string long_name = "第01课 " + std::string(120, 'x') + " 结尾.mp4";
  FailureListWindow window(Gbk("没有改名成功的项目"), Gbk("有3个没有改名成功，原因如下："),
                           {{"b.txt", "c.txt", Gbk("新名称已被别的文件或文件夹占用")},
                            {Gbk(long_name), "a.mp4", Gbk("原文件已经不在了")},
                            {"d.txt", "e.txt", Gbk("没有权限")}});
  window.show();
  QApplication::processEvents();
  QTableView& table = window.table();

  ASSERT_EQ(table.model()->columnCount(), 3);
  QStringList titles;
  for (int column = 0; column < 3; ++column) {
    titles << table.model()->headerData(column, Qt::Horizontal).toString();
  }
  EXPECT_EQ(titles, QString::fromUtf8("原文件名,新文件名,原因").split(','));
  EXPECT_EQ(Cell(table, 0, 2), QString::fromUtf8("新名称已被别的文件或文件夹占用"));
  EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);

  // The long name does not fit its column: it is shortened in the middle,
  // keeping its start and extension, and the tooltip holds all of it.
  const QString whole = QString::fromStdString(long_name);
  EXPECT_EQ(table.textElideMode(), Qt::ElideMiddle);
  const int room = table.columnWidth(0);
  EXPECT_GT(table.fontMetrics().horizontalAdvance(whole), room);
  EXPECT_EQ(Cell(table, 1, 0, Qt::ToolTipRole), whole);
  // The reason column is inside the window, not beyond its right edge.
  const int reason_left = table.horizontalHeader()->sectionViewportPosition(2);
  EXPECT_LT(reason_left + 40, table.viewport()->width());

  // A click on the reason's title sorts by it; the rows keep their names.
  QHeaderView* header = table.horizontalHeader();
  const QPoint at(header->sectionViewportPosition(2) + 10, header->height() / 2);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &click);
  }
  QStringList reasons;
  for (int row = 0; row < 3; ++row) reasons << Cell(table, row, 2) + '|' + Cell(table, row, 1);
  EXPECT_EQ(reasons,
            QString::fromUtf8("原文件已经不在了|a.mp4,新名称已被别的文件或文件夹占用|c.txt,"
                              "没有权限|e.txt")
                .split(','));

  // Copied in the order shown, with a header line and tab-separated columns.
  QApplication::clipboard()->setText("before");
  window.findChild<QPushButton*>(QString::fromUtf8("按钮_复制全部"))->click();
  QStringList expected{QString::fromUtf8("原文件名\t新文件名\t原因")};
  for (int row = 0; row < 3; ++row) {
    expected << Cell(table, row, 0) + '\t' + Cell(table, row, 1) + '\t' + Cell(table, row, 2);
  }
  EXPECT_EQ(QApplication::clipboard()->text(), expected.join('\n'));
  EXPECT_TRUE(QApplication::clipboard()->text().contains(whole + QString::fromUtf8("\ta.mp4\t")));
}

}  // namespace
}  // namespace qm
