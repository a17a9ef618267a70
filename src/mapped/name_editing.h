#pragma once

#include "base/gbk_text_type.h"
#include "platform/job_progress.h"
#include "platform/list_view.h"
#include "platform/main_services.h"
#include "platform/messages.h"
#include "platform/name_editor.h"

namespace qm {

// The name paste window and the single-name editor feed names by hand into
// either list: the MappedList, or FileListView.

// 按钮_确认4: the pasted text, split at CR LF, fills column 1 of the list
// from the first row, rows being appended where the list has fewer.
void ConfirmPaste(const GbkText& pasted, ListView& target);

// The editor's source: the list it edits, and the message boxes and job
// progress of its window.
struct EditSource {
  ListView& list;
  Messages& messages;
  JobProgress& progress = NoJobProgress();
};

// The cell the editor edits: the source list's current row and clicked column
// at the moment it was opened. Later clicks in the list move both, so the
// editor keeps its own copy until it is opened on another cell.
struct EditedCell {
  int row = -1;
  int column = 0;
};
EditedCell CellToEdit(const ListView& list);

// 按钮1 "确认修改" on the cell the editor was opened on. Column 0: the entry
// is renamed on disk at once to the edited text (the whole name), as a plan of
// the main window's renames, so it is journaled and undoable; column 1: only
// the cell changes. Another column does nothing and the editor stays open.
void ConfirmEdit(NameEditor& editor, EditSource source, EditedCell cell, MainServices& main);

}  // namespace qm
