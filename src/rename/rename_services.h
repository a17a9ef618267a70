#pragma once

#include "platform/failure_list.h"
#include "platform/journal_store.h"
#include "rename/previewed_files.h"
#include "rename/rename_plan.h"
#include "rename/undo_record.h"

namespace qm {

// What every rename of the main window shares beyond its controls and lives
// between clicks: the undo history, the journal, the window that explains
// failures, and the files the preview saw. A long plan's progress is the
// window's job progress (MainServices::progress).
struct RenameServices {
  UndoHistory& undo;
  JournalStore& journal;
  FailureList& failures;
  // The files that previewed names stood for when the preview read them, so
  // that a commit refuses a file replaced in the meantime.
  PreviewedFiles previewed;
};

}  // namespace qm
