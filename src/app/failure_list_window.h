#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "platform/failure_list.h"

class QSortFilterProxyModel;
class QTableView;

namespace qm {

class TextTableModel;

// Lists what a rename could not do as a table: the old name, the new name and
// the reason, one row per entry. A long name is shortened in the middle, so
// its extension stays in sight, and shown whole as the tooltip; a click on a
// column title sorts by that column. The cells can be read and copied, never
// edited.
class FailureListWindow : public QDialog {
  Q_OBJECT

 public:
  FailureListWindow(const GbkText& title, const GbkText& summary,
                    const std::vector<FailedRename>& rows, QWidget* parent = nullptr);
  ~FailureListWindow() override;

  QTableView& table() { return *table_; }
  // What "复制全部" copies: a header line, then one line per row in the order
  // shown, the columns separated by tabs.
  QString AllAsText() const;

 private:
  TextTableModel* model_ = nullptr;
  QSortFilterProxyModel* sorted_ = nullptr;
  QTableView* table_ = nullptr;
};

// Shows a FailureListWindow modally over its owner.
class QtFailureList : public FailureList {
 public:
  explicit QtFailureList(QWidget* owner) : owner_(owner) {}
  void Show(const GbkText& title, const GbkText& summary,
            const std::vector<FailedRename>& rows) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qm
