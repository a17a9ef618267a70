#pragma once

#include <chrono>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "base/gbk_text_type.h"
#include "platform/main_services.h"
#include "workspace/intake_guard.h"

namespace qm {

struct ScannedNames {
  std::vector<GbkText> names;
  int left_out = 0;  // names on disk the internal encoding cannot hold
};

// Windows wildcard rules: letters compared without regard to case, "*" any
// run of characters, "?" one character; a trailing ".*" also matches a name
// without a dot (so "*.*" matches every name) and a trailing "." matches the
// end of a name without a dot (so "*." lists the names without extension).
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The file pattern the search filter 组合框_仅检索 asks for: "*.*" or "*.ext".
GbkText SearchPattern(const Form& form);

// The skip filter 组合框_跳过扩展 as it stands, read once for a whole run: it
// skips an extension equal, byte for byte, to its text when an item is picked.
struct SkipFilter {
  bool picked = false;
  GbkText extension;
  bool Skips(const GbkText& entry_extension) const {
    return picked && extension == entry_extension;
  }
};
SkipFilter ReadSkipFilter(const Form& form);

// How long a scan may go without letting the window process its messages.
inline constexpr std::chrono::milliseconds kScanPumpInterval{15};

// The files of folder (not its subfolders) whose names match pattern, hidden
// ones included, in PaddedNameOrder. Window messages are processed after the
// first name found and then at least every pump_interval (a zero interval:
// after every name found), so the window stays responsive and other handlers
// can run in the middle of the scan.
ScannedNames ScanFiles(FileSystem& files, WindowSystem& windows, const GbkText& folder,
                       const GbkText& pattern,
                       std::chrono::nanoseconds pump_interval = kScanPumpInterval);

// The direct subfolders of folder, hidden ones included, in FolderNameOrder;
// nothing below them is entered.
ScannedNames ScanSubfolders(FileSystem& files, const GbkText& folder);

// The order in which the Windows file system lists a folder, whatever the
// disk's own order (hash order on ext4): by name, letters without regard to
// case, everything else by UTF-16 code unit.
std::vector<GbkText> FolderNameOrder(std::vector<GbkText> names);

// Byte order of the names in which a first number starting within the first 7
// bytes counts as zero-padded to 2 digits (fewer than 100 names) or 3 digits.
// Names with equal keys keep their given order. `between`, when given, is
// called every few thousand names, so a window can paint while a large folder
// is ordered.
std::vector<GbkText> PaddedNameOrder(std::vector<GbkText> names,
                                     const std::function<void()>& between = {});

// The desktop guard of every intake and run: when WorkingFolder lies in a
// "Desktop" folder (any case) or in the user's desktop folder of the XDG user
// dirs, tells the user why, empties WorkingFolder and returns true.
bool RefuseDesktopFolder(MainServices& services);

// Click on 按钮_手动读取: empties the list, asks for a folder (the dialog opens
// at WorkingFolder when there is one), sets
// WorkingFolder and lists the folder's entries for the processing mode.
void ChooseFolder(MainServices& services, IntakeGuard& guard);

// 按钮_手动读取 with folder as the dialog's answer (a folder given when the
// program starts): the same guard, messages and entries.
void ReadFolder(MainServices& services, IntakeGuard& guard, const GbkText& folder);

// Appends the entries of WorkingFolder for the current mode and filters; the
// list is not emptied first.
void ReloadFolder(MainServices& services, IntakeGuard& guard);

}  // namespace qm
