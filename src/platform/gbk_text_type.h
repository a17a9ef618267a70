#pragma once

#include <string>

namespace qm {

// A name, path or message in the internal encoding (GB18030, a superset of
// code page 936). Positions and lengths in it are counted in bytes.
using GbkText = std::string;

}  // namespace qm
