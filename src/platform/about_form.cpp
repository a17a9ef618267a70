#include "platform/about_form.h"

namespace qm {

const char* AboutControlName(AboutControl control) {
  switch (control) {
#define QM_ABOUT_CONTROL_NAME(name) \
  case AboutControl::name:          \
    return #name;
    QM_ABOUT_WINDOW_CONTROLS(QM_ABOUT_CONTROL_NAME)
#undef QM_ABOUT_CONTROL_NAME
  }
  return "";
}

}  // namespace qm
