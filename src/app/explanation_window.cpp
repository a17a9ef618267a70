#include "app/explanation_window.h"

#include <QLabel>

namespace qm {

ExplanationWindow::ExplanationWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName("ExplanationWindow");
  setWindowTitle(QString::fromUtf8("解释用意的窗口"));
  setAttribute(Qt::WA_DeleteOnClose);
  // Lets the skin paint this plain widget's background.
  setAttribute(Qt::WA_StyledBackground);
  setFixedSize(484, 321);
  label_ = new QLabel(QString::fromUtf8("透明标签"), this);
  label_->setObjectName(QString::fromUtf8("透明标签1"));
  label_->setGeometry(16, 8, 448, 272);
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void ExplanationWindow::SetExplanation(const QString& text) { label_->setText(text); }

}  // namespace qm
