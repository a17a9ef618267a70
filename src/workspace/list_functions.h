#pragma once

#include <vector>

#include "platform/form.h"
#include "base/gbk_text_type.h"
#include "platform/list_view.h"

namespace qm {

// The texts of one column for every row, row 0 first; with skip_empty the
// empty texts are left out. The element count is the vector's size.
std::vector<GbkText> ReadListColumn(const ListView& list, int column, bool skip_empty = false);

// The column-0 names of FileListView, row 0 first, empty ones left out; with
// with_folder each is prefixed with WorkingFolder as the form shows it now.
std::vector<GbkText> ReadEntryNames(const Form& form, const ListView& list, bool with_folder);

// Writes a proposed new name into column 1 of a row.
void SetPreviewCell(ListView& list, int row, const GbkText& text);

}  // namespace qm
