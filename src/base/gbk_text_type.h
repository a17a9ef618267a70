#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// A name, path or message in the internal encoding (GB18030, a superset of
// code page 936). Positions and lengths in it are counted in bytes.
using GbkText = std::string;

// Bytes taken by the character that starts at `at`, the one step of every walk
// over a text. GB18030 writes a character in one, two or four bytes: a four-byte
// one is lead, digit, lead, digit (0x81-0xFE, 0x30-0x39, 0x81-0xFE, 0x30-0x39);
// any other byte of 0x80 or more leads a two-byte one, and stands alone at the
// very end of the text. Walking a four-byte character as two halves would let a
// search match from its middle into the next character.
inline size_t CharacterWidthAt(std::string_view text, size_t at) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
  if (byte(0) < 0x80 || at + 1 >= text.size()) return 1;
  auto is_lead = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
  auto is_digit = [](unsigned char b) { return b >= 0x30 && b <= 0x39; };
  if (is_digit(byte(1)) && at + 3 < text.size() && is_lead(byte(0)) && is_lead(byte(2)) &&
      is_digit(byte(3))) {
    return 4;
  }
  return 2;
}

}  // namespace qm
