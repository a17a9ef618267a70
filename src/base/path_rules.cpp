#include "base/path_rules.h"

#include "base/gbk_text_type.h"

namespace qm {

bool HasForbiddenCharacter(std::string_view text) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  for (size_t at = 0; at < text.size(); at += CharacterWidthAt(text, at)) {
    if (kForbidden.find(text[at]) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace qm
