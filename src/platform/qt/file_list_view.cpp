#include "platform/qt/file_list_view.h"

#include <QHeaderView>

namespace qm {

FileListView::FileListView(QWidget* parent) : QTableView(parent) {
  setModel(&model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  // A long name keeps its extension in sight; the tooltip shows all of it.
  setTextElideMode(Qt::ElideMiddle);
  // Tab leaves the list for the next control; the arrows walk the rows.
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  // Fixed heights: the view never measures rows, whatever their number.
  QHeaderView* rows = verticalHeader();
  rows->setVisible(false);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(fontMetrics().height() + 6);

  QHeaderView* columns = horizontalHeader();
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setStretchLastSection(false);
  columns->setHighlightSections(false);
}

void FileListView::SetCell(int row, int column, const GbkText& text) {
  model_.SetCell(row, column, text);
}

void FileListView::AppendRows(const std::vector<GbkText>& column0) {
  bool had_columns = model_.ColumnCount() > 0;
  model_.AppendRows(column0);
  if (!had_columns && model_.ColumnCount() > 0) setColumnWidth(0, 380);
}

void FileListView::InsertColumn(int index, const GbkText& title, int width) {
  int at = model_.InsertColumn(index, title);
  setColumnWidth(at, width);
}

void FileListView::SetColumnTitle(int index, const GbkText& title) {
  model_.SetColumnTitle(index, title);
}

}  // namespace qm
