#include "rename/insert_operations.h"

#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {

GbkText InsertAtFront(std::string_view text, std::string_view name) {
  return Concatenate(text, name);
}

GbkText InsertAtEnd(std::string_view text, std::string_view stem) {
  if (stem.empty()) return {};
  return Concatenate(stem, text);
}

GbkText InsertAtAnchor(std::string_view anchor, std::string_view text, AnchorSide side,
                       AnchorOccurrence occurrence, std::string_view subject) {
  const int position =
      occurrence == AnchorOccurrence::First ? Find(subject, anchor) : ReverseFind(subject, anchor);
  if (position == -1) return {};
  const GbkText replacement =
      side == AnchorSide::Before ? Concatenate(text, anchor) : Concatenate(anchor, text);
  return Replace(subject, anchor, replacement, position, 1);
}

bool HasForbiddenCharacter(std::string_view text) {
  static constexpr std::string_view kForbidden[] = {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"};
  for (std::string_view character : kForbidden) {
    if (Find(text, character) != -1) return true;
  }
  return false;
}

GbkText AppendAfterExtension(std::string_view text, std::string_view name) {
  return Concatenate(name, text);
}

GbkText InsertAfterLeadingNumber(std::string_view text, std::string_view subject) {
  const GbkText digits = FirstDigitRun(GbkText(subject));
  if (digits.empty()) return {};
  const int position = Find(subject, digits);
  if (position < 1 || position > 14) return {};
  return Replace(subject, digits, Concatenate(digits, text), 1, 1);
}

}  // namespace qm
