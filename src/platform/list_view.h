#pragma once

#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"

namespace qm {

// A list of rows with text columns (FileListView, the mapped list).
class ListView {
 public:
  virtual ~ListView() = default;

  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  // Empty text for a row or column that does not exist.
  virtual GbkText Cell(int row, int column) const = 0;
  // Whether a cell holds exactly `text` (an empty text: whether it is empty),
  // without the copy that reading it makes.
  virtual bool CellHolds(int row, int column, std::string_view text) const {
    return Cell(row, column) == text;
  }
  virtual void SetCell(int row, int column, const GbkText& text) = 0;
  // Marks a cell whose value will not work, with the reason the user reads:
  // the list shows it apart (a warning colour, the reason as its tooltip).
  // An empty reason clears the mark. A mark goes with its cell: new text in
  // the cell, or the cell's row or column removed, clears it.
  virtual void MarkCell(int row, int column, const GbkText& reason) = 0;

  // Appends one row per text, each text in column 0 and the other columns
  // empty. The texts move into the list.
  virtual void AppendRows(std::vector<GbkText> column0) = 0;
  virtual void RemoveRow(int row) = 0;
  virtual void RemoveAllRows() = 0;

  virtual void InsertColumn(int index, const GbkText& title, int width) = 0;
  virtual void RemoveColumn(int index) = 0;
  virtual GbkText ColumnTitle(int index) const = 0;
  virtual void SetColumnTitle(int index, const GbkText& title) = 0;

  // The current (selected, focused) row, or -1 when there is none.
  virtual int CurrentRow() const = 0;
  // The selected rows in ascending order.
  virtual std::vector<int> SelectedRows() const = 0;
  // The column under the pointer at the list's last hit test (a right-click or
  // a click on the list): 0 before the first, -1 beside the columns.
  virtual int ClickedColumn() const = 0;
};

}  // namespace qm
