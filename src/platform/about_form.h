#pragma once

#include "base/gbk_text_type.h"

namespace qm {

// Every control of AboutWindow, by its own name (the widget's objectName).
// Several names are also names of MainWindow's controls: each window has
// its own list.
#define QM_ABOUT_WINDOW_CONTROLS(X)                                                         \
  /* the side buttons */                                                                    \
  X(超级按钮_使用教程)                                                                      \
  X(超级按钮_更新信息)                                                                      \
  X(超级按钮_QQ群)                                                                          \
  X(超级按钮_关闭此页) X(高级选择夹1)                           /* page 0 "使用教程" */ \
      X(超级链接框2) X(超级链接框3) X(图片框4) X(透明标签_许可) /* page 1 "更新信息" */ \
      X(图片框3) X(透明标签5) X(透明标签7) X(透明标签6) X(透明标签8) X(透明标签9)           \
          X(超级链接框1)                 /* page 2 "用户讨论" */                        \
      X(透明标签4) X(透明标签1) X(按钮2) /* page 3 "打赏作者" */                        \
      X(图片框1) X(图片框2) X(透明标签2) X(透明标签3)

enum class AboutControl {
#define QM_ABOUT_CONTROL_ENUM(name) name,
  QM_ABOUT_WINDOW_CONTROLS(QM_ABOUT_CONTROL_ENUM)
#undef QM_ABOUT_CONTROL_ENUM
};

inline constexpr AboutControl kAboutWindowControls[] = {
#define QM_ABOUT_CONTROL_ID(name) AboutControl::name,
    QM_ABOUT_WINDOW_CONTROLS(QM_ABOUT_CONTROL_ID)
#undef QM_ABOUT_CONTROL_ID
};

// The control's name as UTF-8, as used for the widget's objectName.
const char* AboutControlName(AboutControl control);
inline const char* ControlName(AboutControl control) { return AboutControlName(control); }

// AboutWindow's controls as its handlers see them.
class AboutForm {
 public:
  virtual ~AboutForm() = default;
  virtual GbkText Text(AboutControl control) const = 0;
  virtual void SetText(AboutControl control, const GbkText& text) = 0;
  // Whether the control is shown when its page is.
  virtual bool IsVisible(AboutControl control) const = 0;
  virtual void SetVisible(AboutControl control, bool visible) = 0;
  virtual void ShowPage(int index) = 0;
  virtual void Focus(AboutControl control) = 0;
  // Gives this side button the highlight colours, the others the normal ones.
  virtual void Highlight(AboutControl side_button) = 0;
  virtual void Close() = 0;
};

}  // namespace qm
