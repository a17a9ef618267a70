#include "app/failure_list_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace qm {

FailureListWindow::FailureListWindow(const GbkText& title, const GbkText& summary,
                                     const std::vector<GbkText>& lines, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FailureListWindow"));
  setWindowTitle(ToQString(title));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(ToQString(summary), this);
  heading->setObjectName(QString::fromUtf8("失败说明"));
  heading->setTextFormat(Qt::PlainText);
  layout->addWidget(heading);

  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QString::fromUtf8("失败列表"));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QStringList all;
  all.reserve(static_cast<int>(lines.size()));
  for (const GbkText& line : lines) all.push_back(ToQString(line));
  text_->setPlainText(all.join(QLatin1Char('\n')));
  layout->addWidget(text_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* copy =
      buttons->addButton(QString::fromUtf8("复制全部"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QString::fromUtf8("按钮_复制全部"));
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setText(QString::fromUtf8("关闭"));
  close->setObjectName(QString::fromUtf8("按钮_关闭"));
  connect(copy, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(text_->toPlainText()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(560, 360);
}

void QtFailureList::Show(const GbkText& title, const GbkText& summary,
                         const std::vector<GbkText>& lines) {
  FailureListWindow window(title, summary, lines, owner_.data());
  window.exec();
}

}  // namespace qm
