#pragma once

#include <chrono>
#include <functional>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form.h"

namespace qm {

struct ScannedNames {
  std::vector<GbkText> names;
  int left_out = 0;  // names on disk the internal encoding cannot hold
};

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

}  // namespace qm
