#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/dialogs.h"

namespace qm {

// The folder dialog owned by a window, and the Qt event loop.
class QtWindowSystem : public WindowSystem {
 public:
  explicit QtWindowSystem(QWidget* owner) : owner_(owner) {}
  GbkText ChooseFolderDialog(const GbkText& title, const GbkText& start_folder) override;
  void PumpMessages() override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qm
