#include "platform/qt/file_list_view.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/qt/qt_text.h"
#include "qt_application.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

TEST(FileListView, HoldsAHundredThousandRowsInsertedAsOneBatch) {
  FileListView list;
  list.InsertColumn(0, Gbk("当前的文件名"), 380);
  int insertions = 0;
  QObject::connect(&list.Model(), &QAbstractItemModel::rowsInserted, [&] { ++insertions; });

  std::vector<GbkText> names;
  for (int i = 0; i < 100000; ++i) names.push_back(Gbk("第") + ToText(i) + ".mp4");
  list.AppendRows(names);

  EXPECT_EQ(insertions, 1);
  ASSERT_EQ(list.RowCount(), 100000);
  EXPECT_EQ(list.Model().rowCount(), 100000);
  EXPECT_EQ(list.Cell(99999, 0), Gbk("第99999.mp4"));
  EXPECT_EQ(list.Model().index(12345, 0).data().toString(), QString::fromUtf8("第12345.mp4"));

  // A column added later has a cell for every row, empty until written.
  list.InsertColumn(1, Gbk("更名后的效果"), 380);
  EXPECT_EQ(list.columnWidth(1), 380);
  EXPECT_EQ(list.Cell(99999, 1), "");
  list.SetCell(99999, 1, Gbk("新名.mp4"));
  EXPECT_EQ(list.Cell(99999, 1), Gbk("新名.mp4"));
  list.RemoveColumn(1);
  EXPECT_EQ(list.ColumnCount(), 1);
  EXPECT_EQ(list.Cell(99999, 0), Gbk("第99999.mp4"));

  list.RemoveAllRows();
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(FileListView, OutOfRangeCellsReadEmptyAndIgnoreWrites) {
  FileListView list;
  list.InsertColumn(0, Gbk("名"), 100);
  list.AppendRows({"a", "b", "c"});
  list.SetCell(3, 0, "x");
  list.SetCell(0, 1, "x");
  list.SetCell(-1, 0, "x");
  list.RemoveRow(7);
  EXPECT_EQ(list.Cell(3, 0), "");
  EXPECT_EQ(list.Cell(0, 1), "");
  EXPECT_EQ(list.ColumnTitle(4), "");
  list.RemoveRow(1);
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.Cell(0, 0), "a");
  EXPECT_EQ(list.Cell(1, 0), "c");
}

// A mark belongs to its cell: it follows the row when rows above go, and it
// goes with new text in the cell or with its column.
TEST(FileListView, AMarkedCellShowsItsReasonUntilItsTextOrColumnChanges) {
  FileListView list;
  list.InsertColumn(0, Gbk("名"), 100);
  list.AppendRows({"a", "b", "c"});
  list.InsertColumn(1, Gbk("效果"), 100);
  for (int row = 0; row < 3; ++row) list.SetCell(row, 1, Gbk("新") + list.Cell(row, 0));
  auto tooltip = [&](int row) { return list.Model().index(row, 1).data(Qt::ToolTipRole); };
  auto colour = [&](int row) { return list.Model().index(row, 1).data(Qt::ForegroundRole); };
  list.MarkCell(1, 1, Gbk("太长"));
  list.MarkCell(2, 1, Gbk("重复"));

  EXPECT_EQ(tooltip(1).toString(), QString::fromUtf8("新b\n太长"));
  EXPECT_TRUE(colour(1).isValid());
  EXPECT_EQ(tooltip(0).toString(), QString::fromUtf8("新a"));
  EXPECT_FALSE(colour(0).isValid());
  EXPECT_FALSE(list.Model().index(1, 0).data(Qt::ForegroundRole).isValid());

  list.RemoveRow(0);
  EXPECT_EQ(tooltip(0).toString(), QString::fromUtf8("新b\n太长"));
  EXPECT_EQ(tooltip(1).toString(), QString::fromUtf8("新c\n重复"));
  list.SetCell(0, 1, Gbk("新b2"));
  EXPECT_FALSE(colour(0).isValid());
  list.MarkCell(1, 1, {});
  EXPECT_EQ(tooltip(1).toString(), QString::fromUtf8("新c"));

  list.MarkCell(0, 1, Gbk("重复"));
  list.RemoveColumn(1);
  list.InsertColumn(1, Gbk("效果"), 100);
  EXPECT_FALSE(colour(0).isValid());
}

TEST(QtText, ShowsEveryTextAndMarksBytesTheEncodingDoesNotDefine) {
  struct Row {
    const char* name;
    GbkText internal;
    QString shown;
  } rows[] = {
      {"ascii", "a.txt", QStringLiteral("a.txt")},
      {"chinese", Gbk("第1课.mp4"), QString::fromUtf8("第1课.mp4")},
      {"four-byte-character", Gbk("😀.png"), QString::fromUtf8("😀.png")},
      {"lead-byte-cut-off", Gbk("第").substr(0, 1), QString(QChar::ReplacementCharacter)},
      {"cut-character-before-space", "a" + Gbk("课").substr(0, 1) + " b",
       QStringLiteral("a") + QChar(QChar::ReplacementCharacter) + QStringLiteral(" b")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToQString(row.internal), row.shown);
  }
  EXPECT_EQ(FromQString(QString::fromUtf8("第1课.mp4")), Gbk("第1课.mp4"));
}

}  // namespace
}  // namespace qm
