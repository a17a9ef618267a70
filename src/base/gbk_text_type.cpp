#include "base/gbk_text_type.h"

#include <ostream>
#include <stdexcept>

#include "base/encoding.h"

namespace qm {

// The encoding boundary takes plain ASCII as it stands without converting.
std::string GbkText::FromSource(const char* source_text) {
  Result<GbkText> internal = Utf8ToInternal(source_text);
  if (!internal) throw std::invalid_argument("a literal that is not UTF-8 became internal text");
  return std::move(internal).value().bytes();
}

std::ostream& operator<<(std::ostream& out, const GbkText& text) { return out << text.bytes(); }

}  // namespace qm
