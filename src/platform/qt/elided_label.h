#pragma once

#include <QLabel>

namespace qm {

// A one-line label that keeps its whole text (text() returns it) but draws a
// text too long for its width with "…" in the middle, so both ends of a path
// stay readable and no character is cut in half.
class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The text as drawn at the label's current width.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm
