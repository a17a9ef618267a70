#pragma once

#include <unordered_map>

#include "platform/failure_list.h"
#include "platform/journal_store.h"
#include "rename/rename_plan.h"
#include "rename/undo_record.h"

namespace qm {

// What every rename of the main window shares beyond its controls: the record
// the undo works from, the journal, the window that explains failures, and the
// progress of a long plan.
struct RenameServices {
  UndoHistory& undo;
  JournalStore& journal;
  FailureList& failures;
  // Set by the window to show a long plan's progress and offer to stop it.
  PlanProgress progress;
  // The files that previewed names stood for when the preview read them, by
  // full path, so that a commit refuses a file replaced in the meantime.
  std::unordered_map<GbkText, FileIdentity> previewed;
};

}  // namespace qm
