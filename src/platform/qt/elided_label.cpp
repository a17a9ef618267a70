#include "platform/qt/elided_label.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace qm {

QString ElidedLabel::ShownText() const {
  const int room = contentsRect().width() - 2 * std::max(indent(), 0) - 2 * margin();
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, std::max(room, 0));
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
  QString shown = ShownText();
  if (shown == text()) {
    QLabel::paintEvent(event);
    return;
  }
  QFrame::paintEvent(event);  // the frame only
  QPainter painter(this);
  QRect room = contentsRect().adjusted(margin() + std::max(indent(), 0), margin(),
                                       -margin() - std::max(indent(), 0), -margin());
  style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()),
                        palette(), isEnabled(), shown, foregroundRole());
}

}  // namespace qm
