#include "text/gbk_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/encoding.h"

namespace qm {

GbkText Gbk(std::string_view utf8) {
  auto internal = Utf8ToInternal(utf8);
  // Only ever given texts of the program's own source, which are valid UTF-8.
  if (!internal) std::abort();
  return std::move(internal).value();
}

namespace {

// A text is the whole string: its end plays the part of the terminating zero,
// and a zero byte inside it is an ordinary single-byte character. Names never
// hold one, and cutting at it would silently lose what follows.

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

int ToInt(size_t n) {
  return n > static_cast<size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                  : static_cast<int>(n);
}

// Bytes a text is skipped by for a one-based start; a start below 1 counts as 1.
size_t SkipOf(int start) { return start > 1 ? static_cast<size_t>(start) - 1 : 0; }

// `part` is not empty and fits in the text from `at`. Most positions fail on the
// first byte, so that one is tested before anything is called.
inline bool MatchesAt(std::string_view text, size_t at, std::string_view part, bool ignore_case) {
  const char* t = text.data() + at;
  if (!ignore_case) {
    return t[0] == part[0] && std::memcmp(t + 1, part.data() + 1, part.size() - 1) == 0;
  }
  for (size_t k = 0; k < part.size(); ++k) {
    if (FoldAscii(t[k]) != FoldAscii(part[k])) return false;
  }
  return true;
}

}  // namespace

int Length(std::string_view text) { return ToInt(text.size()); }

GbkText Left(std::string_view text, int n) {
  if (n <= 0) return {};
  return GbkText(text.substr(0, static_cast<size_t>(n)));
}

GbkText Right(std::string_view text, int n) {
  if (n <= 0) return {};
  size_t take = std::min(text.size(), static_cast<size_t>(n));
  return GbkText(text.substr(text.size() - take));
}

GbkText Middle(std::string_view text, int start, int n) {
  if (start < 1 || n <= 0 || static_cast<size_t>(start) > text.size()) return {};
  return GbkText(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
}

int Find(std::string_view text, std::string_view part, int start, bool ignore_case) {
  const size_t skip = SkipOf(start);
  if (skip >= text.size()) return -1;
  if (part.empty()) return 1;
  const size_t size = text.size();
  size_t i = skip;
  while (size - i >= part.size()) {
    if (MatchesAt(text, i, part, ignore_case)) return ToInt(i + 1);
    i += CharacterWidthAt(text, i);
  }
  return -1;
}

int ReverseFind(std::string_view text, std::string_view part, std::optional<int> start,
                bool ignore_case) {
  size_t region = text.size();
  if (start) region = std::min(region, SkipOf(*start));
  if (region == 0) return -1;
  if (part.empty()) return 1;
  int found = -1;
  size_t i = 0;
  while (i + part.size() <= region) {
    if (MatchesAt(text, i, part, ignore_case)) found = ToInt(i + 1);
    i += CharacterWidthAt(text, i);
  }
  return found;
}

GbkText Replace(std::string_view text, std::string_view part, std::string_view replacement,
                int start, int count, bool case_sensitive) {
  const size_t skip = SkipOf(start);
  if (text.empty() || part.empty() || skip >= text.size() || count == 0) return GbkText(text);
  GbkText result;
  result.reserve(text.size());
  result.append(text.substr(0, skip));
  size_t i = skip;
  size_t copied_to = skip;  // bytes before this index are already in result
  int replaced = 0;
  while (text.size() - i >= part.size()) {
    if (MatchesAt(text, i, part, !case_sensitive)) {
      result.append(text.substr(copied_to, i - copied_to));
      result.append(replacement);
      i += part.size();
      copied_to = i;
      if (++replaced == count) break;
    } else {
      i += CharacterWidthAt(text, i);
    }
  }
  result.append(text.substr(copied_to));
  return result;
}

GbkText Trim(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size()) {
    if (text[begin] == ' ') {
      begin += 1;
    } else if (text[begin] == '\xA1' && begin + 1 < text.size() && text[begin + 1] == '\xA1') {
      begin += 2;
    } else {
      break;
    }
  }
  size_t end = text.size();  // start of the trailing run of blanks
  bool in_run = false;
  size_t i = begin;
  while (i < text.size()) {
    // A lead byte with nothing after it ends the text; what stands before it stays.
    if (IsLead(text[i]) && i + 1 == text.size()) return GbkText(text.substr(begin, i - begin));
    const size_t step = CharacterWidthAt(text, i);
    const bool blank = text.substr(i, step) == " " || text.substr(i, step) == "\xA1\xA1";
    if (blank && !in_run) end = i;
    in_run = blank;
    i += step;
  }
  if (!in_run) end = text.size();
  return GbkText(text.substr(begin, end - begin));
}

std::vector<GbkText> Split(std::string_view text, std::string_view separator, int max_pieces) {
  std::vector<GbkText> pieces;
  if (text.empty() || max_pieces == 0) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  const size_t limit =
      max_pieces < 0 ? std::numeric_limits<size_t>::max() : static_cast<size_t>(max_pieces);
  size_t piece_start = 0;
  size_t i = 0;
  while (text.size() - i >= separator.size()) {
    if (MatchesAt(text, i, separator, false)) {
      pieces.emplace_back(text.substr(piece_start, i - piece_start));
      if (pieces.size() == limit) return pieces;
      i += separator.size();
      piece_start = i;
    } else {
      i += CharacterWidthAt(text, i);
    }
  }
  if (piece_start < text.size()) pieces.emplace_back(text.substr(piece_start));
  return pieces;
}

int Compare(std::string_view a, std::string_view b, bool case_sensitive) {
  size_t i = 0;
  bool trail = false;  // the byte at i is the second byte of a double-byte character
  while (i < a.size() && i < b.size()) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (!case_sensitive && !trail) {
      x = static_cast<unsigned char>(FoldAscii(static_cast<char>(x)));
      y = static_cast<unsigned char>(FoldAscii(static_cast<char>(y)));
    }
    if (x != y) return x < y ? -1 : 1;
    // Equal so far, so both texts step alike.
    trail = !trail && IsLead(a[i]);
    ++i;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int32_t ToInteger(std::string_view text) {
  // Reads the text one normalised byte at a time: full-width forms of ASCII
  // characters count as their ASCII counterparts.
  size_t i = 0;
  auto next = [&](char* out) -> bool {
    if (i >= text.size()) return false;
    char c = text[i];
    if (!IsLead(c) || i + 1 >= text.size()) {
      *out = c;
      i += 1;
      return true;
    }
    unsigned char second = static_cast<unsigned char>(text[i + 1]);
    if (c == '\xA3' && second >= 0xA1 && second <= 0xFE) {
      *out = static_cast<char>(second - 0x80);
    } else if (c == '\xA1' && second == 0xA1) {
      *out = ' ';
    } else if (c == '\xA1' && second == 0xAB) {
      *out = '~';
    } else if (c == '\xA1' && (second == 0xEE || second == 0xEF)) {
      *out = '*';
    } else {
      *out = c;  // any other double-byte character stops the number
    }
    i += 2;
    return true;
  };
  char c = 0;
  bool have = next(&c);
  while (have && (c == ' ' || (c >= '\t' && c <= '\r'))) have = next(&c);
  bool negative = false;
  if (have && (c == '+' || c == '-')) {
    negative = c == '-';
    have = next(&c);
  }
  int64_t value = 0;
  const int64_t bound = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  while (have && c >= '0' && c <= '9') {
    // Saturate rather than wrap: a huge number must not turn into a small one.
    value = std::min(bound, value * 10 + (c - '0'));
    have = next(&c);
  }
  return static_cast<int32_t>(negative ? -value : value);
}

GbkText ToText(int64_t number) { return GbkText(std::to_string(number)); }

GbkText UpperCase(std::string_view text) {
  GbkText result(text);
  for (size_t i = 0; i < result.size();) {
    char c = result[i];
    if (c >= 'a' && c <= 'z') result[i] = static_cast<char>(c - ('a' - 'A'));
    i += CharacterWidthAt(result, i);
  }
  return result;
}

int CodeAt(std::string_view text, int position) {
  if (position < 1 || static_cast<size_t>(position) > text.size()) return 0;
  return static_cast<signed char>(text[static_cast<size_t>(position) - 1]);
}

GbkText Character(int code) {
  // A zero byte would end the text where it stands, so it gives the empty text.
  char byte = static_cast<char>(code & 0xFF);
  if (byte == 0) return {};
  return GbkText(1, byte);
}

GbkText Spaces(int n) {
  if (n < 1) return {};
  return GbkText(static_cast<size_t>(n), ' ');
}

GbkText ChineseNumerals(double number, bool simplified) {
  struct Table {
    GbkText digits[10];
    GbkText units[13];  // units[p] for digit position p; units[0] unused
  };
  auto make = [](std::string_view digits, std::string_view units) {
    Table table;
    GbkText d = Gbk(digits);
    GbkText u = Gbk(units);
    for (int k = 0; k < 10; ++k) table.digits[k] = d.substr(2 * k, 2);
    for (int p = 1; p <= 12; ++p) table.units[p] = u.substr(2 * (p - 1), 2);
    return table;
  };
  static const Table financial = make("零壹贰叁肆伍陆柒捌玖", "拾佰仟万拾佰仟亿拾佰仟万");
  static const Table plain = make("零一二三四五六七八九", "十百千万十百千亿十百千万");
  static const GbkText point = Gbk("点");
  static const GbkText overflow = Gbk("溢出");
  const Table& t = simplified ? plain : financial;

  if (number == 0) return t.digits[0];
  double x = std::fabs(number);
  if (!(x <= 9999999999999.0)) return overflow;  // also a NaN

  double whole = std::floor(x);
  auto integer = static_cast<int64_t>(whole);
  double cents = (x - whole) * 100 + 1e-12;
  auto c = static_cast<int>(std::floor(cents));
  if (cents - c >= 0.5) ++c;
  GbkText tail;
  if (c >= 100) {
    ++integer;
  } else if (c != 0) {
    tail = point + t.digits[c / 10];
    if (c % 10 != 0) tail += t.digits[c % 10];
  }

  if (integer == 0) return t.digits[0] + tail;
  enum class Zero { kNone, kAfterNonzero, kWritten };
  Zero state = Zero::kNone;
  bool grouped = false;
  GbkText text;
  for (int p = 0; integer > 0; ++p, integer /= 10) {
    if (p == 4 || p == 8) grouped = false;
    int d = static_cast<int>(integer % 10);
    if (d != 0) {
      state = Zero::kAfterNonzero;
      GbkText piece = t.digits[d];
      if (p > 0) {
        piece += t.units[p];
        if (!grouped && p >= 4) {
          if (p >= 5 && p <= 7) piece += t.units[4];
          if (p >= 9) piece += t.units[8];
          grouped = true;
        }
      }
      text.insert(0, piece);
    } else if (state == Zero::kAfterNonzero) {
      text.insert(0, t.digits[0]);
      state = Zero::kWritten;
    }
  }
  return text + tail;
}

GbkText Concatenate(std::string_view a, std::string_view b, std::string_view c) {
  GbkText result;
  result.reserve(a.size() + b.size() + c.size());
  result.append(a).append(b).append(c);
  return result;
}

bool IsUtf8Text(std::string_view bytes) {
  int pending = 0;
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    // Spaces, digits and letters pass anywhere, even inside a sequence.
    if (b == 0x20 || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
      continue;
    }
    if (pending == 0) {
      if (b < 0x80) continue;
      if (b < 0xC0) return false;
      if (b < 0xE0) {
        pending = 1;
      } else if (b < 0xF0) {
        pending = 2;
      } else if (b < 0xF8) {
        pending = 3;
      } else if (b == 0xFC || b == 0xFD) {
        pending = 5;
      } else {
        pending = 4;
      }
    } else {
      if ((b & 0xC0) != 0x80) return false;
      --pending;
    }
  }
  return pending == 0;
}

GbkText Utf8ToGbk(std::string_view bytes) { return Utf8ToInternalLenient(bytes); }

}  // namespace qm
