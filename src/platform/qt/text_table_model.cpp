#include "platform/qt/text_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <utility>

#include "platform/qt/qt_text.h"

namespace qm {
namespace {

const GbkText& EmptyText() {
  static const GbkText empty;
  return empty;
}

// A deep red: readable on the list's white ground whatever hue the skin takes,
// and unlike any colour of the skin itself.
const QColor kMarkColour(0xB0, 0x1E, 0x1E);
// Draft names are grey: not yet what the column holds.
const QColor kDraftColour(0x80, 0x80, 0x80);

// Up to this many rows are freed at once when the list is emptied.
constexpr int kFreedHere = 65536;

}  // namespace

int TextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : row_count_;
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount();
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  const int column = index.column();
  if (!HasCell(row, column)) return {};
  const GbkText* drafted =
      ShowsDraft(row, column) && draft_.cells[row] ? &*draft_.cells[row] : nullptr;
  const GbkText& text = drafted ? *drafted : columns_[column].cells[row];
  const GbkText& mark = ShownMark(row, column);
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(text);
    case Qt::ToolTipRole: {
      QString tip = ToQString(text);
      if (mark.empty()) return tip;
      return tip + QLatin1Char('\n') + ToQString(mark);
    }
    case Qt::ForegroundRole:
      if (!mark.empty()) return QBrush(kMarkColour);
      if (drafted) return QBrush(kDraftColour);
      return {};
    case Qt::FontRole: {
      if (!drafted) return {};
      QFont font;
      font.setItalic(true);
      return font;
    }
    default:
      return {};
  }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role != Qt::DisplayRole || section < 0 || section >= ColumnCount()) return {};
  return ToQString(columns_[section].title);
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

const GbkText& TextTableModel::Cell(int row, int column) const {
  if (!HasCell(row, column)) return EmptyText();
  return columns_[column].cells[row];
}

void TextTableModel::SetCell(int row, int column, const GbkText& text) {
  Edited();
  if (!HasCell(row, column)) return;
  GbkText& cell = columns_[column].cells[row];
  if (cell == text) return;
  cell = text;
  if (!Mark(row, column).empty()) {
    MarkCell(row, column, {});
  }
  QModelIndex changed = index(row, column);
  emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::ToolTipRole});
}

void TextTableModel::MarkCell(int row, int column, const GbkText& reason) {
  Edited();
  if (!HasCell(row, column)) return;
  Column& marked = columns_[column];
  if (marked.marks.empty()) {
    if (reason.empty()) return;
    marked.marks.resize(row_count_);
  }
  GbkText& mark = marked.marks[row];
  if (mark == reason) return;
  marked.marked += mark.empty() ? 1 : (reason.empty() ? -1 : 0);
  mark = reason;
  if (marked.marked == 0) {
    marked.marks.clear();
    marked.marks.shrink_to_fit();
  }
  QModelIndex changed = index(row, column);
  emit dataChanged(changed, changed, {Qt::ToolTipRole, Qt::ForegroundRole});
}

const GbkText& TextTableModel::Mark(int row, int column) const {
  if (!HasCell(row, column)) return EmptyText();
  const std::vector<GbkText>& marks = columns_[column].marks;
  return marks.empty() ? EmptyText() : marks[row];
}

void TextTableModel::AppendRows(std::vector<GbkText> column0) {
  Edited();
  if (column0.empty()) return;
  // Rows need a column to live in; a table without columns gets one.
  if (columns_.empty()) InsertColumn(0, {});
  int first = row_count_;
  int last = row_count_ + static_cast<int>(column0.size()) - 1;
  beginInsertRows(QModelIndex(), first, last);
  columns_[0].cells.insert(columns_[0].cells.end(), std::make_move_iterator(column0.begin()),
                           std::make_move_iterator(column0.end()));
  row_count_ = last + 1;
  for (size_t c = 1; c < columns_.size(); ++c) columns_[c].cells.resize(row_count_);
  for (Column& column : columns_) {
    if (!column.marks.empty()) column.marks.resize(row_count_);
  }
  endInsertRows();
}

void TextTableModel::RemoveRow(int row) {
  Edited();
  if (row < 0 || row >= row_count_) return;
  beginRemoveRows(QModelIndex(), row, row);
  for (Column& column : columns_) {
    column.cells.erase(column.cells.begin() + row);
    if (column.marks.empty()) continue;
    if (!column.marks[row].empty()) --column.marked;
    column.marks.erase(column.marks.begin() + row);
    if (column.marked == 0) column.marks.clear();
  }
  --row_count_;
  endRemoveRows();
}

void TextTableModel::RemoveAllRows() {
  Edited();
  if (row_count_ == 0) return;
  beginResetModel();
  std::vector<std::vector<GbkText>> removed;
  for (Column& column : columns_) {
    removed.push_back(std::exchange(column.cells, {}));
    removed.push_back(std::exchange(column.marks, {}));
    column.marked = 0;
  }
  const bool large = row_count_ > kFreedHere;
  row_count_ = 0;
  endResetModel();
  if (large) freeing_ = std::jthread([removed = std::move(removed)]() mutable { removed.clear(); });
}

int TextTableModel::InsertColumn(int index, const GbkText& title) {
  Edited();
  if (index < 0 || index > ColumnCount()) index = ColumnCount();
  beginInsertColumns(QModelIndex(), index, index);
  columns_.insert(columns_.begin() + index, Column{title, std::vector<GbkText>(row_count_), {}, 0});
  endInsertColumns();
  return index;
}

void TextTableModel::RemoveColumn(int index) {
  Edited();
  if (index < 0 || index >= ColumnCount()) return;
  beginRemoveColumns(QModelIndex(), index, index);
  columns_.erase(columns_.begin() + index);
  endRemoveColumns();
}

const GbkText& TextTableModel::ColumnTitle(int index) const {
  if (index < 0 || index >= ColumnCount()) return EmptyText();
  return columns_[index].title;
}

void TextTableModel::SetColumnTitle(int index, const GbkText& title) {
  if (index < 0 || index >= ColumnCount()) return;
  columns_[index].title = title;
  emit headerDataChanged(Qt::Horizontal, index, index);
}

const GbkText& TextTableModel::ShownMark(int row, int column) const {
  return ShowsDraft(row, column) ? draft_.marks[row] : Mark(row, column);
}

void TextTableModel::SetDraft(int column, std::vector<std::optional<GbkText>> cells,
                              std::vector<GbkText> marks) {
  if (column < 0 || column >= ColumnCount() || row_count_ == 0) return DropDraft();
  cells.resize(row_count_);
  marks.resize(row_count_);
  draft_ = DraftColumn{column, std::move(cells), std::move(marks)};
  emit dataChanged(index(0, column), index(row_count_ - 1, column),
                   {Qt::DisplayRole, Qt::ToolTipRole, Qt::ForegroundRole, Qt::FontRole});
}

void TextTableModel::DropDraft() {
  if (draft_.column < 0) return;
  const int column = draft_.column;
  draft_ = DraftColumn{};
  if (column < ColumnCount() && row_count_ > 0) {
    emit dataChanged(index(0, column), index(row_count_ - 1, column),
                     {Qt::DisplayRole, Qt::ToolTipRole, Qt::ForegroundRole, Qt::FontRole});
  }
}

void TextTableModel::Edited() {
  DropDraft();
  emit TableEdited();
}

const GbkText* TextTableModel::DraftCell(int row) const {
  if (draft_.column < 0 || row < 0 || row >= static_cast<int>(draft_.cells.size())) return nullptr;
  return draft_.cells[row] ? &*draft_.cells[row] : nullptr;
}

}  // namespace qm
