#pragma once

#include <QWidget>

class QLabel;

namespace qm {

// "解释用意的窗口": one label with the help text of a "?" button. MainWindow
// keeps at most one and reuses it; it deletes itself when closed.
class ExplanationWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ExplanationWindow(QWidget* owner);
  void SetExplanation(const QString& text);

 private:
  QLabel* label_;
};

}  // namespace qm
