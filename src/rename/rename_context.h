#pragma once

#include "platform/journal_store.h"
#include "rename/previewed_files.h"
#include "rename/rename_plan.h"
#include "rename/undo_record.h"

namespace qm {

// What a front end keeps between two clicks (or two commands) for its
// renames: the undo history, the journal, and what the last preview saw. It
// holds no window, so a front end without windows holds one alone; the
// windows and the files come separately, as MainServices.
struct RenameContext {
  UndoHistory& undo;
  JournalStore& journal;
  // The files that previewed names stood for when the preview read them, so
  // that a commit refuses a file replaced in the meantime.
  PreviewedFiles previewed = {};
  // The WorkingFolder the list's preview values were made in, "" when unknown.
  // The list holds names only, and WorkingFolder can change (or be emptied)
  // while they stay; the commit renames only in this folder.
  GbkText preview_folder = {};
  // Whether a preview notes in `previewed` the files it saw. Not where no
  // commit can follow it (a draft, a dry run): there it would only cost.
  bool notes_previewed = true;
};

}  // namespace qm
