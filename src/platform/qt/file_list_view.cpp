#include "platform/qt/file_list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

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

void FileListView::AppendRows(std::vector<GbkText> column0) {
  bool had_columns = model_.ColumnCount() > 0;
  model_.AppendRows(std::move(column0));
  if (!had_columns && model_.ColumnCount() > 0) setColumnWidth(0, 380);
}

void FileListView::InsertColumn(int index, const GbkText& title, int width) {
  int at = model_.InsertColumn(index, title);
  setColumnWidth(at, width);
}

void FileListView::SetColumnTitle(int index, const GbkText& title) {
  model_.SetColumnTitle(index, title);
}

int FileListView::CurrentRow() const {
  QModelIndex current = currentIndex();
  if (!current.isValid() || !selectionModel()->isRowSelected(current.row(), QModelIndex())) {
    return -1;
  }
  return current.row();
}

std::vector<int> FileListView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void FileListView::HitTest(const QPoint& viewport_position) {
  clicked_column_ = columnAt(viewport_position.x());
}

void FileListView::mousePressEvent(QMouseEvent* event) {
  HitTest(event->position().toPoint());
  QTableView::mousePressEvent(event);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
  HitTest(event->position().toPoint());
  QTableView::mouseDoubleClickEvent(event);
  if (indexAt(event->position().toPoint()).isValid()) emit ItemDoubleClicked();
}

void FileListView::contextMenuEvent(QContextMenuEvent* event) {
  // The keyboard's menu key has no pointer position worth testing.
  if (event->reason() == QContextMenuEvent::Mouse) HitTest(event->pos());
  emit RightClicked(event->globalPos());
  event->accept();
}

}  // namespace qm
