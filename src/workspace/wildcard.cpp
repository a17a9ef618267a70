#include "workspace/wildcard.h"

#include "text/gbk_text.h"

namespace qm {
namespace {

char FoldAscii(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte;
}

// Greedy match with one backtrack point, stepping whole characters so that
// "?" takes a two- or four-byte character and no byte inside one is ever
// case-folded or compared on its own.
bool MatchCharacters(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
      continue;
    }
    if (p < pattern.size()) {
      size_t pattern_width = CharacterWidthAt(pattern, p);
      size_t name_width = CharacterWidthAt(name, n);
      if (pattern_width == 1 && pattern[p] == '?') {
        ++p;
        n += name_width;
        continue;
      }
      bool same =
          pattern_width == name_width &&
          (pattern_width == 1 ? FoldAscii(pattern[p]) == FoldAscii(name[n])
                              : pattern.substr(p, pattern_width) == name.substr(n, name_width));
      if (same) {
        p += pattern_width;
        n += name_width;
        continue;
      }
    }
    if (star == std::string_view::npos) return false;
    p = star + 1;
    resume += CharacterWidthAt(name, resume);
    n = resume;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  if (MatchCharacters(pattern, name)) return true;
  // Windows lets a trailing ".*" match the end of any name, and a trailing "."
  // the end of a name without a dot.
  if (pattern.ends_with(".*")) return MatchCharacters(pattern.substr(0, pattern.size() - 2), name);
  if (pattern.ends_with('.') && name.find('.') == std::string_view::npos) {
    return MatchCharacters(pattern.substr(0, pattern.size() - 1), name);
  }
  return false;
}

}  // namespace qm
