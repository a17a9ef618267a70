#pragma once

#include <functional>
#include <vector>

#include "base/gbk_text_type.h"

namespace qm {

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

}  // namespace qm
