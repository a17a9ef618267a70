#pragma once

#include <vector>

#include "platform/list_view.h"

namespace qm {

// A list kept as plain rows of cells.
class FakeList : public ListView {
 public:
  FakeList() { titles_.push_back({}); }

  int RowCount() const override { return static_cast<int>(rows_.size()); }
  int ColumnCount() const override { return static_cast<int>(titles_.size()); }
  GbkText Cell(int row, int column) const override;
  void SetCell(int row, int column, const GbkText& text) override;
  void MarkCell(int row, int column, const GbkText& reason) override;
  // The reason a cell is marked with; empty when it carries no mark.
  GbkText Mark(int row, int column) const;
  void AppendRows(std::vector<GbkText> column0) override;
  void RemoveRow(int row) override;
  void RemoveAllRows() override {
    rows_.clear();
    marks_.clear();
  }
  void InsertColumn(int index, const GbkText& title, int width) override;
  void RemoveColumn(int index) override;
  GbkText ColumnTitle(int index) const override;
  void SetColumnTitle(int index, const GbkText& title) override;

  int CurrentRow() const override { return current_row; }
  std::vector<int> SelectedRows() const override { return selected_rows; }
  int ClickedColumn() const override { return clicked_column; }

  // Column 0 of every row, row 0 first.
  std::vector<GbkText> Column(int column) const;
  std::vector<int> widths{380};
  int current_row = -1;
  std::vector<int> selected_rows;
  int clicked_column = 0;

 private:
  std::vector<std::vector<GbkText>> rows_;
  std::vector<std::vector<GbkText>> marks_;  // beside rows_, cell for cell
  std::vector<GbkText> titles_;
};

}  // namespace qm
