#include "workspace/extension_presets.h"

#include "text/gbk_text.h"

namespace qm {

const std::vector<GbkText>& ExtensionPresetList() {
  static const std::vector<GbkText> presets = Split(
      "mp4--txt--mp3--exe--xlsx--docx--pptx--jpg--png--pdf--zip--rar--7z--ico--psd--bmp--html--"
      "htm--js--css--avi--tmp--doc--xls--ppt--rtf--wps--arj--gz--gif--pic--tif--wav--aif--au--"
      "ram--wma--mmf--aac--flac--mpg--mov--swf--dll--ini--asm--obj--bas--java--bak--bat--cmd--"
      "dat--icn--iff--mpeg--chm--cpp",
      "--");
  return presets;
}

std::vector<GbkText> PresetComboItems(std::string_view first_item, const GbkText& typed) {
  const std::vector<GbkText>& presets = ExtensionPresetList();
  std::vector<GbkText> items;
  items.reserve(presets.size() + 1);
  if (!first_item.empty()) items.emplace_back(first_item);
  GbkText wanted = Replace(typed, ".", "");
  std::vector<bool> matched(presets.size(), false);
  for (size_t i = 0; i < presets.size(); ++i) {
    matched[i] = wanted.empty() || Find(presets[i], wanted, 1, true) != -1;
    if (matched[i]) items.push_back("." + presets[i]);
  }
  for (size_t i = 0; i < presets.size(); ++i) {
    if (!matched[i]) items.push_back("." + presets[i]);
  }
  return items;
}

namespace {

// Leaves the combo with these items, none selected, and text in its edit part.
// A real combo selects its first item when items arrive in an empty list and
// empties its edit part when the items are cleared, so the text goes back last.
void SetComboItems(Form& form, Control combo, const std::vector<GbkText>& items,
                   const GbkText& text) {
  form.ClearComboItems(combo);
  for (const GbkText& item : items) form.AddComboItem(combo, item);
  form.SetComboIndex(combo, -1);
  form.SetText(combo, text);
}

}  // namespace

void FillPresetComboOnDropDown(Form& form, Control combo, std::string_view first_item) {
  if (!form.Text(combo).empty()) return;
  SetComboItems(form, combo, PresetComboItems(first_item), {});
}

void RebuildPresetComboForTypedText(Form& form, Control combo, std::string_view first_item) {
  GbkText typed = form.Text(combo);
  std::vector<GbkText> items;
  if (!typed.empty()) items = PresetComboItems(first_item, typed);
  SetComboItems(form, combo, items, typed);
}

}  // namespace qm
