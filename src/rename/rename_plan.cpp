#include "rename/rename_plan.h"

#include <unistd.h>

#include <string_view>
#include <unordered_map>

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

// Entries still in the plan after the check, by source and by target.
struct PlanLinks {
  std::vector<int> waits_for;  // entry whose source is this entry's target, or -1
  std::vector<int> waited_by;  // entry whose target is this entry's source, or -1
};

// `between` (when given) lets a window paint during these in-memory passes.
PlanLinks LinksOf(const std::vector<PlanEntry>& entries, const std::vector<EntryOutcome>& outcomes,
                  const PlanProgress& between) {
  const int count = static_cast<int>(entries.size());
  std::unordered_map<std::string_view, int> by_source;
  by_source.reserve(count);
  for (int i = 0; i < count; ++i) {
    if (between) between(0, count);
    if (Pending(outcomes[i])) by_source.emplace(entries[i].from, i);
  }
  PlanLinks links{std::vector<int>(count, -1), std::vector<int>(count, -1)};
  for (int i = 0; i < count; ++i) {
    if (between) between(0, count);
    if (!Pending(outcomes[i])) continue;
    auto found = by_source.find(entries[i].to);
    if (found == by_source.end()) continue;
    links.waits_for[i] = found->second;
    links.waited_by[found->second] = i;
  }
  return links;
}

// One item of execution: a single entry, or a ring of entries where each
// one's target is the next one's source (ring[k].to == ring[k + 1].from).
struct Step {
  std::vector<int> entries;
  bool ring = false;
};

// Chains run from their free end backwards, so every target is vacated before
// it is needed; whatever is left over forms rings.
std::vector<Step> OrderPlan(const std::vector<EntryOutcome>& outcomes, const PlanLinks& links,
                            const PlanProgress& between) {
  const int count = static_cast<int>(outcomes.size());
  std::vector<Step> steps;
  std::vector<bool> placed(count, false);
  for (int i = 0; i < count; ++i) {
    if (between) between(0, count);
    if (!Pending(outcomes[i]) || links.waits_for[i] != -1) continue;
    for (int k = i; k != -1; k = links.waited_by[k]) {
      steps.push_back({{k}, false});
      placed[k] = true;
    }
  }
  for (int i = 0; i < count; ++i) {
    if (!Pending(outcomes[i]) || placed[i]) continue;
    Step ring{{}, true};
    for (int k = i; !placed[k]; k = links.waits_for[k]) {
      ring.entries.push_back(k);
      placed[k] = true;
    }
    steps.push_back(std::move(ring));
  }
  return steps;
}

class Executor {
 public:
  Executor(FolderHandle& folder, std::vector<PlanEntry>& entries,
           std::vector<EntryOutcome>& outcomes, std::string run_id)
      : folder_(folder), entries_(entries), outcomes_(outcomes), run_id_(std::move(run_id)) {}

  // The sources' identities were checked moments ago, by the plan check; the
  // folder handle keeps every rename inside the folder that check saw.
  std::optional<RenameFailure> Move(int index, const GbkText& from, const GbkText& to) {
    (void)index;
    return folder_.RenameNoReplace(from, to);
  }

  // Returns the entries that were renamed.
  std::vector<int> Run(const Step& step) {
    if (!step.ring) {
      int index = step.entries[0];
      const PlanEntry& entry = entries_[index];
      if (auto failure = Move(index, entry.from, entry.to)) {
        Fail(outcomes_[index], std::move(*failure));
        return {};
      }
      return {index};
    }
    return RunRing(step.entries);
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
  std::vector<int> RunRing(const std::vector<int>& ring) {
    std::vector<Done> done;
    const int first = ring[0];
    const GbkText parked = TemporaryName(run_id_, first);
    std::optional<int> failed;
    std::optional<RenameFailure> failure = Move(first, entries_[first].from, parked);
    if (!failure) {
      done.push_back({first, entries_[first].from, parked});
      for (size_t k = ring.size() - 1; k >= 1 && !failure; --k) {
        int index = ring[k];
        failure = Move(index, entries_[index].from, entries_[index].to);
        if (failure)
          failed = index;
        else
          done.push_back({index, entries_[index].from, entries_[index].to});
      }
      if (!failure) {
        failure = Move(first, parked, entries_[first].to);
        if (failure)
          failed = first;
        else
          done.push_back({first, parked, entries_[first].to});
      }
    } else {
      failed = first;
    }
    if (!failure) return ring;

    for (int index : ring) {
      if (index == failed)
        Fail(outcomes_[index], *failure);
      else
        Fail(outcomes_[index], Because(RenameReason::SwapUndone));
    }
    std::vector<int> stuck;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
      if (auto back = folder_.RenameNoReplace(it->to, it->from)) {
        // Could not be put back: it stays where it went, and says so.
        Fail(outcomes_[it->index],
             RenameFailure{RenameReason::Other, Gbk("未能复原，现在的名字是 ") + it->to});
        if (it->to == entries_[it->index].to) stuck.push_back(it->index);
      }
    }
    for (int index : stuck) outcomes_[index].state = EntryState::Renamed;
    return stuck;
  }

  FolderHandle& folder_;
  std::vector<PlanEntry>& entries_;
  std::vector<EntryOutcome>& outcomes_;
  std::string run_id_;
};

// Progress marks reach the journal in batches: one write per batch, synced
// only at the end, which is enough because every entry's file is found by
// its identity after a crash.
class JournalProgress {
 public:
  explicit JournalProgress(JournalWriter* writer) : writer_(writer) {}
  void Done(int index) {
    if (!writer_) return;
    pending_ += JournalDoneMark(index);
    if (++marks_ % kBatch == 0) Flush(false);
  }
  void Finish() {
    if (!writer_) return;
    pending_ += kJournalEnd;
    Flush(true);
  }

 private:
  static constexpr int kBatch = 512;
  void Flush(bool sync) {
    // A failed write loses marks only; the plan and the identities are on disk.
    (void)writer_->Append(pending_, sync);
    pending_.clear();
  }
  JournalWriter* writer_;
  std::string pending_;
  int marks_ = 0;
};

constexpr int kListingFrom = 64;

std::string LocalRunId() {
  static int runs = 0;
  return "p" + std::to_string(::getpid()) + "-" + std::to_string(++runs);
}

}  // namespace

std::vector<EntryOutcome> CheckPlan(FolderHandle& folder, std::vector<PlanEntry>& entries,
                                    const PlanProgress& between) {
  const int count = static_cast<int>(entries.size());
  std::vector<EntryOutcome> outcomes(count);

  std::unordered_map<std::string_view, int> sources, targets;
  sources.reserve(count);
  targets.reserve(count);
  for (int i = 0; i < count; ++i) {
    if (between) between(0, count);
    PlanEntry& entry = entries[i];
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
    if (!sources.emplace(entry.from, i).second || !targets.emplace(entry.to, i).second) {
      Fail(outcome, Because(RenameReason::Duplicate));
      continue;
    }
    std::optional<FileIdentity> now = folder.Identify(entry.from);
    if (!now) {
      Fail(outcome, Because(RenameReason::Missing));
    } else if (entry.identity && *entry.identity != *now) {
      Fail(outcome, Because(RenameReason::Changed));
    } else {
      entry.identity = now;
    }
  }

  // A target is free when nothing holds it, when the entry that holds it moves
  // away first, or when it is the source itself under another spelling (a
  // file system that ignores case). A large plan reads the folder once instead
  // of looking every target up; identities still come from Identify, so that
  // they compare with those recorded elsewhere.
  std::optional<std::unordered_map<GbkText, FileIdentity>> listing;
  if (count >= kListingFrom) listing = folder.IdentifyAll();
  PlanLinks links = LinksOf(entries, outcomes, between);
  std::vector<int> blocked;
  for (int i = 0; i < count; ++i) {
    if (between) between(0, count);
    if (!Pending(outcomes[i]) || links.waits_for[i] != -1) continue;
    if (listing && listing->count(entries[i].to) == 0) continue;
    std::optional<FileIdentity> holder = folder.Identify(entries[i].to);
    if (holder && *holder != *entries[i].identity) blocked.push_back(i);
  }
  // An entry that cannot move keeps its name taken for whoever waited for it.
  // (Entries that failed above are not in the links: their names are found
  // taken, or free, by the look-up itself.)
  for (int i : blocked) {
    for (int k = i; k != -1 && Pending(outcomes[k]); k = links.waited_by[k]) {
      Fail(outcomes[k], Because(RenameReason::Exists));
    }
  }
  return outcomes;
}

PlanReport RunPlan(FileSystem& files, const GbkText& folder, std::vector<PlanEntry> entries,
                   const PlanOptions& options) {
  PlanReport report;
  const int count = static_cast<int>(entries.size());
  auto handle = files.OpenFolder(folder);
  if (!handle.ok()) {
    report.outcomes.assign(count, {});
    for (EntryOutcome& outcome : report.outcomes) {
      Fail(outcome, RenameFailure{RenameReason::Missing, handle.error().message});
    }
    report.failed = count;
    return report;
  }
  FolderHandle& dir = **handle;
  report.outcomes = CheckPlan(dir, entries, options.progress);
  std::vector<EntryOutcome>& outcomes = report.outcomes;

  PlanLinks links = LinksOf(entries, outcomes, options.progress);
  std::vector<Step> steps = OrderPlan(outcomes, links, options.progress);
  int total = 0;
  for (const Step& step : steps) total += static_cast<int>(step.entries.size());

  std::unique_ptr<JournalWriter> writer;
  std::string run_id;
  if (options.journal && total > 0) {
    std::vector<JournalEntry> planned;
    planned.reserve(total);
    for (const Step& step : steps) {
      for (int i : step.entries) {
        planned.push_back({i, *entries[i].identity, entries[i].from, entries[i].to});
      }
    }
    auto created = options.journal->Create();
    if (!created.ok()) {
      report.journal_error = created.error().message;
    } else {
      writer = std::move(created).value();
      auto written = writer->Append(JournalHeader(folder, planned), true);
      if (!written.ok()) report.journal_error = written.error().message;
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
  int done = 0;
  // A stop asked for while the plan was checked comes before the first rename.
  report.stopped = total > 0 && options.progress && !options.progress(0, total);
  for (const Step& step : steps) {
    if (report.stopped) break;
    for (int index : executor.Run(step)) {
      outcomes[index].state = EntryState::Renamed;
      outcomes[index].identity = *entries[index].identity;
      journal.Done(index);
    }
    done += static_cast<int>(step.entries.size());
    if (options.progress && !options.progress(done, total)) {
      report.stopped = done < total;
      break;
    }
  }
  journal.Finish();
  if (writer) report.journal_id = writer->Id();

  for (const EntryOutcome& outcome : outcomes) {
    if (outcome.state == EntryState::Renamed) ++report.renamed;
    if (outcome.state == EntryState::Failed) ++report.failed;
  }
  return report;
}

}  // namespace qm
