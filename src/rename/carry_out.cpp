#include "rename/carry_out.h"

#include "base/encoding.h"
#include "platform/reminder.h"
#include "rename/journal_recovery.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

// The passes over every entry let a window paint now and then; a call per
// entry would cost more than the pass itself.
constexpr int kPaintEvery = 1024;

// Only the newest record stays in memory, so twenty large runs do not add
// up; one whose journal is too large to read back keeps its pairs.
void UnloadRecord(MainServices& services, size_t index) {
  UndoHistory& history = services.renames->undo;
  // Already back in its journal (a run and its commit both send it): no
  // second look at the journal's size.
  const UndoRecord& record = history.Records()[index];
  if (!record.loaded || record.journal_id.empty()) return;
  Result<uint64_t> size = services.renames->journal.Size(record.journal_id);
  if (size.ok() && *size <= kJournalReadLimit) history.Unload(index);
}

}  // namespace

GbkText FailureText(const RenameFailure& failure) {
  std::string_view text;
  switch (failure.reason) {
    case RenameReason::Exists:
      text = "新名称已被别的文件或文件夹占用";
      break;
    case RenameReason::TooLong:
      text = "新名称太长，超过了文件系统允许的长度（255字节）";
      break;
    case RenameReason::Denied:
      text = "没有权限，这个文件夹不允许改名";
      break;
    case RenameReason::ReadOnly:
      text = "所在的磁盘是只读的";
      break;
    case RenameReason::Missing:
      text = "文件已经不存在了";
      break;
    case RenameReason::Changed:
      text = "这个名字现在是另一个文件，原来的文件已被替换或删除";
      break;
    case RenameReason::Invalid:
      text = "名称无效（不能为空，不能是“.”或“..”，不能含有“/”）";
      break;
    case RenameReason::Other:
      text = "系统错误";
      break;
    case RenameReason::Duplicate:
      text = "和前面一项的名称重复";
      break;
    case RenameReason::SwapUndone:
      text = "同一组互换名称中有一项失败，已全部复原";
      break;
  }
  GbkText result = Gbk(text);
  if (!failure.system_text.empty()) result += Gbk("：") + failure.system_text;
  return result;
}

void UnloadNewestRecord(MainServices& services) {
  if (services.renames && !services.renames->undo.empty())
    UnloadRecord(services, services.renames->undo.size() - 1);
}

MainServices ServicesOfWindow(MainServices& main, ListView& list, Messages& messages,
                              JobProgress& progress) {
  return MainServices{.form = main.form,
                      .list = list,
                      .messages = messages,
                      .windows = main.windows,
                      .files = main.files,
                      .renames = main.renames,
                      .progress = progress,
                      .failures = main.failures,
                      .file_info = main.file_info};
}

CarriedOut CarryOutPlan(MainServices& services, const GbkText& folder,
                        std::vector<PlanEntry> entries, PreviewCell preview_cell,
                        const PlanProgress& progress, PlanCheck* checked,
                        FolderReadAhead* read_ahead) {
  CarriedOut done;
  PlanOptions options;
  options.checked = checked;
  options.read_ahead = read_ahead;
  RenameContext* renames = services.renames;
  if (renames) options.journal = &renames->journal;
  // The run may make a newer record: the newest goes back to its journal
  // first, so that the memory of two large runs is never held at once.
  UnloadNewestRecord(services);
  // The window's job progress paints and takes the stop between two renames.
  JobProgress& job = services.progress;
  options.progress = [&progress, &job](int finished, int total) {
    if (progress && !progress(finished, total)) return false;
    return job.Advance(finished, total);
  };
  done.entries = std::move(entries);
  done.report = RunPlan(services.files, folder, done.entries, options);
  if (done.report.journal_error) {
    ShowReminder(services.messages, Gbk("无法写入改名记录，为了安全，没有改任何文件的名字。\r\n") +
                                        Utf8ToInternalLenient(*done.report.journal_error));
    return done;
  }
  ListView& list = services.list;
  const int total = static_cast<int>(done.entries.size());
  for (int i = 0; i < total; ++i) {
    job.Advance(total, total);  // paints while the rows catch up; the renames are over
    const PlanEntry& entry = done.entries[i];
    if (done.report.outcomes[i].state != EntryState::Renamed || entry.row < 0) continue;
    // The row is written only while it still shows the entry it was collected for.
    if (!list.CellHolds(entry.row, 0, entry.from)) continue;
    list.SetCell(entry.row, 0, entry.to);
    if (preview_cell == PreviewCell::ClearWhenRenamed) list.SetCell(entry.row, 1, GbkText());
  }
  return done;
}

void RecordForUndo(MainServices& services, const GbkText& folder, CarriedOut& done,
                   const PlanProgress& between) {
  if (!done.started() || !services.renames) return;
  if (done.report.renamed == 0) {
    ForgetJournal(services, done);
    return;
  }
  RevealUndoButton(services.form);
  UndoRecord record;
  record.folder = folder;
  record.journal_id = done.report.journal_id;
  record.pairs.reserve(done.report.renamed);
  const int entries = static_cast<int>(done.entries.size());
  for (int i = 0; i < entries; ++i) {
    if (between && i % kPaintEvery == 0) between(i, entries);
    const EntryOutcome& outcome = done.report.outcomes[i];
    if (outcome.state != EntryState::Renamed) continue;
    PlanEntry& entry = done.entries[i];
    record.pairs.push_back({std::move(entry.from), std::move(entry.to), done.report.identities[i]});
  }
  UndoHistory& history = services.renames->undo;
  for (const std::string& gone : history.Add(std::move(record))) {
    services.renames->journal.Remove(gone);
  }
  if (history.size() >= 2) UnloadRecord(services, history.size() - 2);
}

void DropNewestRecord(MainServices& services) {
  if (!services.renames || services.renames->undo.empty()) return;
  const std::string journal = services.renames->undo.DropNewest();
  if (!journal.empty()) services.renames->journal.Remove(journal);
}

void ForgetJournal(MainServices& services, const CarriedOut& done) {
  if (services.renames && !done.report.journal_id.empty()) {
    services.renames->journal.Remove(done.report.journal_id);
  }
}

void ShowFailures(MainServices& services, const CarriedOut& done,
                  std::vector<FailedRename> not_made) {
  const int failed = done.report.failed + static_cast<int>(not_made.size());
  if (!services.failures || failed == 0) return;
  std::vector<FailedRename> rows = std::move(not_made);
  rows.reserve(failed);
  for (size_t i = 0; i < done.entries.size(); ++i) {
    const EntryOutcome& outcome = done.report.outcomes[i];
    if (outcome.state != EntryState::Failed) continue;
    rows.push_back({done.entries[i].from, done.entries[i].to, FailureText(outcome.failure)});
  }
  GbkText summary = done.report.renamed == 0 && !done.report.stopped
                        ? Gbk("全部") + ToText(failed) + Gbk("个都没有改名成功，原因如下：")
                        : Gbk("有") + ToText(failed) + Gbk("个没有改名成功，原因如下：");
  services.failures->Show(Gbk("没有改名成功的项目"), summary, rows);
}

}  // namespace qm
