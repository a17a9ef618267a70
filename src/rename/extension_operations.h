#pragma once

#include <string_view>

#include "base/gbk_text_type.h"
#include "rename/rename_run.h"

namespace qm {

// The new extension as the user gave it: a typed text without any dot gets one
// in front (mp3 -> .mp3); a picked item, or a text with a dot anywhere
// (tar.gz), is taken as it is.
GbkText NormalisedExtension(int selection_index, std::string_view text);

// stem + extension: the old extension, from the last dot, is dropped.
GbkText ChangeExtension(std::string_view extension, std::string_view stem);

// The extension rename as the rename run drives it.
OperationDefinition ChangeExtensionOperation();

}  // namespace qm
