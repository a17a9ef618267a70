#pragma once

#include <string_view>

#include "base/gbk_text_type.h"
#include "base/path_rules.h"

namespace qm {

// Every part of the program splits a name into stem and extension with these.
// Texts are walked character by character (CharacterWidthAt): no byte inside a
// two- or four-byte character is taken for a separator, a dot, a space or a digit.

// The file-name part of a path (after the last separator that is followed by
// something other than a separator), or its stem when keep_extension is false.
// A part that ends with a separator gives "".
GbkText FileNameOf(const GbkText& path, bool keep_extension, PathRules rules = kNativePathRules);

// The extension of the last component, dot included, or "". A separator or a
// space after the last dot cancels it.
GbkText ExtensionOf(const GbkText& path, PathRules rules = kNativePathRules);

// The first run of ASCII digits in text, or "".
GbkText FirstDigitRun(const GbkText& text);

// folder with the path separator at its end, where names are appended.
GbkText WithSeparator(GbkText folder);

inline bool IsAsciiDigit(char byte) { return byte >= '0' && byte <= '9'; }

}  // namespace qm
