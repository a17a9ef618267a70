#include "workspace/name_order.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/encoding.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {
namespace {

// Only a number that starts within the first 7 bytes of a name is padded.
constexpr size_t kDigitWindow = 7;

// The index of the name's first digit, when it lies within that window.
size_t FirstDigitInWindow(const GbkText& name) {
  for (size_t i = 0; i < name.size() && i < kDigitWindow;) {
    size_t width = CharacterWidthAt(name, i);
    if (width == 1 && IsAsciiDigit(name[i])) return i;
    i += width;
  }
  return GbkText::npos;
}

bool DigitAt(const GbkText& name, size_t index) {
  return index < name.size() && IsAsciiDigit(name[index]);
}

// The case mapping the Windows file system applies when it orders names:
// letters compare as their capitals. Covers the scripts that occur in names
// here (Latin, Greek, Cyrillic, full-width Latin); other characters stand as
// they are.
char32_t UpcaseForOrder(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    // Latin Extended-A pairs capital and small letters as even/odd code points,
    // shifted by one in the ranges 0139-0148 and 0179-017E.
    bool odd_first = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    bool small = odd_first ? (c % 2 == 0) : (c % 2 == 1);
    return small ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// The name as the Windows file system compares it: UTF-16 code units of the
// upper-cased name.
std::u16string FolderOrderKey(const GbkText& name) {
  std::u16string key;
  if (std::all_of(name.begin(), name.end(), [](char byte) { return byte >= 0; })) {
    key.reserve(name.size());
    for (char byte : name) key.push_back(static_cast<char16_t>(UpcaseForOrder(byte)));
    return key;
  }
  Result<std::string> utf8 = InternalToUtf8(name);
  if (!utf8.ok()) {
    // Not reached for names read from disk; order such a name by its bytes.
    for (unsigned char byte : name) key.push_back(byte);
    return key;
  }
  const std::string& text = utf8.value();
  key.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k) c = (c << 6) | (byte(i + k) & 0x3F);
    AppendUtf16(key, UpcaseForOrder(c));
    i += length;
  }
  return key;
}

// How many items a pass handles between two calls of its `between`.
constexpr size_t kPiece = 4096;
// std::sort in pieces: runs of kPiece items are sorted, then merged pairwise
// into ever longer runs, with `between` called after every kPiece items, so
// no step takes long however many items there are. `less` must be a total
// order, so the result is the one std::sort gives.
template <class T, class Less>
void SortInPieces(std::vector<T>& items, Less less, const std::function<void()>& between) {
  const size_t count = items.size();
  for (size_t first = 0; first < count; first += kPiece) {
    std::sort(items.begin() + first, items.begin() + std::min(count, first + kPiece), less);
    if (between) between();
  }
  std::vector<T> merged(count);
  for (size_t run = kPiece; run < count; run *= 2) {
    size_t out = 0;
    for (size_t first = 0; first < count; first += 2 * run) {
      size_t left = first, right = std::min(count, first + run);
      const size_t left_end = right, right_end = std::min(count, first + 2 * run);
      while (left < left_end || right < right_end) {
        const bool from_right =
            left == left_end || (right < right_end && less(items[right], items[left]));
        merged[out++] = std::move(items[from_right ? right++ : left++]);
        if (between && out % kPiece == 0) between();
      }
    }
    items.swap(merged);
  }
}

}  // namespace

std::vector<GbkText> FolderNameOrder(std::vector<GbkText> names) {
  struct Entry {
    std::u16string key;
    uint32_t index;
  };
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    entries.push_back({FolderOrderKey(names[i]), static_cast<uint32_t>(i)});
  }
  // Names that differ only in case (possible here, not on Windows) keep a
  // fixed order: by their bytes.
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : names[a.index] < names[b.index];
  });
  std::vector<GbkText> ordered;
  ordered.reserve(names.size());
  for (const Entry& entry : entries) ordered.push_back(std::move(names[entry.index]));
  return ordered;
}

std::vector<GbkText> PaddedNameOrder(std::vector<GbkText> names,
                                     const std::function<void()>& between) {
  static const GbkText one_pad = Gbk("加1个蛋蛋");
  static const GbkText two_pads = Gbk("加2个蛋蛋");
  const bool three_digits = names.size() >= 100;

  // Most keys are the name itself; only padded ones are built, once each.
  std::vector<GbkText> padded_keys;
  padded_keys.reserve(names.size());
  struct Entry {
    std::string_view key;
    uint32_t index;
  };
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    if (between && i % kPiece == 0) between();
    const GbkText& name = names[i];
    size_t p = FirstDigitInWindow(name);
    int zeros = 0;
    if (p != GbkText::npos) {
      bool two = DigitAt(name, p + 1);
      bool three = two && DigitAt(name, p + 2);
      if (!three_digits) {
        zeros = two ? 0 : 1;
      } else {
        zeros = three ? 0 : (two ? 1 : 2);
      }
    }
    if (zeros == 0) {
      entries.push_back({name, static_cast<uint32_t>(i)});
      continue;
    }
    const GbkText& marker = zeros == 1 ? one_pad : two_pads;
    GbkText key;
    key.reserve(name.size() + zeros + marker.size());
    key.append(name, 0, p)
        .append(static_cast<size_t>(zeros), '0')
        .append(name, p, GbkText::npos)
        .append(marker);
    padded_keys.push_back(std::move(key));
    entries.push_back({padded_keys.back(), static_cast<uint32_t>(i)});
  }
  // string_view compares bytes as unsigned values, a prefix first.
  SortInPieces(
      entries,
      [](const Entry& a, const Entry& b) {
        int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.index < b.index;
      },
      between);
  std::vector<GbkText> ordered;
  ordered.reserve(names.size());
  for (const Entry& entry : entries) {
    if (between && ordered.size() % kPiece == 0) between();
    ordered.push_back(std::move(names[entry.index]));
  }
  return ordered;
}

}  // namespace qm
