#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <unordered_map>

namespace qm {

// Places a window's controls at their designed pixel positions and lets the
// window be resized around them. The handlers move and size controls in the
// designed coordinates; this class alone turns them into real ones:
// - at the designed size every control sits exactly where it was designed;
// - larger, the grow widget (the file list) takes the extra width and height,
//   controls designed below it move down with its bottom edge, and the
//   stretch widgets take the extra width (wide) or height (tall);
// - lower than designed (a small or scaled screen), the same rules shrink the
//   list and the tall widget down to a floor;
// - narrower than designed (down to the narrowest width), the list gives up
//   width first; the controls above and under it that would not fit the
//   narrowest width follow its right edge, and a row of them that no longer
//   fits beside the controls that stay wraps below them;
// - narrower than that, or lower than the floor, the area scrolls instead of
//   cutting controls off.
class DesignedLayout : public QObject {
  Q_OBJECT

 public:
  // The list may lose this much height on a low screen.
  static constexpr int kGrowWidgetFloor = 150;

  DesignedLayout(QWidget* area, QWidget* grow, QSize designed);

  // Records the current geometry of every direct child of the area as its
  // designed geometry.
  void CaptureDesign();
  void SetStretchWide(QWidget* widget) { wide_ = widget; }
  void SetStretchTall(QWidget* widget) { tall_ = widget; }

  bool Holds(const QWidget* widget) const;
  QRect Designed(const QWidget* widget) const;
  void SetDesigned(QWidget* widget, const QRect& rect);

  QSize DesignedSize() const { return designed_; }
  void SetDesignedWidth(int width);
  // The width the area may shrink to while it is designed wider (the
  // designed width when not set), or a little more where the list needs it
  // to keep room for the controls beside it that stay.
  void SetNarrowestWidth(int width);

  // The window size to open at: the designed size, but never beyond the room
  // available for the window's inside (the screen's available area less the
  // window frame).
  static QSize FittedSize(QSize wanted, QSize room);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateMinimum();
  void Apply();
  QRect Placed(const QWidget* widget, const QRect& designed, int dx, int dy) const;
  // Where the controls beside the list go when the area is dx narrower than
  // designed, in designed coordinates before any vertical move.
  std::unordered_map<const QWidget*, QRect> FollowingRightEdge(int dx) const;
  // A control beside the list: above or under it, right of its left edge.
  bool Beside(const QWidget* widget, const QRect& rect) const;
  // The right edge of the controls beside the list that stay in place.
  int StayingRight() const;

  QPointer<QWidget> area_;
  QWidget* grow_;
  QWidget* wide_ = nullptr;
  QWidget* tall_ = nullptr;
  QSize designed_;
  int narrowest_ = 0;
  std::unordered_map<const QWidget*, QRect> rects_;
};

}  // namespace qm
