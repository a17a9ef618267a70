#pragma once

#include <cstring>
#include <string>

#include "platform/result.h"

namespace qm {

// An Error naming the failed step and the system's reason.
inline Error SystemError(const std::string& what, int error_number) {
  return Error{what + ": " + std::strerror(error_number)};
}

}  // namespace qm
