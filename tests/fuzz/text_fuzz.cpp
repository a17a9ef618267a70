// Checks the text primitives against each other and against their
// invariants on arbitrary bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "text/gbk_text.h"

namespace {

using qm::GbkText;

void Check(bool condition) {
  if (!condition) std::abort();
}

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool MatchesAt(const std::string& text, size_t at, const std::string& part, bool ignore_case) {
  if (at + part.size() > text.size()) return false;
  for (size_t k = 0; k < part.size(); ++k) {
    char a = text[at + k], b = part[k];
    if (ignore_case ? Fold(a) != Fold(b) : a != b) return false;
  }
  return true;
}

bool InRange(const std::string& text, size_t at, unsigned char low, unsigned char high) {
  if (at >= text.size()) return false;
  auto byte = static_cast<unsigned char>(text[at]);
  return byte >= low && byte <= high;
}

// Offsets a walk from `from` visits: one byte per single-byte character, four
// per four-byte one (lead, digit, lead, digit), two per other double-byte one;
// a lead byte with nothing after it ends the walk. Where no four-byte shape
// occurs this is the two-byte walk the operations have always made, so their
// results for such texts stay byte for byte the same.
std::vector<size_t> Boundaries(const std::string& text, size_t from) {
  std::vector<size_t> offsets;
  size_t i = from;
  while (i < text.size()) {
    offsets.push_back(i);
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
      if (i + 1 == text.size()) break;
      const bool four = InRange(text, i, 0x81, 0xFE) && InRange(text, i + 1, '0', '9') &&
                        InRange(text, i + 2, 0x81, 0xFE) && InRange(text, i + 3, '0', '9');
      i += four ? 4 : 2;
    } else {
      i += 1;
    }
  }
  return offsets;
}

void CheckFind(const std::string& text, const std::string& part, int start, bool ignore_case) {
  const int found = qm::Find(text, part, start, ignore_case);
  const size_t skip = start > 1 ? static_cast<size_t>(start) - 1 : 0;
  if (part.empty()) {
    Check(found == (skip < text.size() ? 1 : -1));
    return;
  }
  int expected = -1;
  if (skip < text.size()) {
    for (size_t at : Boundaries(text, skip)) {
      if (MatchesAt(text, at, part, ignore_case)) {
        expected = static_cast<int>(at) + 1;
        break;
      }
    }
  }
  Check(found == expected);
}

void CheckReverseFind(const std::string& text, const std::string& part, int start,
                      bool ignore_case) {
  const int found = qm::ReverseFind(text, part, start, ignore_case);
  const size_t region = std::min(text.size(), start > 1 ? static_cast<size_t>(start) - 1 : 0);
  if (found == -1) {
    Check(!part.empty() || region == 0);
    for (size_t at : Boundaries(text, 0)) {
      Check(part.empty() ||
            !(at + part.size() <= region && MatchesAt(text, at, part, ignore_case)));
    }
    return;
  }
  Check(found >= 1 && static_cast<size_t>(found) <= region);
  if (part.empty()) return;
  const size_t at = static_cast<size_t>(found) - 1;
  Check(at + part.size() <= region && MatchesAt(text, at, part, ignore_case));
  bool on_boundary = false;
  for (size_t b : Boundaries(text, 0)) {
    if (b == at) on_boundary = true;
    if (b > at) Check(!(b + part.size() <= region && MatchesAt(text, b, part, ignore_case)));
  }
  Check(on_boundary);
}

void CheckReplace(const std::string& text, const std::string& part, const std::string& with,
                  int start) {
  // Deleting never lengthens; replacing a part by itself changes nothing.
  Check(qm::Replace(text, part, "", start).size() <= text.size());
  Check(qm::Replace(text, part, part, start).bytes() == text);
  // One replacement lands exactly where Find finds the part.
  const GbkText once = qm::Replace(text, part, with, start, 1);
  const int at = qm::Find(text, part, start);
  if (part.empty() || at == -1) {
    Check(once.bytes() == text);
  } else {
    const size_t offset = static_cast<size_t>(at) - 1;
    Check(once.bytes() == text.substr(0, offset) + with + text.substr(offset + part.size()));
  }
}

void CheckSplit(const std::string& text, const std::string& separator, int max_pieces) {
  const std::vector<GbkText> pieces = qm::Split(text, separator, max_pieces);
  if (max_pieces >= 0) Check(pieces.size() <= static_cast<size_t>(max_pieces));
  if (separator.empty() || max_pieces >= 0) return;
  GbkText joined;
  for (size_t k = 0; k < pieces.size(); ++k) {
    if (k > 0) joined += std::string_view(separator);
    joined += pieces[k];
    Check(qm::Find(pieces[k], separator) == -1);
  }
  // A trailing separator adds no empty last piece.
  Check(joined.bytes() == text || (joined + std::string_view(separator)).bytes() == text);
  // Each piece ends where a search from its start finds the separator.
  size_t from = 0;
  for (const GbkText& piece : pieces) {
    const int at = qm::Find(text, separator, static_cast<int>(from) + 1);
    Check(at == -1 ? from + piece.size() == text.size()
                   : static_cast<size_t>(at) - 1 == from + piece.size());
    from += piece.size() + separator.size();
  }
}

void CheckTrim(const std::string& text) {
  const GbkText trimmed = qm::Trim(text);
  Check(trimmed.size() <= text.size());
  Check(text.find(trimmed) != std::string::npos);
  Check(trimmed.empty() || (trimmed[0] != ' ' && trimmed.rfind("\xA1\xA1", 0) != 0));
  // Unless a lone lead byte ends the text, no blank character is left at the end.
  const std::vector<size_t> walk = Boundaries(text, 0);
  const bool lone_lead_at_end = !walk.empty() && walk.back() + 1 == text.size() &&
                                static_cast<unsigned char>(text.back()) >= 0x80;
  if (trimmed.empty() || lone_lead_at_end) return;
  const size_t last = Boundaries(trimmed.bytes(), 0).back();
  Check(trimmed[last] != ' ' && trimmed.compare(last, 2, "\xA1\xA1") != 0);
}

void CheckUtf8(const std::string& bytes) {
  const qm::Result<GbkText> strict = qm::Utf8ToInternal(bytes);
  if (strict.ok()) Check(qm::IsUtf8Text(bytes));
  const GbkText converted = qm::Utf8ToGbk(bytes);
  const qm::Result<std::string> back = qm::InternalToUtf8(converted);
  Check(back.ok());
  if (strict.ok()) Check(*back == bytes && converted == *strict);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int start = input.ConsumeIntegralInRange<int>(-2, 40);
  const int count = input.ConsumeIntegralInRange<int>(-1, 4);
  const bool ignore_case = input.ConsumeBool();
  const std::string part = input.ConsumeRandomLengthString(8);
  const std::string with = input.ConsumeRandomLengthString(8);
  const std::string text = input.ConsumeRemainingBytesAsString();

  CheckFind(text, part, start, ignore_case);
  CheckReverseFind(text, part, start, ignore_case);
  Check(qm::ReverseFind(text, part, std::nullopt, ignore_case) ==
        qm::ReverseFind(text, part, static_cast<int>(text.size()) + 1, ignore_case));
  CheckReplace(text, part, with, start);
  CheckSplit(text, part, count);
  CheckTrim(text);
  CheckUtf8(text);
  return 0;
}
