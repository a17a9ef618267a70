#include "rename/journal_recovery.h"

#include <algorithm>

#include "rename/carry_out.h"
#include "rename/rename_journal.h"
#include "rename/rename_services.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

struct Journal {
  std::string id;
  JournalContent content;
};

// Where each renamed file of an unfinished journal is now, as the renames
// that would put it back. A file is found by its identity under its new name
// or under the temporary name of a ring that was cut short.
std::vector<PlanEntry> PutBackPlan(FileSystem& files, const Journal& journal) {
  std::vector<PlanEntry> plan;
  auto handle = files.OpenFolder(journal.content.folder);
  if (!handle.ok()) return plan;
  for (const JournalEntry& entry : journal.content.entries) {
    if ((*handle)->Identify(entry.to) == entry.identity) {
      plan.push_back({-1, entry.to, entry.from, entry.identity});
      continue;
    }
    GbkText parked = TemporaryName(journal.id, entry.index);
    if ((*handle)->Identify(parked) == entry.identity) {
      plan.push_back({-1, parked, entry.from, entry.identity});
    }
  }
  return plan;
}

// A declined put-back: the journal is closed with what really happened, so
// that it reads like any finished run.
void CloseAsFinished(MainServices& services, Journal& journal,
                     const std::vector<PlanEntry>& displaced) {
  std::string marks;
  for (const JournalEntry& entry : journal.content.entries) {
    for (const PlanEntry& moved : displaced) {
      if (moved.from == entry.to && moved.identity == entry.identity) {
        marks += JournalDoneMark(entry.index);
        journal.content.done.insert(entry.index);
      }
    }
  }
  marks += kJournalEnd;
  if (auto writer = services.renames->journal.Reopen(journal.id); writer.ok()) {
    (void)(*writer)->Append(marks, true);
  }
  journal.content.finished = true;
}

void LoadUndoRecord(UndoRecord& undo, const Journal& journal) {
  undo.clear();
  undo.folder = journal.content.folder;
  undo.journal_id = journal.id;
  for (const JournalEntry& entry : journal.content.entries) {
    if (journal.content.done.count(entry.index) != 0) {
      undo.pairs.push_back({entry.from, entry.to, entry.identity});
    }
  }
}

}  // namespace

void ResumeAfterStart(MainServices& services) {
  RenameServices& renames = *services.renames;
  std::vector<Journal> finished, unfinished;
  for (StoredJournal& stored : renames.journal.ReadAll()) {
    std::optional<JournalContent> content = ParseJournal(stored.bytes);
    if (!content || !content->begun) {
      renames.journal.Remove(stored.id);  // cut off before anything moved
      continue;
    }
    (content->finished ? finished : unfinished).push_back({stored.id, std::move(*content)});
  }

  // The newest first: undoing them in that order puts back the oldest state.
  std::reverse(unfinished.begin(), unfinished.end());
  std::vector<std::vector<PlanEntry>> plans;
  size_t displaced = 0;
  for (const Journal& journal : unfinished) {
    plans.push_back(PutBackPlan(services.files, journal));
    displaced += plans.back().size();
  }
  if (displaced == 0) {
    for (const Journal& journal : unfinished) renames.journal.Remove(journal.id);
  } else {
    Answer answer = services.messages.Show(
        Gbk("上次改名还没有完成，程序就意外退出了，有") + ToText(static_cast<int64_t>(displaced)) +
            Gbk("个文件已经改了名。\r\n要把它们的名字都改回原来的吗？"),
        Gbk("提醒："), Icon::Information, Buttons::OkCancel);
    if (answer == Answer::Ok) {
      int restored = 0;
      for (size_t k = 0; k < unfinished.size(); ++k) {
        if (plans[k].empty()) {
          renames.journal.Remove(unfinished[k].id);
          continue;
        }
        CarriedOut done = CarryOutPlan(services, unfinished[k].content.folder, std::move(plans[k]),
                                       PreviewCell::Keep);
        if (!done.started()) return;
        restored += done.report.renamed;
        ForgetJournal(services, done);
        renames.journal.Remove(unfinished[k].id);
        ShowFailures(services, done);
      }
      services.messages.Show(Gbk("已把") + ToText(restored) + Gbk("个文件的名字改回原来的。"),
                             Gbk("提醒："), Icon::Information, Buttons::Ok);
    } else {
      for (size_t k = 0; k < unfinished.size(); ++k) {
        CloseAsFinished(services, unfinished[k], plans[k]);
        finished.push_back(std::move(unfinished[k]));
      }
      std::sort(finished.begin(), finished.end(),
                [](const Journal& a, const Journal& b) { return a.id < b.id; });
    }
  }

  // Only the newest finished journal is still undoable.
  for (size_t k = 0; k + 1 < finished.size(); ++k) renames.journal.Remove(finished[k].id);
  if (!finished.empty()) LoadUndoRecord(renames.undo, finished.back());
}

}  // namespace qm
