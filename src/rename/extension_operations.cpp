#include "rename/extension_operations.h"

#include "text/gbk_text.h"

namespace qm {

GbkText NormalisedExtension(int selection_index, std::string_view text) {
  if (selection_index == -1 && Find(text, ".") == -1) return Concatenate(".", text);
  return GbkText(text);
}

GbkText ChangeExtension(std::string_view extension, std::string_view stem) {
  return Concatenate(stem, extension);
}

}  // namespace qm
