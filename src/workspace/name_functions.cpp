#include "workspace/name_functions.h"

namespace qm {
namespace {

// Windows rules split at "\", "/" and ":"; POSIX rules at "/" only.
bool StartsNamePart(char byte, PathRules rules) {
  if (rules == PathRules::Posix) return byte == '/';
  return byte == '\\' || byte == '/' || byte == ':';
}

bool IsSeparator(char byte, PathRules rules) {
  if (rules == PathRules::Posix) return byte == '/';
  return byte == '\\' || byte == '/';
}

// Windows rules forget a dot at "\" only (a "/" does not); POSIX rules at "/".
bool CancelsDot(char byte, PathRules rules) {
  if (byte == ' ') return true;
  return rules == PathRules::Posix ? byte == '/' : byte == '\\';
}

char LastSeparator(PathRules rules) { return rules == PathRules::Posix ? '/' : '\\'; }

}  // namespace

GbkText FileNameOf(const GbkText& path, bool keep_extension, PathRules rules) {
  size_t start = 0;
  for (size_t i = 0; i < path.size();) {
    size_t width = CharacterWidthAt(path, i);
    if (width == 1 && StartsNamePart(path[i], rules)) {
      size_t next = i + 1;
      // A separator counts only when a character other than a separator follows it.
      if (next < path.size() && !IsSeparator(path[next], rules)) start = next;
    }
    i += width;
  }
  GbkText part = path.substr(start);
  // The last byte, not the last character: under Windows rules a double-byte
  // character whose second byte is 0x5C ends the part just as "\" would.
  if (!part.empty() && part.back() == LastSeparator(rules)) return {};
  if (keep_extension) return part;
  part.resize(part.size() - ExtensionOf(part, rules).size());
  return part;
}

GbkText ExtensionOf(const GbkText& path, PathRules rules) {
  size_t dot = GbkText::npos;
  for (size_t i = 0; i < path.size();) {
    size_t width = CharacterWidthAt(path, i);
    if (width == 1) {
      if (path[i] == '.') {
        dot = i;
      } else if (CancelsDot(path[i], rules)) {
        dot = GbkText::npos;
      }
    }
    i += width;
  }
  return dot == GbkText::npos ? GbkText() : path.substr(dot);
}

GbkText FirstDigitRun(const GbkText& text) {
  for (size_t i = 0; i < text.size();) {
    size_t width = CharacterWidthAt(text, i);
    if (width == 1 && IsAsciiDigit(text[i])) {
      size_t end = i;
      while (end < text.size() && IsAsciiDigit(text[end])) ++end;
      return text.substr(i, end - i);
    }
    i += width;
  }
  return {};
}

GbkText WithSeparator(GbkText folder) {
  if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder;
}

}  // namespace qm
