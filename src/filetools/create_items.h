#pragma once

#include "platform/form.h"
#include "base/gbk_text_type.h"
#include "platform/main_services.h"

namespace qm {

// The creation tool of the main window: one new folder, or one new file
// holding kCreatedFileContent, per row of FileListView, named after the
// row's stem, in the folder typed into 编辑框14 (not in WorkingFolder). It
// reads the list and never changes it.

// Every created file holds these 8 bytes, the text "测试文件".
inline constexpr std::string_view kCreatedFileContent = "\xB2\xE2\xCA\xD4\xCE\xC4\xBC\xFE";

// The first item of 组合框_创建扩展, "创建目录": create folders instead of files.
const GbkText& CreateFoldersChoice();

// 编辑框14 got the input focus: the hint text goes, and its grey with it.
void ClearHint(Form& form);

// Click on 按钮14. An item whose name exists already (file or folder) is never
// touched: it counts as not created, like any name the file system refuses.
// A long job: stopped, it keeps and counts what it created.
void CreateItems(MainServices& services);

}  // namespace qm
