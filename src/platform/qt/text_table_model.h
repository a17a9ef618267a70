#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <thread>
#include <vector>

#include "base/gbk_text_type.h"

namespace qm {

// Rows of text cells kept in the internal encoding, column by column, so that
// a column can be added or dropped without touching every row. Cells become
// QStrings only when the view paints them.
class TextTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  int RowCount() const { return row_count_; }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // Empty text outside the table.
  const GbkText& Cell(int row, int column) const;
  // New text clears the cell's mark.
  void SetCell(int row, int column, const GbkText& text);
  // A marked cell is drawn in a warning colour with its reason in the
  // tooltip; an empty reason clears the mark.
  void MarkCell(int row, int column, const GbkText& reason);
  const GbkText& Mark(int row, int column) const;
  void AppendRows(std::vector<GbkText> column0);
  void RemoveRow(int row);
  void RemoveAllRows();
  // The index is clamped to the existing columns; returns where it went.
  int InsertColumn(int index, const GbkText& title);
  void RemoveColumn(int index);
  const GbkText& ColumnTitle(int index) const;
  void SetColumnTitle(int index, const GbkText& title);

  // A draft over one column: per row the text shown in place of the cell's
  // (grey and slanted, apart from written text), or none to show the cell,
  // and per row the mark shown in place of the cell's. Cell() and Mark() go
  // on reading the written values. Any change to the table drops the draft.

  void SetDraft(int column, std::vector<std::optional<GbkText>> cells, std::vector<GbkText> marks);
  void DropDraft();
  bool HasDraft() const { return draft_.column >= 0; }
  // The draft's text of a row, or nullptr where the row shows its cell.
  const GbkText* DraftCell(int row) const;

 signals:
  // A cell, a mark, a row or a column changed (the draft is not the table's).
  void TableEdited();

 private:
  struct Column {
    GbkText title;
    std::vector<GbkText> cells;  // one per row
    // Empty while no cell of the column is marked, then one reason per row:
    // a list that is never marked pays nothing for it.
    std::vector<GbkText> marks;
    int marked = 0;
  };

  bool HasCell(int row, int column) const {
    return row >= 0 && row < row_count_ && column >= 0 && column < ColumnCount();
  }

  struct DraftColumn {
    int column = -1;  // -1: no draft
    std::vector<std::optional<GbkText>> cells;
    std::vector<GbkText> marks;
  };
  bool ShowsDraft(int row, int column) const {
    return column == draft_.column && row < static_cast<int>(draft_.cells.size());
  }
  const GbkText& ShownMark(int row, int column) const;
  // Every change to the table comes through here.
  void Edited();

  std::vector<Column> columns_;
  int row_count_ = 0;
  DraftColumn draft_;
  // Frees the cells of a large list emptied last: a million names take longer
  // to free than the window may go unpainted, so they go beside its thread.
  std::jthread freeing_;
};

}  // namespace qm
