#include "workspace/workspace_values.h"

#include "text/gbk_text.h"

namespace qm {

GbkText WorkingFolder(const Form& form) { return form.Text(Control::标签2); }

void SetWorkingFolder(Form& form, const GbkText& folder) { form.SetText(Control::标签2, folder); }

ProcessingMode ReadProcessingMode(const Form& form) {
  static const GbkText files = Gbk("处理文件");
  static const GbkText folders = Gbk("处理文件夹");
  static const GbkText dropped = Gbk("拖几个改几个");
  GbkText mode = form.Text(Control::组合框2);
  if (mode == files) return ProcessingMode::Files;
  if (mode == folders) return ProcessingMode::Folders;
  if (mode == dropped) return ProcessingMode::Dropped;
  return ProcessingMode::Other;
}

bool PreviewModeOn(const Form& form) {
  static const GbkText on = Gbk("关闭预览");
  return form.Text(Control::按钮_打开预览) == on;
}

bool IsDesktopFolder(const GbkText& folder) { return Find(folder, "Desktop", 1, true) != -1; }

}  // namespace qm
