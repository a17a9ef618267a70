#include "workspace/drop_intake.h"

#include "base/path_rules.h"
#include "text/gbk_text.h"
#include "workspace/folder_intake.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {

GbkText ParentFolderOf(const GbkText& path) {
  const GbkText separator(1, kPathSeparator);
  GbkText item = path;
  if (!item.empty() && item.back() == kPathSeparator) item.pop_back();
  int last = ReverseFind(item, separator);
  GbkText folder = last == -1 ? GbkText() : item.substr(0, static_cast<size_t>(last));
  if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder;
}

void TakeDroppedPath(MainServices& services, IntakeGuard& guard, const GbkText& path) {
  ProcessingMode mode = ReadProcessingMode(services.form);
  if (mode != ProcessingMode::Dropped) {
    services.list.RemoveAllRows();
    // A scan still running for an earlier drop keeps its rows to itself.
    guard.Begin();
  }
  SetWorkingFolder(services.form, ParentFolderOf(path));
  if (RefuseDesktopFolder(services)) return;
  if (mode == ProcessingMode::Dropped) {
    services.list.AppendRows({FileNameOf(path, true)});
    return;
  }
  ReloadFolder(services, guard);
}

}  // namespace qm
