#pragma once

#include <vector>

#include "platform/failure_list.h"
#include "platform/main_services.h"
#include "rename/rename_plan.h"
#include "rename/undo_record.h"

namespace qm {

// A plan carried out for one action of the main window, with what it did.
struct CarriedOut {
  std::vector<PlanEntry> entries;
  PlanReport report;
  bool started() const { return !report.journal_error.has_value(); }
};

enum class PreviewCell { Keep, ClearWhenRenamed };

// The main window's services as another window sees them when it renames
// entries of its own list (the mapped rename, the single-name editor): rows,
// message boxes and progress are that window's; the folder, the files, the
// journal and the undo record stay the main window's.
MainServices ServicesOfWindow(MainServices& main, ListView& list, Messages& messages,
                              JobProgress& progress);

// Runs entries as a plan inside folder: journaled, with the window's progress
// (and `progress`, when given, called first), and every renamed entry's row
// set to its new name when the row still shows the old one. A journal that
// cannot be written is reported here and nothing moves. `checked`, when
// given, is a check of these entries made earlier (PlanOptions::checked);
// `read_ahead`, the folder read ahead of these entries (PlanOptions::read_ahead).
CarriedOut CarryOutPlan(MainServices& services, const GbkText& folder,
                        std::vector<PlanEntry> entries, PreviewCell preview_cell,
                        const PlanProgress& progress = {}, PlanCheck* checked = nullptr,
                        FolderReadAhead* read_ahead = nullptr);

// After any rename of the main window's entries: what it renamed becomes the
// newest record of the undo history, unless it renamed nothing. The names of
// the renamed entries move into the record; done.entries keeps those of the
// entries that failed or never ran. `between`, when given, is called now and
// then, so the window can paint while a large record is made.
void RecordForUndo(MainServices& services, const GbkText& folder, CarriedOut& done,
                   const PlanProgress& between = {});

// Sends the newest record of the undo history back to its journal, to be
// read again when it is undone: a job about to make a record calls it before
// it holds much, so the memory of two large runs is never held at once.
void UnloadNewestRecord(MainServices& services);

// Drops the newest record of the undo history with its journal: undone, or
// never to be undone.
void DropNewestRecord(MainServices& services);

// Drops the journal of a plan that is not kept for undo (an undo, a restore).
void ForgetJournal(MainServices& services, const CarriedOut& done);

// The window listing every failed entry with its reason; nothing when none
// failed. `not_made` are entries for which no new name could be made.
void ShowFailures(MainServices& services, const CarriedOut& done,
                  std::vector<FailedRename> not_made = {});

// The reason the user reads for one failure.
GbkText FailureText(const RenameFailure& failure);

}  // namespace qm
