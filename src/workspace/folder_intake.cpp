#include "workspace/folder_intake.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "base/path_rules.h"
#include "text/gbk_text.h"
#include "workspace/folder_scan.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

const GbkText& TipTitle() {
  static const GbkText title = Gbk("提示");
  return title;
}

// How many rows go into the list at once: a list takes them in about 10 ms.
constexpr size_t kRowsPerAppend = 65536;

struct IntakeResult {
  GbkText folder;
  ScannedNames scanned;
};

// Appends the scan's rows unless the list or WorkingFolder moved on while the
// scan processed messages: a newer intake or a clear wins. A large folder's
// rows go in a piece at a time with the window's messages in between, and the
// same holds between two pieces.
void FinishIntake(MainServices& services, const IntakeGuard& guard, uint64_t ticket,
                  IntakeResult& result) {
  auto still_newest = [&] {
    return guard.IsNewest(ticket) && WorkingFolder(services.form) == result.folder;
  };
  std::vector<GbkText>& names = result.scanned.names;
  for (size_t first = 0; first < names.size(); first += kRowsPerAppend) {
    if (first > 0) services.windows.PumpMessages();
    if (!still_newest()) return;
    const auto begin = std::make_move_iterator(names.begin() + first);
    const auto end = begin + std::min(kRowsPerAppend, names.size() - first);
    services.list.AppendRows(std::vector<GbkText>(begin, end));
  }
  if (!still_newest()) return;
  if (result.scanned.left_out > 0) {
    static const GbkText before = Gbk("有");
    static const GbkText after =
        Gbk("个文件或文件夹的名称不是有效的 UTF-8 编码，无法显示和改名，已略过，没有列入列表。");
    services.messages.Show(before + ToText(result.scanned.left_out) + after, TipTitle(),
                           Icon::Information, Buttons::Ok);
  }
}

void DropSkipped(const Form& form, std::vector<GbkText>& names) {
  const SkipFilter skip = ReadSkipFilter(form);
  std::erase_if(names, [&skip](const GbkText& name) { return skip.Skips(ExtensionOf(name)); });
}

}  // namespace

bool RefuseDesktopFolder(MainServices& services) {
  const GbkText folder = WorkingFolder(services.form);
  // Any "Desktop" folder, and the desktop of a Linux desktop whatever its name
  // (for example ~/桌面).
  if (!IsDesktopFolder(folder) && !IsFolderOrBelow(folder, UserDesktopFolder(services.files))) {
    return false;
  }
  static const GbkText message =
      Gbk("为了督促大家养成良好的习惯，\r\n特做此设置！！！\r\n请不要把一些重要文件放在桌面，\r\n"
          "因为一旦日后你重装系统或者系统崩溃了，\r\n桌面的东西有可能丢失，\r\n请移动到其他盘符进行"
          "操作！");
  services.messages.Show(message, TipTitle(), Icon::Information, Buttons::Ok);
  SetWorkingFolder(services.form, {});
  return true;
}

namespace {

// What 按钮_手动读取 does once it has a folder: the desktop guard, then the
// entries for the processing mode, kept only while ticket is the newest intake.
void ReadChosenFolder(MainServices& services, IntakeGuard& guard, uint64_t ticket,
                      const GbkText& chosen) {
  IntakeResult result{WithSeparator(chosen), {}};
  SetWorkingFolder(services.form, result.folder);
  if (RefuseDesktopFolder(services)) return;
  switch (ReadProcessingMode(services.form)) {
    case ProcessingMode::Files:
    case ProcessingMode::Dropped:
      result.scanned =
          ScanFiles(services.files, services.windows, result.folder, SearchPattern(services.form));
      DropSkipped(services.form, result.scanned.names);
      break;
    case ProcessingMode::Folders:
      result.scanned = ScanSubfolders(services.files, result.folder);
      break;
    case ProcessingMode::Other:
      return;
  }
  FinishIntake(services, guard, ticket, result);
}

}  // namespace

void ChooseFolder(MainServices& services, IntakeGuard& guard) {
  services.list.RemoveAllRows();
  uint64_t ticket = guard.Begin();
  static const GbkText dialog_title = Gbk("选择目录");
  GbkText chosen = services.windows.ChooseFolderDialog(dialog_title, WorkingFolder(services.form));
  if (chosen.empty()) {
    static const GbkText nothing = Gbk("什么都没有选择");
    services.messages.Show(nothing, TipTitle(), Icon::Information, Buttons::Ok);
    return;
  }
  ReadChosenFolder(services, guard, ticket, chosen);
}

void ReadFolder(MainServices& services, IntakeGuard& guard, const GbkText& folder) {
  services.list.RemoveAllRows();
  uint64_t ticket = guard.Begin();
  ReadChosenFolder(services, guard, ticket, folder);
}

void ReloadFolder(MainServices& services, IntakeGuard& guard) {
  IntakeResult result{WorkingFolder(services.form), {}};
  if (result.folder.empty()) return;
  if (result.folder == GbkText(1, kPathSeparator)) {
    SetWorkingFolder(services.form, {});
    return;
  }
  uint64_t ticket = guard.Begin();
  switch (ReadProcessingMode(services.form)) {
    case ProcessingMode::Files: {
      GbkText pattern = SearchPattern(services.form);
      result.scanned = ScanFiles(services.files, services.windows, result.folder, pattern);
      // While a single extension is searched the skip filter is not consulted.
      if (pattern == "*.*") DropSkipped(services.form, result.scanned.names);
      break;
    }
    case ProcessingMode::Folders:
      result.scanned = ScanSubfolders(services.files, result.folder);
      break;
    case ProcessingMode::Dropped:
    case ProcessingMode::Other:
      return;
  }
  FinishIntake(services, guard, ticket, result);
}

}  // namespace qm
