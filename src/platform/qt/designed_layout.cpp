#include "platform/qt/designed_layout.h"

#include <QEvent>
#include <algorithm>

namespace qm {

DesignedLayout::DesignedLayout(QWidget* area, QWidget* grow, QSize designed)
    : QObject(area), area_(area), grow_(grow), designed_(designed) {
  area->installEventFilter(this);
}

void DesignedLayout::CaptureDesign() {
  for (QWidget* child : area_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    rects_[child] = child->geometry();
  }
  UpdateMinimum();
  Apply();
}

bool DesignedLayout::Holds(const QWidget* widget) const { return rects_.count(widget) != 0; }

QRect DesignedLayout::Designed(const QWidget* widget) const {
  auto found = rects_.find(widget);
  return found == rects_.end() ? QRect() : found->second;
}

void DesignedLayout::SetDesigned(QWidget* widget, const QRect& rect) {
  rects_[widget] = rect;
  UpdateMinimum();
  Apply();
}

void DesignedLayout::SetDesignedWidth(int width) {
  designed_.setWidth(width);
  UpdateMinimum();
  Apply();
}

QSize DesignedLayout::FittedSize(QSize wanted, QSize room) {
  return wanted.boundedTo(room.expandedTo(QSize(1, 1)));
}

bool DesignedLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
    Apply();
  }
  return QObject::eventFilter(watched, event);
}

void DesignedLayout::UpdateMinimum() {
  // The list shrinks to its floor; below that, and below the designed width,
  // the area scrolls.
  int give = std::max(0, Designed(grow_).height() - kGrowWidgetFloor);
  area_->setMinimumSize(designed_.width(), designed_.height() - give);
}

QRect DesignedLayout::Placed(const QWidget* widget, const QRect& designed, int dx, int dy) const {
  const QRect list = Designed(grow_);
  if (widget == grow_) return designed.adjusted(0, 0, dx, dy);
  if (widget == wide_) return designed.adjusted(0, 0, dx, 0);
  if (widget == tall_) return designed.adjusted(0, 0, 0, dy);
  // Under the list: keeps its distance to the list's bottom edge.
  if (designed.top() > list.bottom()) return designed.translated(0, dy);
  return designed;
}

void DesignedLayout::Apply() {
  if (area_ == nullptr) return;
  // A hidden area has no real size yet (its window lays it out when shown):
  // until then the controls keep their designed places.
  const bool shown = area_->isVisible();
  const int dx = shown ? area_->width() - designed_.width() : 0;
  const int dy = shown ? area_->height() - designed_.height() : 0;
  for (const auto& [widget, designed] : rects_) {
    auto* child = const_cast<QWidget*>(widget);
    QRect placed = Placed(widget, designed, dx, dy);
    if (child->geometry() != placed) child->setGeometry(placed);
  }
}

}  // namespace qm
