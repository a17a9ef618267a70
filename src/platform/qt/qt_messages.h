#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/messages.h"

namespace qm {

// Modal message boxes owned by a window.
class QtMessages : public Messages {
 public:
  explicit QtMessages(QWidget* owner) : owner_(owner) {}
  Answer Show(const GbkText& text, const GbkText& title, Icon icon, Buttons buttons) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qm
