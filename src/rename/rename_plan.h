#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/file_system.h"
#include "platform/journal_store.h"

namespace qm {

// Every rename of the program (a direct run, a commit, an undo, putting names
// back after a crash) is carried out as a plan, so that its safety is written
// once:
//
//  collect  the caller lists (row, from, to) for every entry; nothing moves yet
//  check    sources must still be the files they were when their names were
//           read (device and inode), targets valid, unique and not taken by a
//           file outside the plan; a failing entry fails alone, before
//           anything moves
//  order    an entry whose target is another entry's source waits for it; a
//           ring of entries (a swap) goes through a temporary name
//  journal  the plan is written and synced before the first rename, progress
//           follows in batches, an end mark closes it (rename_journal.h)
//  execute  renameat2(RENAME_NOREPLACE) relative to the one folder handle the
//           check used, so a folder moved or replaced mid-run changes nothing
//  report   per entry: renamed, failed with its reason, or not run (stopped)

// Called after each item with the items done and their total; returning false
// stops the plan there. Renames done before the stop stay done and are reported.
using PlanProgress = std::function<bool(int done, int total)>;

struct PlanEntry {
  int row = -1;  // the list row showing this entry; -1 for none
  GbkText from;
  GbkText to;
  // The file `from` named when it was read; nullopt takes it at the check.
  std::optional<FileIdentity> identity;
};

enum class EntryState {
  NotRun,     // the plan stopped (or never started) before this entry
  Unchanged,  // from and to are the same name: nothing to do
  Renamed,
  Failed,
};

struct EntryOutcome {
  EntryState state = EntryState::NotRun;
  RenameFailure failure;  // when Failed
};

struct PlanReport {
  std::vector<EntryOutcome> outcomes;  // one per entry, in entry order
  // One per entry: for a Renamed one, the file that now holds `to`.
  std::vector<FileIdentity> identities;
  int renamed = 0;
  int failed = 0;
  bool stopped = false;  // the progress callback asked to stop
  // Set when the journal could not be written: nothing was renamed.
  std::optional<std::string> journal_error;
  std::string journal_id;  // the finished journal of this plan; empty when none
};

// What the check of a plan found. Kept, it lets the renames follow a check
// made earlier (for a question, say) without reading the folder again, as
// long as the folder's stamp shows that no entry came, went or moved since.
struct PlanCheck {
  // Failed for the entries that fail up-front, Unchanged, or NotRun for the
  // entries still in the plan.
  std::vector<EntryOutcome> outcomes;
  std::vector<FileIdentity> identities;  // the file of each entry still in the plan
  std::vector<int> waits_for;            // the entry whose source is this entry's target, or -1
  std::vector<int> waited_by;            // the entry whose target is this entry's source, or -1
  std::optional<FolderStamp> stamp;      // the folder before the check read it
};

class FolderIdentities;

// A plan's folder, opened and stamped, its listing read on a thread of its
// own while the plan is still being made: after the renames themselves,
// reading a large folder is a run's longest step. It serves one plan.
class FolderReadAhead {
 public:
  FolderReadAhead(GbkText folder, std::unique_ptr<FolderHandle> handle, int names);
  ~FolderReadAhead();
  const GbkText folder;
  const std::unique_ptr<FolderHandle> handle;
  const std::optional<FolderStamp> stamp;  // taken before the listing began
  FolderIdentities& identities() { return *identities_; }

 private:
  std::unique_ptr<FolderIdentities> identities_;
};

// Opens folder and begins to read it for a plan of about `names` entries;
// nullptr when it cannot be opened (the plan then says why).
std::unique_ptr<FolderReadAhead> ReadAhead(FileSystem& files, const GbkText& folder, int names);

struct PlanOptions {
  JournalStore* journal = nullptr;  // nullptr: the plan is not journaled
  PlanProgress progress;            // empty: runs to the end
  // A check of these same entries made earlier in the same folder. The plan
  // takes it over when the folder's stamp is still the one it saw, and
  // checks again otherwise.
  PlanCheck* checked = nullptr;
  // The folder, when it was opened and is being read ahead of the plan.
  FolderReadAhead* read_ahead = nullptr;
};

// The check alone, changing nothing on disk. It sets the identity of each
// entry still in the plan to the file its name holds now. `between`, when
// given, is called now and then with no entry done, so a window can paint;
// its answer is read once the check is over.
PlanCheck CheckPlan(FolderHandle& folder, std::vector<PlanEntry>& entries,
                    const PlanProgress& between = {});

// Checks, orders, journals and executes the renames of entries inside folder.
PlanReport RunPlan(FileSystem& files, const GbkText& folder, const std::vector<PlanEntry>& entries,
                   const PlanOptions& options);

}  // namespace qm
