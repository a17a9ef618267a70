// Reads arbitrary bytes as a file of new names: whatever the encoding, byte
// order mark, zero bytes or line ends, the lines put back together give the
// text that was read, no line holds a line end, and a file in UTF-8 gives
// only names that convert back to UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/encoding.h"
#include "mapped/mapped_rename.h"
#include "text/gbk_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<qm::GbkText> lines = qm::NameFileLines(bytes);

  const std::string_view read = bytes.substr(0, bytes.find('\0'));
  const bool utf8 = qm::IsUtf8Text(read);
  const qm::GbkText text = utf8 ? qm::Utf8ToGbk(read) : qm::GbkText(read);

  qm::GbkText joined;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) joined += "\r\n";
    joined += lines[k];
    Check(lines[k].find("\r\n") == std::string::npos);
    Check(lines[k].find('\0') == std::string::npos);
    if (utf8) Check(qm::InternalToUtf8(lines[k]).ok());
  }
  // A last line end adds no empty last name.
  Check(joined == text || joined + "\r\n" == text);
  return 0;
}
