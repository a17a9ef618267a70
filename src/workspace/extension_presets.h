#pragma once

#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "base/gbk_text_type.h"

namespace qm {

// The 58 preset extensions, without dot, in the order every extension combo
// lists them.
const std::vector<GbkText>& ExtensionPresetList();

// The items an extension combo shows: first_item (left out when empty), then
// "." + every preset. With typed text, the presets containing the text (dots
// removed, letter case ignored) come first, then the others; each once.
std::vector<GbkText> PresetComboItems(std::string_view first_item, const GbkText& typed = {});

// The drop-down of an extension combo is about to open: with an empty text the
// items are rebuilt (never doubled); with a text they are left as they are.
void FillPresetComboOnDropDown(Form& form, Control combo, std::string_view first_item);

// The user typed into an extension combo: the items are rebuilt for the new
// text, which stays in the edit part; no item is selected afterwards. An empty
// text leaves the combo without items until the next drop-down.
void RebuildPresetComboForTypedText(Form& form, Control combo, std::string_view first_item);

}  // namespace qm
