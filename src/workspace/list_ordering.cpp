#include "workspace/list_ordering.h"

#include <algorithm>
#include <numeric>

#include "platform/reminder.h"
#include "text/gbk_text.h"
#include "workspace/list_functions.h"
#include "workspace/name_order.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

bool RefuseEmptyList(MainServices& services, const char* message) {
  if (services.list.RowCount() > 0) return false;
  ShowReminder(services.messages, message);
  return true;
}

}  // namespace

std::vector<GbkText> NumberSort(std::vector<GbkText> names, bool reverse) {
  names = PaddedNameOrder(std::move(names));
  if (reverse) std::reverse(names.begin(), names.end());
  return names;
}

std::vector<GbkText> TimeSort(std::vector<GbkText> names, const std::vector<int64_t>& times) {
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  // Newest first; of equal times the later one in the list goes first, as if
  // each name were inserted before the first one not newer than itself.
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return times[a] != times[b] ? times[a] > times[b] : a > b; });
  std::vector<GbkText> sorted;
  sorted.reserve(names.size());
  for (size_t index : order) sorted.push_back(std::move(names[index]));
  return sorted;
}

void MoveCell(ListView& list, Messages& messages, int step) {
  int row = list.CurrentRow();
  if (row < 0) return;
  if (step < 0 && row == 0) {
    ShowReminder(messages, "已经在最顶了，无法再上移了！");
    return;
  }
  if (step > 0 && row == list.RowCount() - 1) {
    ShowReminder(messages, "已经在最底部了，无法再下移了！");
    return;
  }
  int column = list.ClickedColumn();
  int other = row + step;
  GbkText moving = list.Cell(row, column);
  list.SetCell(row, column, list.Cell(other, column));
  list.SetCell(other, column, moving);
}

void ClearCell(ListView& list, int row, int column) { list.SetCell(row, column, {}); }

void DeleteSelected(MainServices& services) {
  ListView& list = services.list;
  std::vector<int> rows = list.SelectedRows();
  if (PreviewModeOn(services.form)) {
    for (int row : rows) ClearCell(list, row, list.ClickedColumn());
    return;
  }
  // From the last, so the indices of the rows still to go stay valid.
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) list.RemoveRow(*row);
}

void ReverseList(MainServices& services) {
  if (RefuseEmptyList(services, "列表框是空的！")) return;
  ListView& list = services.list;
  int columns = PreviewModeOn(services.form) ? 2 : 1;
  for (int column = 0; column < columns; ++column) {
    std::vector<GbkText> texts = ReadListColumn(list, column);
    int rows = static_cast<int>(texts.size());
    for (int row = 0; row < rows; ++row) list.SetCell(row, column, texts[rows - 1 - row]);
  }
}

void NumberSortList(MainServices& services) {
  if (RefuseEmptyList(services, "先拖入文件！")) return;
  std::vector<GbkText> names = NumberSort(ReadListColumn(services.list, 0), false);
  for (int row = 0; row < static_cast<int>(names.size()); ++row) {
    services.list.SetCell(row, 0, names[row]);
  }
}

void TimeSortList(MainServices& services) {
  if (RefuseEmptyList(services, "先拖入文件！")) return;
  std::vector<GbkText> names = ReadListColumn(services.list, 0, true);
  GbkText folder = WorkingFolder(services.form);
  std::vector<int64_t> times;
  times.reserve(names.size());
  const int total = static_cast<int>(names.size());
  LongJob job(services.progress, Gbk("正在读取文件时间……"), total);
  for (const GbkText& name : names) {
    // Stopped: the list stays as it was.
    if (!job(static_cast<int>(times.size()), total)) return;
    auto time = services.files.LastWriteTime(folder + name);
    times.push_back(time ? *time : kEarliestFileTime);
  }
  job.End();
  names = TimeSort(std::move(names), times);
  services.list.RemoveAllRows();
  services.list.AppendRows(names);
}

void CopyCell(const ListView& list, Shell& shell) {
  int row = list.CurrentRow();
  if (row < 0) return;
  shell.SetClipboardText(list.Cell(row, list.ClickedColumn()));
}

}  // namespace qm
