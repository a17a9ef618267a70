#include "text/gbk_text.h"

#include <cstdlib>

#include "platform/encoding.h"

namespace qm {

GbkText Gbk(std::string_view utf8) {
  auto internal = Utf8ToInternal(utf8);
  // Only ever given texts of the program's own source, which are valid UTF-8.
  if (!internal) std::abort();
  return std::move(internal).value();
}

}  // namespace qm
