#include "platform/qt/designed_layout.h"

#include <QEvent>
#include <algorithm>
#include <vector>

namespace qm {
namespace {

// The least room between two controls of a row, and between a row and one
// wrapped below it, as the rows beside the list were designed.
constexpr int kSpacing = 5;
constexpr int kRowSpacing = 10;

using Placement = std::pair<const QWidget*, QRect>;

// Moves a row's controls (sorted by left edge) left as far as needed to end
// at or before right, keeping their order and designed spacing; returns the
// leftmost edge reached.
int PushLeft(std::vector<Placement>& row, int right) {
  int limit = right;
  for (size_t i = row.size(); i-- > 0;) {
    QRect& rect = row[i].second;
    const int gap = i > 0 ? rect.left() - row[i - 1].second.right() - 1 : 0;
    rect.moveLeft(std::min(rect.left(), limit - rect.width() + 1));
    limit = rect.left() - std::max(gap, kSpacing) - 1;
  }
  return row.empty() ? right : row.front().second.left();
}

}  // namespace

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

void DesignedLayout::SetNarrowestWidth(int width) {
  narrowest_ = width;
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
  // The list shrinks to its floor, and to the narrowest width as long as it
  // keeps room for the controls beside it that stay; below that the area
  // scrolls.
  int give = std::max(0, Designed(grow_).height() - kGrowWidgetFloor);
  int width = designed_.width();
  if (narrowest_ > 0 && narrowest_ < width && grow_ != nullptr) {
    const int margin = designed_.width() - Designed(grow_).right();
    width = std::max(narrowest_, StayingRight() + margin);
  }
  area_->setMinimumSize(width, designed_.height() - give);
}

QRect DesignedLayout::Placed(const QWidget* widget, const QRect& designed, int dx, int dy) const {
  const QRect list = Designed(grow_);
  if (widget == grow_) return designed.adjusted(0, 0, dx, dy);
  // Within the narrowest width by design, so it only ever grows.
  if (widget == wide_) return designed.adjusted(0, 0, std::max(dx, 0), 0);
  if (widget == tall_) return designed.adjusted(0, 0, 0, dy);
  // Under the list: keeps its distance to the list's bottom edge.
  if (designed.top() > list.bottom()) return designed.translated(0, dy);
  return designed;
}

bool DesignedLayout::Beside(const QWidget* widget, const QRect& rect) const {
  if (widget == grow_ || widget == wide_ || widget == tall_) return false;
  const QRect list = Designed(grow_);
  return rect.left() >= list.left() && (rect.bottom() < list.top() || rect.top() > list.bottom());
}

int DesignedLayout::StayingRight() const {
  int right = Designed(grow_).left();
  for (const auto& [widget, rect] : rects_) {
    if (Beside(widget, rect) && rect.right() < narrowest_) right = std::max(right, rect.right());
  }
  return right;
}

std::unordered_map<const QWidget*, QRect> DesignedLayout::FollowingRightEdge(int dx) const {
  std::unordered_map<const QWidget*, QRect> moved;
  if (dx >= 0 || grow_ == nullptr || narrowest_ <= 0) return moved;
  const QRect list = Designed(grow_);
  const int right = list.right() + dx;

  // The controls beside the list, in rows of controls that overlap in height.
  std::vector<std::vector<Placement>> rows;
  for (const auto& [widget, rect] : rects_) {
    if (!Beside(widget, rect)) continue;
    auto row = std::find_if(rows.begin(), rows.end(), [&rect](const std::vector<Placement>& r) {
      return std::any_of(r.begin(), r.end(), [&rect](const Placement& p) {
        return rect.top() <= p.second.bottom() && rect.bottom() >= p.second.top();
      });
    });
    if (row == rows.end()) row = rows.insert(rows.end(), std::vector<Placement>());
    row->push_back({widget, rect});
  }

  for (const std::vector<Placement>& row : rows) {
    // Those that would not fit the narrowest width follow the list's edge.
    std::vector<Placement> followers;
    int staying_right = list.left() - 1 - kSpacing;
    int bottom = row.front().second.bottom();
    for (const Placement& placed : row) {
      bottom = std::max(bottom, placed.second.bottom());
      if (placed.second.right() >= narrowest_) {
        followers.push_back(placed);
      } else {
        staying_right = std::max(staying_right, placed.second.right());
      }
    }
    if (followers.empty()) continue;
    std::sort(followers.begin(), followers.end(), [](const Placement& a, const Placement& b) {
      return a.second.left() < b.second.left();
    });
    if (PushLeft(followers, right) - staying_right - 1 < kSpacing) {
      // No room beside the controls that stay: a row of their own below them.
      const int top = followers.front().second.top();
      for (Placement& placed : followers) {
        placed.second.moveTop(bottom + 1 + kRowSpacing + placed.second.top() - top);
      }
    }
    for (const Placement& placed : followers) moved[placed.first] = placed.second;
  }
  return moved;
}

void DesignedLayout::Apply() {
  if (area_ == nullptr) return;
  // A hidden area has no real size yet (its window lays it out when shown):
  // until then the controls keep their designed places.
  const bool shown = area_->isVisible();
  const int dx = shown ? area_->width() - designed_.width() : 0;
  const int dy = shown ? area_->height() - designed_.height() : 0;
  const auto following = FollowingRightEdge(dx);
  for (const auto& [widget, designed] : rects_) {
    auto* child = const_cast<QWidget*>(widget);
    auto moved = following.find(widget);
    QRect placed = moved == following.end()
                       ? Placed(widget, designed, dx, dy)
                       : Placed(widget, designed, 0, dy)
                             .translated(moved->second.topLeft() - designed.topLeft());
    if (child->geometry() != placed) child->setGeometry(placed);
  }
}

}  // namespace qm
