#include "platform/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace qm {
namespace {

constexpr const char* kInternal = "GB18030";
constexpr const char* kUtf8 = "UTF-8";

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

// One converter per direction and thread: iconv_open is costly and an
// iconv_t must not be shared between threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of input. On an invalid or incomplete sequence, returns
  // false with *bad_offset set, leaving out what follows.
  bool Convert(std::string_view input, std::string* out, size_t* bad_offset) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      *bad_offset = 0;
      return false;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out->clear();
    char* in_ptr = const_cast<char*>(input.data());
    size_t in_left = input.size();
    char buffer[1024];
    while (in_left > 0) {
      char* out_ptr = buffer;
      size_t out_left = sizeof buffer;
      size_t rc = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      out->append(buffer, out_ptr - buffer);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        *bad_offset = input.size() - in_left;
        return false;
      }
    }
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &out_ptr, &out_left);
    out->append(buffer, out_ptr - buffer);
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& ToUtf8() {
  thread_local Converter converter(kUtf8, kInternal);
  return converter;
}

Converter& FromUtf8() {
  thread_local Converter converter(kInternal, kUtf8);
  return converter;
}

Result<std::string> ConvertStrict(Converter& converter, std::string_view input, const char* what) {
  if (IsAscii(input)) return std::string(input);
  std::string out;
  size_t bad_offset = 0;
  if (!converter.Convert(input, &out, &bad_offset)) {
    return Error{std::string("not valid ") + what + " at byte " + std::to_string(bad_offset)};
  }
  return out;
}

}  // namespace

Result<std::string> InternalToUtf8(std::string_view internal) {
  return ConvertStrict(ToUtf8(), internal, kInternal);
}

Result<std::string> Utf8ToInternal(std::string_view utf8) {
  return ConvertStrict(FromUtf8(), utf8, kUtf8);
}

std::string Utf8ToInternalLenient(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  static const std::string replacement = Utf8ToInternal("\xEF\xBF\xBD").value();
  std::string result;
  std::string piece;
  while (!utf8.empty()) {
    size_t bad_offset = 0;
    if (FromUtf8().Convert(utf8, &piece, &bad_offset)) {
      result += piece;
      break;
    }
    result += piece;
    result += replacement;
    // Skip the lead byte and any continuation bytes that belonged to it.
    size_t skip = bad_offset + 1;
    while (skip < utf8.size() && (static_cast<unsigned char>(utf8[skip]) & 0xC0) == 0x80 &&
           skip - bad_offset < 4) {
      ++skip;
    }
    utf8.remove_prefix(skip);
  }
  return result;
}

}  // namespace qm
