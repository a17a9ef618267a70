#include "platform/posix/os_product_name.h"

#include <sys/utsname.h>

#include <fstream>
#include <string>

#include "base/encoding.h"

namespace qm {
namespace {

// PRETTY_NAME of os-release, unquoted; "" when the file or the key is missing.
std::string PrettyDistributionName() {
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
      constexpr std::string_view key = "PRETTY_NAME=";
      if (!line.starts_with(key)) continue;
      std::string value = line.substr(key.size());
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      return value;
    }
  }
  return {};
}

}  // namespace

GbkText OsProductName() {
  struct utsname system;
  if (uname(&system) != 0) return {};
  std::string kernel = std::string(system.sysname) + " " + system.release + " " + system.machine;
  std::string distribution = PrettyDistributionName();
  std::string name = distribution.empty() ? kernel : distribution + ", " + kernel;
  return Utf8ToInternalLenient(name);
}

}  // namespace qm
