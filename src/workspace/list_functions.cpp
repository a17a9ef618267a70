#include "workspace/list_functions.h"

#include "workspace/workspace_values.h"

namespace qm {

std::vector<GbkText> ReadListColumn(const ListView& list, int column, bool skip_empty) {
  std::vector<GbkText> texts;
  int rows = list.RowCount();
  texts.reserve(static_cast<size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    GbkText text = list.Cell(row, column);
    if (skip_empty && text.empty()) continue;
    texts.push_back(std::move(text));
  }
  return texts;
}

std::vector<GbkText> ReadEntryNames(const Form& form, const ListView& list, bool with_folder) {
  std::vector<GbkText> names = ReadListColumn(list, 0, true);
  if (with_folder) {
    for (GbkText& name : names) name = WorkingFolder(form) + name;
  }
  return names;
}

void SetPreviewCell(ListView& list, int row, const GbkText& text) { list.SetCell(row, 1, text); }

}  // namespace qm
