#pragma once

namespace qm {

// Every control of MappedRenameWindow, by its own name (the widget's objectName).
#define QM_MAPPED_WINDOW_CONTROLS(X) \
  X(超级列表框1)                     \
  X(透明标签1)                       \
  X(按钮_执行改名)                   \
  X(选择框_连后缀一起改)             \
  X(按钮_手动粘贴)                   \
  X(按钮_手动粘贴1)                  \
  X(按钮_重新排序2)                  \
  X(按钮_顺序颠倒2)                  \
  X(按钮_关闭窗口2)

enum class MappedControl {
#define QM_MAPPED_WINDOW_CONTROLS_ENUM(name) name,
  QM_MAPPED_WINDOW_CONTROLS(QM_MAPPED_WINDOW_CONTROLS_ENUM)
#undef QM_MAPPED_WINDOW_CONTROLS_ENUM
};

inline const char* ControlName(MappedControl control) {
  switch (control) {
#define QM_MAPPED_WINDOW_CONTROLS_NAME(name) \
  case MappedControl::name:                  \
    return #name;
    QM_MAPPED_WINDOW_CONTROLS(QM_MAPPED_WINDOW_CONTROLS_NAME)
#undef QM_MAPPED_WINDOW_CONTROLS_NAME
  }
  return "";
}

}  // namespace qm
