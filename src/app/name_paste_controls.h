#pragma once

namespace qm {

// Every control of NamePasteWindow, by its own name (the widget's objectName).
#define QM_NAME_PASTE_CONTROLS(X) \
  X(超级编辑框1)                  \
  X(按钮_确认4)                   \
  X(按钮_关闭4)

enum class PasteControl {
#define QM_NAME_PASTE_CONTROLS_ENUM(name) name,
  QM_NAME_PASTE_CONTROLS(QM_NAME_PASTE_CONTROLS_ENUM)
#undef QM_NAME_PASTE_CONTROLS_ENUM
};

inline const char* ControlName(PasteControl control) {
  switch (control) {
#define QM_NAME_PASTE_CONTROLS_NAME(name) \
  case PasteControl::name:                \
    return #name;
    QM_NAME_PASTE_CONTROLS(QM_NAME_PASTE_CONTROLS_NAME)
#undef QM_NAME_PASTE_CONTROLS_NAME
  }
  return "";
}

}  // namespace qm
