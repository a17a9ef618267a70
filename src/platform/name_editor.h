#pragma once

#include "base/gbk_text_type.h"

namespace qm {

// The SingleNameEditor as its confirm handler sees it.
class NameEditor {
 public:
  virtual ~NameEditor() = default;
  // The text of 编辑框1, as typed.
  virtual GbkText EditedText() const = 0;
  // 选择框1 "修改后弹出提示".
  virtual bool ConfirmsSuccess() const = 0;
  // Closes and destroys the editor window.
  virtual void Close() = 0;
};

}  // namespace qm
