#pragma once

#include <string_view>

namespace qm {

// Windows wildcard rules: letters compared without regard to case, "*" any
// run of characters, "?" one character; a trailing ".*" also matches a name
// without a dot (so "*.*" matches every name) and a trailing "." matches the
// end of a name without a dot (so "*." lists the names without extension).
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace qm
