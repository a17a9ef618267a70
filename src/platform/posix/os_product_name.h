#pragma once

#include "base/gbk_text_type.h"

namespace qm {

// A description of the running system, such as "Debian GNU/Linux 13 (trixie),
// Linux 6.12.0 x86_64"; "" when the system cannot be asked.
GbkText OsProductName();

}  // namespace qm
