#include "platform/controls.h"

namespace qm {

const char* ControlName(Control control) {
  switch (control) {
#define QM_CONTROL_NAME(name) \
  case Control::name:         \
    return #name;
    QM_MAIN_WINDOW_CONTROLS(QM_CONTROL_NAME)
#undef QM_CONTROL_NAME
  }
  return "";
}

}  // namespace qm
