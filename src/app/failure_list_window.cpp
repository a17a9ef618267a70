#include "app/failure_list_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/qt/text_table_model.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

enum FailureColumn { kOldName, kNewName, kReason, kColumns };
constexpr const char* kTitles[kColumns] = {"原文件名", "新文件名", "原因"};
constexpr int kNameColumnWidth = 200;

}  // namespace

FailureListWindow::FailureListWindow(const GbkText& title, const GbkText& summary,
                                     const std::vector<FailedRename>& rows, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FailureListWindow"));
  setWindowTitle(ToQString(title));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(ToQString(summary), this);
  heading->setObjectName(QString::fromUtf8("失败说明"));
  heading->setTextFormat(Qt::PlainText);
  layout->addWidget(heading);

  model_ = new TextTableModel(this);
  for (int column = 0; column < kColumns; ++column) {
    model_->InsertColumn(column, Gbk(kTitles[column]));
  }
  std::vector<GbkText> old_names;
  old_names.reserve(rows.size());
  for (const FailedRename& row : rows) old_names.push_back(row.old_name);
  model_->AppendRows(old_names);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    model_->SetCell(row, kNewName, rows[row].new_name);
    model_->SetCell(row, kReason, rows[row].reason);
  }
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model_);

  table_ = new QTableView(this);
  table_->setObjectName(QString::fromUtf8("失败列表"));
  table_->setModel(sorted_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  table_->setTextElideMode(Qt::ElideMiddle);
  table_->setShowGrid(false);
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(kOldName, kNameColumnWidth);
  table_->setColumnWidth(kNewName, kNameColumnWidth);
  // Shown in the order of the run until the user sorts by a column.
  table_->setSortingEnabled(true);
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  layout->addWidget(table_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* copy =
      buttons->addButton(QString::fromUtf8("复制全部"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QString::fromUtf8("按钮_复制全部"));
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setText(QString::fromUtf8("关闭"));
  close->setObjectName(QString::fromUtf8("按钮_关闭"));
  connect(copy, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(AllAsText()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(760, 360);
}

FailureListWindow::~FailureListWindow() = default;

QString FailureListWindow::AllAsText() const {
  QStringList lines;
  QStringList cells;
  for (const char* title : kTitles) cells << QString::fromUtf8(title);
  lines << cells.join(QLatin1Char('\t'));
  for (int row = 0; row < sorted_->rowCount(); ++row) {
    cells.clear();
    for (int column = 0; column < kColumns; ++column) {
      cells << sorted_->index(row, column).data(Qt::DisplayRole).toString();
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n'));
}

void QtFailureList::Show(const GbkText& title, const GbkText& summary,
                         const std::vector<FailedRename>& rows) {
  FailureListWindow window(title, summary, rows, owner_.data());
  window.exec();
}

}  // namespace qm
