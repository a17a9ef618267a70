#include "rename/journal_recovery.h"

#include <algorithm>

#include "platform/free_aside.h"
#include "platform/reminder.h"
#include "rename/carry_out.h"
#include "rename/rename_context.h"
#include "rename/rename_journal.h"
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

// The undo record of a finished run: the entries marked renamed.
UndoRecord RecordOf(const Journal& journal) {
  UndoRecord record;
  record.folder = journal.content.folder;
  record.journal_id = journal.id;
  for (const JournalEntry& entry : journal.content.entries) {
    if (journal.content.done.count(entry.index) != 0) {
      record.pairs.push_back({entry.from, entry.to, entry.identity});
    }
  }
  return record;
}

// Whether a journal's run reached its end mark, from its last bytes alone.
// A name can hold the end mark's bytes, but names are written before "begin",
// and a journal cut off there moved nothing: taken for finished, it undoes
// nothing either.
bool EndsFinished(JournalStore& store, const std::string& id) {
  Result<std::string> tail = store.Read(id, 2 * kJournalEnd.size());
  if (!tail.ok()) return false;
  const std::string& bytes = *tail;
  return bytes.size() >= kJournalEnd.size() + 1 &&
         std::string_view(bytes).substr(bytes.size() - kJournalEnd.size() - 1) ==
             "\n" + std::string(kJournalEnd);
}

// An unfinished journal, read whole for the restart question; nullopt when it
// cannot be read, is too large to read at a start, or is damaged past its
// "begin" line. Damage before that line reads as a journal cut off before
// anything moved, since no rename starts before "begin" is on the disk.
std::optional<JournalContent> ReadUnfinished(JournalStore& store, const std::string& id) {
  Result<uint64_t> size = store.Size(id);
  if (!size.ok() || *size > kJournalReadLimit) return std::nullopt;
  Result<std::string> bytes = store.Read(id);
  if (!bytes.ok()) return std::nullopt;
  std::optional<JournalContent> content = ParseJournal(*bytes);
  if (!content &&
      bytes->find(std::string("\n") + std::string(kJournalBegin)) == std::string::npos) {
    return JournalContent{};  // never begun
  }
  return content;
}

}  // namespace

bool LoadUndoRecord(JournalStore& store, UndoRecord& record, const std::function<void()>& between) {
  if (record.loaded) return true;
  Result<uint64_t> size = store.Size(record.journal_id);
  if (!size.ok() || *size > kJournalReadLimit) return false;
  Result<std::string> bytes =
      between ? store.ReadPaced(record.journal_id, between) : store.Read(record.journal_id);
  if (!bytes.ok()) return false;
  std::optional<JournalContent> content = ParseJournal(*bytes, between);
  FreeAside(std::move(bytes).value());
  if (!content) return false;
  // The names move from the journal's entries into the record; what is left
  // of the entries, and the marks, are freed beside the window.
  UndoRecord loaded;
  loaded.folder = std::move(content->folder);
  loaded.journal_id = record.journal_id;
  loaded.pairs.reserve(content->done.size());
  size_t looked = 0;
  for (JournalEntry& entry : content->entries) {
    if (between && ++looked % 4096 == 0) between();
    if (content->done.count(entry.index) != 0) {
      loaded.pairs.push_back({std::move(entry.from), std::move(entry.to), entry.identity});
    }
  }
  FreeAside(std::move(*content));
  record = std::move(loaded);
  return true;
}

std::vector<UndoRecord> FinishedRecords(JournalStore& store) {
  std::vector<UndoRecord> records;
  for (const std::string& id : store.List()) {
    if (!EndsFinished(store, id)) continue;
    UndoRecord record;
    record.journal_id = id;
    record.loaded = false;
    records.push_back(std::move(record));
  }
  return records;
}

std::optional<UndoRecord> NewestRecordIn(JournalStore& store, const GbkText& folder) {
  std::vector<UndoRecord> records = FinishedRecords(store);
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (LoadUndoRecord(store, *record) && record->folder == folder) return std::move(*record);
  }
  return std::nullopt;
}

void ResumeAfterStart(MainServices& services) {
  RenameContext& renames = *services.renames;
  // A finished run is only listed here: its record is read when it is undone.
  std::vector<UndoRecord> finished;
  std::vector<Journal> unfinished;
  int set_aside = 0;
  for (const std::string& id : renames.journal.List()) {
    if (EndsFinished(renames.journal, id)) {
      UndoRecord record;
      record.journal_id = id;
      record.loaded = false;
      finished.push_back(std::move(record));
      continue;
    }
    std::optional<JournalContent> content = ReadUnfinished(renames.journal, id);
    if (!content) {
      // Damaged, or larger than a start may read: kept aside, never deleted,
      // since it may be all that tells which names to put back.
      renames.journal.SetAside(id);
      ++set_aside;
      continue;
    }
    if (!content->begun) {
      renames.journal.Remove(id);  // cut off before anything moved
      continue;
    }
    unfinished.push_back({id, std::move(*content)});
  }
  if (set_aside > 0) {
    ShowReminder(services.messages,
                 Gbk("有") + ToText(set_aside) +
                     Gbk("份没有完成的改名记录已损坏或太大，无法用来复原。\r\n"
                         "它们已另存在程序的状态文件夹里（以 .damaged 结尾）。"));
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
      ShowReminder(services.messages,
                   Gbk("已把") + ToText(restored) + Gbk("个文件的名字改回原来的。"));
    } else {
      for (size_t k = 0; k < unfinished.size(); ++k) {
        CloseAsFinished(services, unfinished[k], plans[k]);
        finished.push_back(RecordOf(unfinished[k]));
      }
      std::sort(finished.begin(), finished.end(), [](const UndoRecord& a, const UndoRecord& b) {
        return a.journal_id < b.journal_id;
      });
    }
  }

  // The newest finished runs stay undoable, one press each; older journals go.
  renames.undo.clear();
  for (UndoRecord& record : finished) {
    for (const std::string& gone : renames.undo.Add(std::move(record))) {
      renames.journal.Remove(gone);
    }
  }
}

}  // namespace qm
