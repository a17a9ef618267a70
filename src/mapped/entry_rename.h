#pragma once

#include "platform/file_system.h"
#include "platform/gbk_text_type.h"

namespace qm {

// The one way the mapped rename and the single-name editor rename an entry of
// the folder: from and to are names in folder, and nothing is overwritten.
bool RenameListedEntry(FileSystem& files, const GbkText& folder, const GbkText& from,
                       const GbkText& to);

}  // namespace qm
