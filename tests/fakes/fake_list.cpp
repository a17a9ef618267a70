#include "fakes/fake_list.h"

namespace qm {

GbkText FakeList::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return {};
  const auto& cells = rows_[row];
  return column < static_cast<int>(cells.size()) ? cells[column] : GbkText();
}

void FakeList::SetCell(int row, int column, const GbkText& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
  auto& cells = rows_[row];
  if (column >= static_cast<int>(cells.size())) cells.resize(column + 1);
  if (cells[column] != text) MarkCell(row, column, {});
  cells[column] = text;
}

void FakeList::MarkCell(int row, int column, const GbkText& reason) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
  auto& marks = marks_[row];
  if (column >= static_cast<int>(marks.size())) marks.resize(column + 1);
  marks[column] = reason;
}

GbkText FakeList::Mark(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  const auto& marks = marks_[row];
  return column < static_cast<int>(marks.size()) ? marks[column] : GbkText();
}

void FakeList::AppendRows(std::vector<GbkText> column0) {
  for (GbkText& name : column0) rows_.push_back({std::move(name)});
  marks_.resize(rows_.size());
}

void FakeList::RemoveRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows_.erase(rows_.begin() + row);
  marks_.erase(marks_.begin() + row);
}

void FakeList::InsertColumn(int index, const GbkText& title, int width) {
  if (index < 0 || index > ColumnCount()) return;
  titles_.insert(titles_.begin() + index, title);
  widths.insert(widths.begin() + index, width);
  for (auto* table : {&rows_, &marks_}) {
    for (auto& cells : *table) {
      if (index <= static_cast<int>(cells.size())) cells.insert(cells.begin() + index, GbkText());
    }
  }
}

void FakeList::RemoveColumn(int index) {
  if (index < 0 || index >= ColumnCount()) return;
  titles_.erase(titles_.begin() + index);
  widths.erase(widths.begin() + index);
  for (auto* table : {&rows_, &marks_}) {
    for (auto& cells : *table) {
      if (index < static_cast<int>(cells.size())) cells.erase(cells.begin() + index);
    }
  }
}

GbkText FakeList::ColumnTitle(int index) const {
  return index >= 0 && index < ColumnCount() ? titles_[index] : GbkText();
}

void FakeList::SetColumnTitle(int index, const GbkText& title) {
  if (index >= 0 && index < ColumnCount()) titles_[index] = title;
}

std::vector<GbkText> FakeList::Column(int column) const {
  std::vector<GbkText> cells;
  for (int row = 0; row < RowCount(); ++row) cells.push_back(Cell(row, column));
  return cells;
}

}  // namespace qm
