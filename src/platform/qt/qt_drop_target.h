#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "base/gbk_text_type.h"

namespace qm {

// Receives one dropped path: a file, a folder (with or without a trailing
// separator) or a root folder. The text is only valid during the call.
using DropCallback = std::function<void(const GbkText& path)>;

// Drops of local files onto a window and every control in it. While
// registered, a drop of n items calls the callback n times, in the order the
// file manager lists them, before the next drop is handled. The file
// manager's URL list is handed over path by path; URLs that are not local
// files (web links, trash or network locations) are ignored.
class QtDropTarget : public QObject {
  Q_OBJECT

 public:
  explicit QtDropTarget(QWidget* window) : window_(window) {}
  ~QtDropTarget() override { Unregister(); }

  void Register(DropCallback callback);
  // The window stops accepting drops. Harmless when not registered.
  void Unregister();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  DropCallback callback_;
  bool registered_ = false;
};

}  // namespace qm
