#pragma once

#include <string>
#include <string_view>

#include "base/gbk_text_type.h"
#include "base/result.h"

namespace qm {

// The program keeps every name, path and message in one internal encoding,
// GB18030: byte for byte the same as code page 936 for every character the
// two share, with a four-byte form for everything else. UTF-8 appears only at
// the edges (file names on disk, Qt strings, web pages).

// Strict conversions: bytes that are not valid in the source encoding give an
// error, never a substitute character.
Result<std::string> InternalToUtf8(std::string_view internal);
Result<GbkText> Utf8ToInternal(std::string_view utf8);
// InternalToUtf8 into `out`, whose buffer is kept: a loop over a million
// names converts them with no allocation. False for bytes that are not valid.
bool InternalToUtf8Into(std::string_view internal, std::string& out);
// Utf8ToInternal into `out` in the same way.
bool Utf8ToInternalInto(std::string_view utf8, std::string& out);

// Lenient UTF-8 decoding: each malformed sequence becomes U+FFFD, which the
// internal encoding can represent; never fails.
GbkText Utf8ToInternalLenient(std::string_view utf8);

// The wrong way round is a mistake the compiler can see: internal text is
// never decoded as UTF-8, and a UTF-8 std::string is never read as internal.
template <PlainString T>
Result<std::string> InternalToUtf8(T&& utf8) = delete;
template <InternalText T>
Result<GbkText> Utf8ToInternal(T&& internal) = delete;
template <InternalText T>
GbkText Utf8ToInternalLenient(T&& internal) = delete;

}  // namespace qm
