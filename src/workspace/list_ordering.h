#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/list_view.h"
#include "platform/main_services.h"
#include "platform/messages.h"
#include "platform/shell.h"

namespace qm {

// Reordering and editing the rows of a list without touching a file. The
// cell operations act on one column of a list (the column of the list's last
// hit test), so one column can be shifted against the other.

// The names in PaddedNameOrder, or its reverse. The names come back unchanged.
std::vector<GbkText> NumberSort(std::vector<GbkText> names, bool reverse);

// The time of a name whose file cannot be found: earlier than any file's.
inline constexpr int64_t kEarliestFileTime = std::numeric_limits<int64_t>::min();

// The names ordered by time, newest first; equal times end up in the reverse
// of their given order. times[i] belongs to names[i].
std::vector<GbkText> TimeSort(std::vector<GbkText> names, const std::vector<int64_t>& times);

// Swaps the cell of the current row in the clicked column with the one above
// (step -1) or below (step +1); at the edge the user is told why not. The
// current row stays where it was.
void MoveCell(ListView& list, Messages& messages, int step);

// Empties the clicked column of one cell.
void ClearCell(ListView& list, int row, int column);

// "删除已选中文件名": removes the selected rows, or in PreviewMode empties their
// cells in the clicked column.
void DeleteSelected(MainServices& services);

// 按钮_顺序颠倒: row j gets the texts of row n - 1 - j, in both columns.
void ReverseList(MainServices& services);

// "按数字大小排序": column 0 in NumberSort order; column 1 stays in place.
void NumberSortList(MainServices& services);

// "按文件创建时间排序" and "按文件最后修改时间排序": the named rows by the
// last-write time of their files, newest first, missing files last. The rows
// are rebuilt, so a preview column comes back empty. Reading the times is a
// long job; stopped, it leaves the list as it was.
void TimeSortList(MainServices& services);

// A double-click on an item: the cell of the current row in the clicked column
// goes to the clipboard.
void CopyCell(const ListView& list, Shell& shell);

}  // namespace qm
