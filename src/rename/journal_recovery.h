#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/journal_store.h"
#include "platform/main_services.h"
#include "rename/undo_record.h"

namespace qm {

// At start, from the journals an earlier run of the program left behind:
//  * a run that never finished (a crash, a power loss) is offered, in one
//    question, to have its names put back; declined, it becomes undoable;
//  * the last finished runs become the undo history, so "撤回上一步" still
//    undoes them after a restart, newest first.
// Only an unfinished journal is read whole; of a finished one the start reads
// its last bytes, and the rest when its run is undone.
// Needs services.renames.
void ResumeAfterStart(MainServices& services);

// The largest journal a start reads to put names back: a run of two million
// renames. A larger one, like a damaged one, is set aside with a message.
inline constexpr uint64_t kJournalReadLimit = uint64_t{512} << 20;

// Reads a record known only by its journal; false when the journal cannot be
// read (then there is nothing to undo with it). `between`, when given, is
// called now and then, so that a window can paint while a large one is read.
bool LoadUndoRecord(JournalStore& store, UndoRecord& record,
                    const std::function<void()>& between = {});

// Every finished run's journal as a record not read yet, oldest first: the
// history a program that did not live through those runs can undo from.
std::vector<UndoRecord> FinishedRecords(JournalStore& store);

// The newest finished run that renamed inside folder, read whole; nullopt
// when no readable journal holds one.
std::optional<UndoRecord> NewestRecordIn(JournalStore& store, const GbkText& folder);

}  // namespace qm
