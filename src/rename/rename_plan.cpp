#include "rename/rename_plan.h"

#include <unistd.h>

#include <algorithm>
#include <span>
#include <string_view>

#include "base/encoding.h"
#include "platform/free_aside.h"
#include "rename/folder_identities.h"
#include "rename/rename_journal.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

RenameFailure Because(RenameReason reason) { return RenameFailure{reason, {}}; }

void Fail(EntryOutcome& outcome, RenameFailure failure) {
  outcome.state = EntryState::Failed;
  outcome.failure = std::move(failure);
}

bool Pending(const EntryOutcome& outcome) { return outcome.state == EntryState::NotRun; }

// The in-memory passes let a window paint now and then; a call per entry
// would cost more than the pass itself.
constexpr int kBetweenEvery = 1024;

// count copies of value, written in pieces with `between` called between
// them: the first touch of tens of megabytes of fresh memory holds a window
// longer than it may go unpainted.
template <class T>
std::vector<T> Filled(int count, const T& value, const PlanProgress& between) {
  constexpr int kPiece = 64 * kBetweenEvery;
  std::vector<T> filled;
  filled.reserve(count);
  for (int done = 0; done < count; done += kPiece) {
    if (between) between(0, count);
    filled.resize(std::min(count, done + kPiece), value);
  }
  return filled;
}

// One item of execution: a single entry, or a ring of entries where each
// one's target is the next one's source (ring[k].to == ring[k + 1].from).
// Its entries are order[first, first + size) of the ordered plan.
struct Step {
  int first = 0;
  int size = 1;
  bool ring = false;
};

struct OrderedPlan {
  std::vector<int> order;  // the entries still in the plan, in the order they move
  std::vector<Step> steps;
  std::span<const int> EntriesOf(const Step& step) const {
    return std::span<const int>(order).subspan(step.first, step.size);
  }
};

// Chains run from their free end backwards, so every target is vacated before
// it is needed; whatever is left over forms rings.
OrderedPlan OrderPlan(const PlanCheck& checked, const PlanProgress& between) {
  const std::vector<EntryOutcome>& outcomes = checked.outcomes;
  const int count = static_cast<int>(outcomes.size());
  OrderedPlan plan;
  std::vector<bool> placed(count, false);
  for (int i = 0; i < count; ++i) {
    if (between && i % kBetweenEvery == 0) between(0, count);
    if (!Pending(outcomes[i]) || checked.waits_for[i] != -1) continue;
    for (int k = i; k != -1; k = checked.waited_by[k]) {
      plan.steps.push_back({static_cast<int>(plan.order.size()), 1, false});
      plan.order.push_back(k);
      placed[k] = true;
    }
  }
  for (int i = 0; i < count; ++i) {
    if (!Pending(outcomes[i]) || placed[i]) continue;
    Step ring{static_cast<int>(plan.order.size()), 0, true};
    for (int k = i; !placed[k]; k = checked.waits_for[k]) {
      plan.order.push_back(k);
      placed[k] = true;
      ++ring.size;
    }
    plan.steps.push_back(ring);
  }
  return plan;
}

class Executor {
 public:
  Executor(FolderHandle& folder, const std::vector<PlanEntry>& entries,
           std::vector<EntryOutcome>& outcomes, std::string run_id)
      : folder_(folder), entries_(entries), outcomes_(outcomes), run_id_(std::move(run_id)) {}

  // Adds the entries that were renamed to `renamed`. The sources' identities
  // were checked moments ago by the plan check; the folder handle keeps every
  // rename inside the folder that check saw.
  void Run(std::span<const int> step, bool ring, std::vector<int>& renamed) {
    if (!ring) {
      int index = step[0];
      const PlanEntry& entry = entries_[index];
      if (auto failure = folder_.RenameNoReplace(entry.from, entry.to)) {
        Fail(outcomes_[index], std::move(*failure));
      } else {
        renamed.push_back(index);
      }
      return;
    }
    RunRing(step, renamed);
  }

 private:
  struct Done {
    int index;
    GbkText from, to;
  };

  // The first entry steps aside to a temporary name, the others follow from
  // the ring's end, and the first takes its target last. When one of them
  // fails, the moves done so far are put back, so no file is left under a
  // temporary name or away from its ring.
  void RunRing(std::span<const int> ring, std::vector<int>& renamed) {
    std::vector<Done> done;
    const int first = ring[0];
    const GbkText parked = TemporaryName(run_id_, first);
    std::optional<int> failed;
    std::optional<RenameFailure> failure = folder_.RenameNoReplace(entries_[first].from, parked);
    if (!failure) {
      done.push_back({first, entries_[first].from, parked});
      for (size_t k = ring.size() - 1; k >= 1 && !failure; --k) {
        int index = ring[k];
        failure = folder_.RenameNoReplace(entries_[index].from, entries_[index].to);
        if (failure)
          failed = index;
        else
          done.push_back({index, entries_[index].from, entries_[index].to});
      }
      if (!failure) {
        failure = folder_.RenameNoReplace(parked, entries_[first].to);
        if (failure)
          failed = first;
        else
          done.push_back({first, parked, entries_[first].to});
      }
    } else {
      failed = first;
    }
    if (!failure) {
      renamed.insert(renamed.end(), ring.begin(), ring.end());
      return;
    }

    for (int index : ring) {
      if (index == failed)
        Fail(outcomes_[index], *failure);
      else
        Fail(outcomes_[index], Because(RenameReason::SwapUndone));
    }
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
      if (auto back = folder_.RenameNoReplace(it->to, it->from)) {
        // Taken away from where it went: there is no name of it to report,
        // and the failing rename's own reason is the true one.
        if (back->reason == RenameReason::Missing) {
          if (it->index != failed) Fail(outcomes_[it->index], std::move(*back));
          continue;
        }
        // Could not be put back: it stays where it went, and says so; the
        // entry that broke the ring keeps the reason it broke.
        const RenameReason reason = it->index == failed ? failure->reason : RenameReason::Other;
        Fail(outcomes_[it->index], RenameFailure{reason, Gbk("未能复原，现在的名字是 ") + it->to});
        if (it->to == entries_[it->index].to) renamed.push_back(it->index);
      }
    }
  }

  FolderHandle& folder_;
  const std::vector<PlanEntry>& entries_;
  std::vector<EntryOutcome>& outcomes_;
  std::string run_id_;
};

std::string LocalRunId() {
  static int runs = 0;
  return "p" + std::to_string(::getpid()) + "-" + std::to_string(++runs);
}

// Checks every entry before anything moves: sources must still be the files
// they were when their names were read, targets valid, unique and not taken
// by a file outside the plan. A failing entry fails alone.
PlanCheck Check(FolderHandle& folder, const std::vector<PlanEntry>& entries,
                const PlanProgress& between, FolderReadAhead* ahead = nullptr) {
  const int count = static_cast<int>(entries.size());
  // The stamp comes before the listing: a change after it makes it stale,
  // whatever the listing then saw.
  std::optional<FolderStamp> stamp = ahead ? ahead->stamp : folder.Stamp();
  // The folder is read while the names are checked: the read is the longest
  // step here, and the name checks need no identity.
  std::optional<FolderIdentities> own_identities;
  if (!ahead) own_identities.emplace(folder, count);
  FolderIdentities& identities = ahead ? ahead->identities() : *own_identities;
  PlanCheck checked{Filled(count, EntryOutcome(), between), Filled(count, FileIdentity(), between),
                    Filled(count, -1, between), Filled(count, -1, between), stamp};
  std::vector<EntryOutcome>& outcomes = checked.outcomes;
  auto pause = [&between, count] {
    if (between) between(0, count);
  };
  auto paint = [&pause](int i) {
    if (i % kBetweenEvery == 0) pause();
  };

  NameIndex sources(
      count, [&entries](int i) -> std::string_view { return entries[i].from; }, pause);
  NameIndex targets(
      count, [&entries](int i) -> std::string_view { return entries[i].to; }, pause);
  for (int i = 0; i < count; ++i) {
    paint(i);
    const PlanEntry& entry = entries[i];
    EntryOutcome& outcome = outcomes[i];
    if (entry.from == entry.to) {
      outcome.state = EntryState::Unchanged;
      continue;
    }
    if (auto problem = folder.CheckName(entry.from)) {
      Fail(outcome, Because(RenameReason::Invalid));
      continue;
    }
    if (auto problem = folder.CheckName(entry.to)) {
      Fail(outcome, std::move(*problem));
      continue;
    }
    if (sources.Insert(i, HashOf(entry.from)) >= 0 || targets.Insert(i, HashOf(entry.to)) >= 0) {
      Fail(outcome, Because(RenameReason::Duplicate));
    }
  }

  // An entry whose target is the source of another entry waits for it. The
  // links are made while the folder is still read; one to a source that
  // turns out missing or changed is undone below.
  for (int i = 0; i < count; ++i) {
    paint(i);
    if (!Pending(outcomes[i])) continue;
    int source = sources.Find(entries[i].to, HashOf(entries[i].to));
    if (source >= 0 && Pending(outcomes[source])) checked.waits_for[i] = source;
  }

  // Each entry of the folder is matched with the entry whose source it
  // names, and with the entry whose target it takes. Only the targets that no
  // entry leaves are noted: a linked target holds its source's file.
  std::vector<char> found = Filled(count, char{0}, between);
  struct Holder {
    int entry;
    FileIdentity identity;
  };
  std::vector<Holder> holders;
  auto match = [&](std::string_view name, const FileIdentity& identity) {
    const size_t hash = HashOf(name);
    const int source = sources.Find(name, hash);
    if (source >= 0 && Pending(outcomes[source])) {
      checked.identities[source] = identity;
      found[source] = 1;
    }
    const int target = targets.Find(name, hash);
    if (target >= 0 && Pending(outcomes[target]) && checked.waits_for[target] == -1)
      holders.push_back({target, identity});
  };
  if (!identities.TakeAll(match, pause)) {
    // Not listed: each name the check needs is looked up alone.
    for (int i = 0; i < count; ++i) {
      paint(i);
      if (!Pending(outcomes[i])) continue;
      if (auto identity = folder.Identify(entries[i].from)) match(entries[i].from, *identity);
      if (checked.waits_for[i] != -1) continue;
      if (auto identity = folder.Identify(entries[i].to)) match(entries[i].to, *identity);
    }
  }

  // Every source still in the plan must be the file it was when its name was read.
  for (int i = 0; i < count; ++i) {
    paint(i);
    if (!Pending(outcomes[i])) continue;
    const PlanEntry& entry = entries[i];
    if (!found[i]) {
      Fail(outcomes[i], Because(RenameReason::Missing));
    } else if (entry.identity && *entry.identity != checked.identities[i]) {
      Fail(outcomes[i], Because(RenameReason::Changed));
    }
  }

  // A link to a source that left the plan is undone: that name now holds
  // whatever file was found under it, if any, as any other taken name does.
  for (int i = 0; i < count; ++i) {
    paint(i);
    const int source = checked.waits_for[i];
    if (source < 0) continue;
    if (Pending(outcomes[i]) && Pending(outcomes[source])) {
      checked.waited_by[source] = i;
      continue;
    }
    checked.waits_for[i] = -1;
    if (Pending(outcomes[i]) && found[source]) holders.push_back({i, checked.identities[source]});
  }

  // A target is free when nothing holds it, when the entry that holds it moves
  // away first, or when it is the source itself under another spelling (a
  // file system that ignores case).
  std::vector<int> blocked;
  for (size_t k = 0; k < holders.size(); ++k) {
    paint(static_cast<int>(k));
    const Holder& holder = holders[k];
    if (Pending(outcomes[holder.entry]) && holder.identity != checked.identities[holder.entry])
      blocked.push_back(holder.entry);
  }
  // An entry that cannot move keeps its name taken for whoever waited for it.
  // Those entries leave the plan; the links among the entries still in it
  // stay as they are, since a chain fails from the blocked entry to its end.
  for (int i : blocked) {
    for (int k = i; k != -1 && Pending(outcomes[k]); k = checked.waited_by[k]) {
      Fail(outcomes[k], Because(RenameReason::Exists));
    }
  }
  return checked;
}

// An earlier check stands when the folder (the same folder) has held the same
// entries under the same names since it began: no name came, went or changed
// hands. A file written in place keeps its identity and its name, so it
// changes nothing the check found.
bool StillStands(FolderHandle& folder, const std::vector<PlanEntry>& entries,
                 const PlanCheck* checked) {
  if (!checked || !checked->stamp || checked->outcomes.size() != entries.size()) return false;
  return folder.Stamp() == checked->stamp;
}

}  // namespace

FolderReadAhead::FolderReadAhead(GbkText folder, std::unique_ptr<FolderHandle> handle, int names)
    : folder(std::move(folder)),
      handle(std::move(handle)),
      stamp(this->handle->Stamp()),
      identities_(std::make_unique<FolderIdentities>(*this->handle, names)) {}

FolderReadAhead::~FolderReadAhead() = default;

std::unique_ptr<FolderReadAhead> ReadAhead(FileSystem& files, const GbkText& folder, int names) {
  auto handle = files.OpenFolder(folder);
  if (!handle.ok()) return nullptr;
  return std::make_unique<FolderReadAhead>(folder, std::move(handle).value(), names);
}

PlanCheck CheckPlan(FolderHandle& folder, std::vector<PlanEntry>& entries,
                    const PlanProgress& between) {
  PlanCheck checked = Check(folder, entries, between);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (checked.outcomes[i].state == EntryState::NotRun)
      entries[i].identity = checked.identities[i];
  }
  return checked;
}

PlanReport RunPlan(FileSystem& files, const GbkText& folder, const std::vector<PlanEntry>& entries,
                   const PlanOptions& options) {
  PlanReport report;
  const int count = static_cast<int>(entries.size());
  FolderReadAhead* ahead =
      options.read_ahead && options.read_ahead->folder == folder ? options.read_ahead : nullptr;
  std::unique_ptr<FolderHandle> opened;
  if (!ahead) {
    auto handle = files.OpenFolder(folder);
    if (!handle.ok()) {
      report.outcomes.assign(count, {});
      for (EntryOutcome& outcome : report.outcomes) {
        Fail(outcome,
             RenameFailure{RenameReason::Missing, Utf8ToInternalLenient(handle.error().message)});
      }
      report.failed = count;
      return report;
    }
    opened = std::move(handle).value();
  }
  FolderHandle& dir = ahead ? *ahead->handle : *opened;
  PlanCheck checked;
  if (StillStands(dir, entries, options.checked)) {
    checked = std::move(*options.checked);
  } else {
    // An earlier check that no longer stands goes before the new one is made.
    if (options.checked) FreeAside(std::exchange(*options.checked, {}));
    checked = Check(dir, entries, options.progress, ahead);
  }
  const OrderedPlan plan = OrderPlan(checked, options.progress);
  report.outcomes = std::move(checked.outcomes);
  std::vector<EntryOutcome>& outcomes = report.outcomes;
  const std::vector<FileIdentity>& identities = checked.identities;
  const int total = static_cast<int>(plan.order.size());

  std::unique_ptr<JournalWriter> writer;
  std::string run_id;
  if (options.journal && total > 0) {
    auto created = options.journal->Create();
    if (created.ok()) {
      writer = std::move(created).value();
      report.journal_error = WritePlan(*writer, folder, entries, identities, plan.order, options);
    } else {
      report.journal_error = created.error().message;
    }
    if (report.journal_error) {
      // The plan never reached the disk: nothing may move.
      if (writer) options.journal->Remove(writer->Id());
      return report;
    }
    run_id = writer->Id();
  } else {
    run_id = LocalRunId();
  }

  Executor executor(dir, entries, outcomes, run_id);
  JournalProgress journal(writer.get());
  std::vector<int> renamed;
  int done = 0;
  // A stop asked for while the plan was checked comes before the first rename.
  report.stopped = total > 0 && options.progress && !options.progress(0, total);
  for (const Step& step : plan.steps) {
    if (report.stopped) break;
    renamed.clear();
    executor.Run(plan.EntriesOf(step), step.ring, renamed);
    for (int index : renamed) {
      outcomes[index].state = EntryState::Renamed;
      journal.Done(index);
    }
    done += step.size;
    if (options.progress && !options.progress(done, total)) {
      report.stopped = done < total;
      break;
    }
  }
  journal.Finish();
  if (writer) report.journal_id = writer->Id();
  report.identities = std::move(checked.identities);

  for (const EntryOutcome& outcome : outcomes) {
    if (outcome.state == EntryState::Renamed) ++report.renamed;
    if (outcome.state == EntryState::Failed) ++report.failed;
  }
  return report;
}

}  // namespace qm
