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
//   list and the tall widget down to a floor; narrower than designed, or
//   lower than the floor, the area scrolls instead of cutting controls off.
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

  QPointer<QWidget> area_;
  QWidget* grow_;
  QWidget* wide_ = nullptr;
  QWidget* tall_ = nullptr;
  QSize designed_;
  std::unordered_map<const QWidget*, QRect> rects_;
};

}  // namespace qm
