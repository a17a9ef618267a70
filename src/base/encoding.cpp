#include "base/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "base/gbk_text_type.h"

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

// glibc's GB18030 converter has no code for 24 private-use characters: it gives
// their two-byte codes to the standard characters that took their place
// (A6D9 is U+FE10, FE51 is U+20087). Each gets the four-byte code its
// replacement had, as GB18030-2022 does for 18 of them; glibc only ever reads
// the other six codes (as a second spelling of U+20087 and the like), never
// writes them, so every name still converts back to exactly what it was.
struct PrivateUseCode {
  std::string_view utf8;  // one of U+E78D to U+E864
  std::string_view internal;
};
constexpr PrivateUseCode kPrivateUseCodes[] = {
    {"\xEE\x9E\x8D", "\x84\x31\x82\x36"}, {"\xEE\x9E\x8E", "\x84\x31\x82\x38"},
    {"\xEE\x9E\x8F", "\x84\x31\x82\x37"}, {"\xEE\x9E\x90", "\x84\x31\x82\x39"},
    {"\xEE\x9E\x91", "\x84\x31\x83\x30"}, {"\xEE\x9E\x92", "\x84\x31\x83\x31"},
    {"\xEE\x9E\x93", "\x84\x31\x83\x32"}, {"\xEE\x9E\x94", "\x84\x31\x83\x33"},
    {"\xEE\x9E\x95", "\x84\x31\x83\x34"}, {"\xEE\x9E\x96", "\x84\x31\x83\x35"},
    {"\xEE\xA0\x96", "\x95\x32\x90\x31"}, {"\xEE\xA0\x97", "\x95\x32\x90\x33"},
    {"\xEE\xA0\x98", "\x95\x32\x97\x30"}, {"\xEE\xA0\x9E", "\x82\x35\x90\x37"},
    {"\xEE\xA0\xA6", "\x82\x35\x90\x38"}, {"\xEE\xA0\xAB", "\x82\x35\x90\x39"},
    {"\xEE\xA0\xAC", "\x82\x35\x91\x30"}, {"\xEE\xA0\xB1", "\x95\x36\xB9\x37"},
    {"\xEE\xA0\xB2", "\x82\x35\x91\x31"}, {"\xEE\xA0\xBB", "\x96\x30\xBA\x35"},
    {"\xEE\xA1\x83", "\x82\x35\x91\x32"}, {"\xEE\xA1\x94", "\x82\x35\x91\x33"},
    {"\xEE\xA1\x95", "\x96\x35\xB6\x30"}, {"\xEE\xA1\xA4", "\x82\x35\x91\x34"},
};

enum class Direction { ToUtf8, FromUtf8 };

// The first bytes of the table's entries, in the direction's source encoding.
bool MayStartPrivateUse(char byte, Direction direction) {
  const auto b = static_cast<unsigned char>(byte);
  if (direction == Direction::FromUtf8) return b == 0xEE;
  return b == 0x82 || b == 0x84 || b == 0x95 || b == 0x96;
}

// The table's conversion of the character at `at`, when it is one of those.
const std::string_view* PrivateUseAt(std::string_view input, size_t at, Direction direction) {
  if (!MayStartPrivateUse(input[at], direction)) return nullptr;
  for (const PrivateUseCode& code : kPrivateUseCodes) {
    const std::string_view& from = direction == Direction::FromUtf8 ? code.utf8 : code.internal;
    if (input.substr(at, from.size()) == from) {
      return direction == Direction::FromUtf8 ? &code.internal : &code.utf8;
    }
  }
  return nullptr;
}

// Where the next character starts. UTF-8 needs no walk (a lead byte is never
// a continuation byte), GB18030 does: the bytes of a code could end one
// character and start the next.
size_t NextCharacter(std::string_view input, size_t at, Direction direction) {
  return at + (direction == Direction::FromUtf8 ? 1 : CharacterWidthAt(input, at));
}

// Most texts hold no byte that could start an entry and skip the walk.
bool MayHoldPrivateUse(std::string_view input, Direction direction) {
  return std::any_of(input.begin(), input.end(),
                     [direction](char byte) { return MayStartPrivateUse(byte, direction); });
}

Converter& ToUtf8() {
  thread_local Converter converter(kUtf8, kInternal);
  return converter;
}

Converter& FromUtf8() {
  thread_local Converter converter(kInternal, kUtf8);
  return converter;
}

// Converts all of input like Converter::Convert, taking the private-use
// characters from the table.
bool ConvertWithPrivateUse(Direction direction, std::string_view input, std::string* out,
                           size_t* bad_offset) {
  Converter& converter = direction == Direction::FromUtf8 ? FromUtf8() : ToUtf8();
  if (!MayHoldPrivateUse(input, direction)) return converter.Convert(input, out, bad_offset);
  out->clear();
  std::string piece;
  size_t start = 0;  // first byte not yet converted
  auto convert_up_to = [&](size_t end) {
    const bool ok = converter.Convert(input.substr(start, end - start), &piece, bad_offset);
    out->append(piece);
    if (!ok) *bad_offset += start;
    return ok;
  };
  for (size_t at = 0; at < input.size();) {
    const std::string_view* mapped = PrivateUseAt(input, at, direction);
    if (mapped == nullptr) {
      at = NextCharacter(input, at, direction);
      continue;
    }
    if (!convert_up_to(at)) return false;
    out->append(*mapped);
    at += direction == Direction::FromUtf8 ? 3 : 4;
    start = at;
  }
  return convert_up_to(input.size());
}

Result<std::string> ConvertStrict(Direction direction, std::string_view input, const char* what) {
  if (IsAscii(input)) return std::string(input);
  std::string out;
  size_t bad_offset = 0;
  if (!ConvertWithPrivateUse(direction, input, &out, &bad_offset)) {
    return Error{std::string("not valid ") + what + " at byte " + std::to_string(bad_offset)};
  }
  return out;
}

// Converts into `out`, keeping its buffer; false for bytes that are not valid.
bool ConvertInto(Direction direction, std::string_view input, std::string& out) {
  if (IsAscii(input)) {
    out.assign(input);
    return true;
  }
  size_t bad_offset = 0;
  return ConvertWithPrivateUse(direction, input, &out, &bad_offset);
}

}  // namespace

Result<std::string> InternalToUtf8(std::string_view internal) {
  return ConvertStrict(Direction::ToUtf8, internal, kInternal);
}

bool InternalToUtf8Into(std::string_view internal, std::string& out) {
  return ConvertInto(Direction::ToUtf8, internal, out);
}

bool Utf8ToInternalInto(std::string_view utf8, std::string& out) {
  return ConvertInto(Direction::FromUtf8, utf8, out);
}

Result<GbkText> Utf8ToInternal(std::string_view utf8) {
  auto internal = ConvertStrict(Direction::FromUtf8, utf8, kUtf8);
  if (!internal) return internal.error();
  return GbkText(std::move(internal).value());
}

GbkText Utf8ToInternalLenient(std::string_view utf8) {
  if (IsAscii(utf8)) return GbkText(utf8);
  static const std::string replacement = Utf8ToInternal("\xEF\xBF\xBD").value().bytes();
  std::string result;
  std::string piece;
  while (!utf8.empty()) {
    size_t bad_offset = 0;
    if (ConvertWithPrivateUse(Direction::FromUtf8, utf8, &piece, &bad_offset)) {
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
  return GbkText(std::move(result));
}

}  // namespace qm
