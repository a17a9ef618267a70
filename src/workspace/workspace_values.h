#pragma once

#include "platform/form.h"
#include "platform/gbk_text_type.h"

namespace qm {

// The workspace values live in MainWindow's controls; these read and write
// them at the moment a handler needs them.

enum class ProcessingMode { Files, Folders, Dropped, Other };

GbkText WorkingFolder(const Form& form);  // caption of 标签2
void SetWorkingFolder(Form& form, const GbkText& folder);
ProcessingMode ReadProcessingMode(const Form& form);  // text of 组合框2
bool PreviewModeOn(const Form& form);  // caption of 按钮_打开预览 is "关闭预览"

// True when folder contains "Desktop" in any case.
bool IsDesktopFolder(const GbkText& folder);

}  // namespace qm
