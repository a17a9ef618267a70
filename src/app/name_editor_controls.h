#pragma once

namespace qm {

// Every control of SingleNameEditor, by its own name (the widget's objectName).
#define QM_NAME_EDITOR_CONTROLS(X) \
  X(编辑框1)                       \
  X(按钮1)                         \
  X(按钮2)                         \
  X(选择框1)

enum class EditorControl {
#define QM_NAME_EDITOR_CONTROLS_ENUM(name) name,
  QM_NAME_EDITOR_CONTROLS(QM_NAME_EDITOR_CONTROLS_ENUM)
#undef QM_NAME_EDITOR_CONTROLS_ENUM
};

inline const char* ControlName(EditorControl control) {
  switch (control) {
#define QM_NAME_EDITOR_CONTROLS_NAME(name) \
  case EditorControl::name:                \
    return #name;
    QM_NAME_EDITOR_CONTROLS(QM_NAME_EDITOR_CONTROLS_NAME)
#undef QM_NAME_EDITOR_CONTROLS_NAME
  }
  return "";
}

}  // namespace qm
