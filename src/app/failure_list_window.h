#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "platform/failure_list.h"

class QPlainTextEdit;

namespace qm {

// Lists what a rename could not do, one line per entry with its reason. The
// lines are plain text the user can select and copy, never edit.
class FailureListWindow : public QDialog {
  Q_OBJECT

 public:
  FailureListWindow(const GbkText& title, const GbkText& summary, const std::vector<GbkText>& lines,
                    QWidget* parent = nullptr);
  QPlainTextEdit& text() { return *text_; }

 private:
  QPlainTextEdit* text_ = nullptr;
};

// Shows a FailureListWindow modally over its owner.
class QtFailureList : public FailureList {
 public:
  explicit QtFailureList(QWidget* owner) : owner_(owner) {}
  void Show(const GbkText& title, const GbkText& summary,
            const std::vector<GbkText>& lines) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qm
