#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/drop_target.h"

namespace qm {

// Drops of local files onto a window and every control in it. The file
// manager's URL list is handed over path by path; URLs that are not local
// files (web links, trash or network locations) are ignored.
class QtDropTarget : public QObject, public DropTarget {
  Q_OBJECT

 public:
  explicit QtDropTarget(QWidget* window) : window_(window) {}
  ~QtDropTarget() override { Unregister(); }

  void Register(DropCallback callback) override;
  void Unregister() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  DropCallback callback_;
  bool registered_ = false;
};

}  // namespace qm
