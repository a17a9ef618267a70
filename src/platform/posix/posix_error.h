#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "base/result.h"

namespace qm {

// An Error naming the failed step and the system's reason.
inline Error SystemError(const std::string& what, int error_number) {
  return Error{what + ": " + std::strerror(error_number)};
}

// Writes every byte, going on after an interrupted write; 0 or the errno.
inline int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

}  // namespace qm
