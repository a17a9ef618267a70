#include "mapped/entry_rename.h"

#include "platform/path_rules.h"
#include "rename/rename_run.h"

namespace qm {

bool RenameListedEntry(FileSystem& files, const GbkText& folder, const GbkText& from,
                       const GbkText& to) {
  // An empty WorkingFolder would make the names relative to wherever the
  // program was started, and the bare separator is no usable folder either.
  if (folder.empty() || folder == GbkText(1, kPathSeparator) || folder.back() != kPathSeparator) {
    return false;
  }
  return RenameInFolder(files, folder, from, to);
}

}  // namespace qm
