#include "base/gbk_text_type.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <stdexcept>

#include "base/encoding.h"

namespace qm {

std::string GbkText::FromSource(const char* source_text) {
  const std::string_view utf8(source_text);
  const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return std::string(utf8);
  Result<GbkText> internal = Utf8ToInternal(utf8);
  if (!internal) throw std::invalid_argument("a literal that is not UTF-8 became internal text");
  return std::move(internal).value().bytes();
}

std::ostream& operator<<(std::ostream& out, const GbkText& text) { return out << text.bytes(); }

}  // namespace qm
