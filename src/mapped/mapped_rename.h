#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "base/gbk_text_type.h"
#include "platform/list_view.h"
#include "platform/main_services.h"
#include "platform/mapped_services.h"
#include "platform/messages.h"
#include "rename/rename_plan.h"

namespace qm {

// The mapped rename renames the listed entries one to one after a list of new
// names. Its list (the MappedList) has the old name in column 0 and the new
// name in column 1; the user lines the two columns up cell by cell, and row i
// is renamed to the new name of row i. The window opens with the names of
// FileListView and writes its column 0 back when it is destroyed.

// The names the window opens with: column 0 of FileListView, empty ones left
// out. An empty list is refused with a message owned by MainWindow.
std::optional<std::vector<GbkText>> NamesForMappedRename(MainServices& services);

// One row per name: the name in column 0, column 1 empty.
void FillMappedList(ListView& mapped, const std::vector<GbkText>& names);

// The lines of a names file, up to a zero byte: UTF-8 is converted, anything
// else is taken as it is; lines end at CR LF only, and a final one adds no line.
std::vector<GbkText> NameFileLines(std::string_view bytes);

// Line i becomes the new name of row i, rows being appended while the list has
// fewer; column 0 is never touched and rows after the last line keep theirs.
void WriteNewNames(ListView& list, const std::vector<GbkText>& lines);

// The largest names file taken: a million long names fit well below it.
inline constexpr size_t kNameFileLimit = size_t{64} << 20;

// The mapped window's DropCallback: the dropped file's lines become the new
// names. A path that cannot be read changes nothing; a file over the limit
// is refused with a message.
void ImportNameFile(FileSystem& files, ListView& mapped, Messages& messages, const GbkText& path);

// 按钮_手动粘贴1: every new name becomes empty.
void ClearNewNames(ListView& mapped);

// 按钮_重新排序2 and 按钮_顺序颠倒2: the non-empty new names, sorted as
// numbers or reversed, fill column 1 from the first row; rows after them keep
// their text.
void SortNewNames(ListView& mapped, Messages& messages);
void ReverseNewNames(ListView& mapped, Messages& messages);

// 按钮_执行改名: renames each row with both cells filled, old name to new name,
// all rows as one plan of the main window's renames (journaled, undoable from
// the main window). Without with_extension the new name is a stem and the old
// extension stays. A rename that fails leaves its row alone; the count is
// reported, then the failures with their reasons.
void MappedRename(MappedServices& services, bool with_extension);

// The rename row `row` of the mapped list stands for, as MappedRename plans
// it; nullopt for a row missing either name.
std::optional<PlanEntry> MappedEntry(const ListView& mapped, int row, bool with_extension);

// The window is being destroyed: column 0 goes back to the rows of
// FileListView with the same index; no row is added there.
void WriteBack(const ListView& mapped, ListView& file_list);

}  // namespace qm
