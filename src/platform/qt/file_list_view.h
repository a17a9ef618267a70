#pragma once

#include <QTableView>

#include "platform/list_view.h"
#include "platform/qt/text_table_model.h"

namespace qm {

// A report-style list of text rows: a QTableView over a TextTableModel, with
// fixed row heights so a list of 100,000 rows opens and scrolls at once.
class FileListView : public QTableView, public ListView {
  Q_OBJECT

 public:
  explicit FileListView(QWidget* parent = nullptr);

  int RowCount() const override { return model_.RowCount(); }
  int ColumnCount() const override { return model_.ColumnCount(); }
  GbkText Cell(int row, int column) const override { return model_.Cell(row, column); }
  bool CellHolds(int row, int column, std::string_view text) const override {
    return model_.Cell(row, column) == text;
  }
  void SetCell(int row, int column, const GbkText& text) override;
  void MarkCell(int row, int column, const GbkText& reason) override {
    model_.MarkCell(row, column, reason);
  }
  void AppendRows(std::vector<GbkText> column0) override;
  void RemoveRow(int row) override { model_.RemoveRow(row); }
  void RemoveAllRows() override { model_.RemoveAllRows(); }
  void InsertColumn(int index, const GbkText& title, int width) override;
  void RemoveColumn(int index) override { model_.RemoveColumn(index); }
  GbkText ColumnTitle(int index) const override { return model_.ColumnTitle(index); }
  void SetColumnTitle(int index, const GbkText& title) override;

  int CurrentRow() const override;
  std::vector<int> SelectedRows() const override;
  int ClickedColumn() const override { return clicked_column_; }

  TextTableModel& Model() { return model_; }

 signals:
  // A right-click, after the hit test; position in global coordinates.
  void RightClicked(const QPoint& global_position);
  // A double-click on an item, after the hit test.
  void ItemDoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Records the column under a point of the viewport as ClickedColumn.
  void HitTest(const QPoint& viewport_position);

  TextTableModel model_;
  int clicked_column_ = 0;
};

}  // namespace qm
