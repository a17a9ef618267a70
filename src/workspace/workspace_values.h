#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/form.h"
#include "base/gbk_text_type.h"

namespace qm {

// The workspace values live in MainWindow's controls; these read and write
// them at the moment a handler needs them.

enum class ProcessingMode { Files, Folders, Dropped, Other };

GbkText WorkingFolder(const Form& form);  // caption of 标签2
void SetWorkingFolder(Form& form, const GbkText& folder);

// A folder that file tools may act in: absolute and ending with the separator,
// never the root alone. Anything else would resolve against the program's
// current folder or reach the whole file system.
bool IsUsableFolder(const GbkText& folder);
// A name that stays an entry of its folder: not empty, ".", "..", and without
// the separator, which would reach into another folder.
bool IsEntryName(const GbkText& name);
ProcessingMode ReadProcessingMode(const Form& form);  // text of 组合框2
bool PreviewModeOn(const Form& form);  // caption of 按钮_打开预览 is "关闭预览"

// True when folder contains "Desktop" in any case.
bool IsDesktopFolder(const GbkText& folder);

// The desktop folder that user-dirs.dirs (the text of the XDG user-dirs file)
// names in XDG_DESKTOP_DIR, with "$HOME" replaced by home; "" when the file
// names none, or names home itself (the desktop turned off).
std::string DesktopFromUserDirs(std::string_view user_dirs, const std::string& home);

// The user's desktop folder from $XDG_CONFIG_HOME/user-dirs.dirs (default
// ~/.config), in the internal encoding without a trailing separator; "" when
// there is none.
GbkText UserDesktopFolder(FileSystem& files);

// True when folder is outer or lies below it (outer without a trailing
// separator, folder with or without one).
bool IsFolderOrBelow(const GbkText& folder, const GbkText& outer);

}  // namespace qm
