#include "mapped/entry_rename.h"

#include "rename/rename_run.h"
#include "workspace/workspace_values.h"

namespace qm {

bool RenameListedEntry(FileSystem& files, const GbkText& folder, const GbkText& from,
                       const GbkText& to) {
  if (!IsUsableFolder(folder)) return false;
  return RenameInFolder(files, folder, from, to);
}

}  // namespace qm
