#include "rename/preview_commit.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "platform/free_aside.h"
#include "platform/reminder.h"
#include "rename/carry_out.h"
#include "rename/rename_context.h"
#include "rename/rename_run.h"
#include "text/gbk_text.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

// The passes over every row let the window paint now and then; a call per row
// would cost more than the pass itself.
constexpr int kPaintEvery = 1024;

// What a commit of the preview column would carry out: every row that holds
// both a name and a previewed name, with the file the preview saw there
// (none yet for the rows in `fresh`, just written). Returns nullopt when
// `between` asks to stop.
std::optional<std::vector<PlanEntry>> PreviewPlan(const MainServices& services,
                                                  const GbkText& folder,
                                                  const PlanProgress& between,
                                                  const std::vector<bool>& fresh = {}) {
  const ListView& list = services.list;
  const RenameContext* renames = services.renames;
  const int rows = list.RowCount();
  std::vector<PlanEntry> plan;
  // Grown step by step, a million entries would move in one piece, more than
  // once, while the window waits.
  plan.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    if (between && !between(row, rows)) return std::nullopt;
    GbkText new_name = list.Cell(row, 1);
    if (new_name.empty()) continue;
    GbkText old_name = list.Cell(row, 0);
    if (old_name.empty()) continue;
    std::optional<FileIdentity> identity;
    const bool written_now = row < static_cast<int>(fresh.size()) && fresh[row];
    if (renames && renames->notes_previewed && !written_now) {
      identity = renames->previewed.Find(folder, old_name);
    }
    plan.push_back({row, std::move(old_name), std::move(new_name), identity});
  }
  return plan;
}

// The entries of plan that would fail, by the same check the commit runs.
// A folder that cannot be opened fails the whole commit, not single rows.
PlanCheck CheckPreviewPlan(MainServices& services, const GbkText& folder,
                           std::vector<PlanEntry>& plan, const PlanProgress& between) {
  if (plan.empty()) return {};
  auto handle = services.files.OpenFolder(folder);
  if (!handle.ok()) {
    PlanCheck none;
    none.outcomes.resize(plan.size());
    return none;
  }
  return CheckPlan(**handle, plan, between);
}

// Writes the outcomes of a check as marks: a failing row gets its reason,
// every other row of the list loses any mark it had. `between` is called now
// and then, so the window can paint.
int ApplyMarks(ListView& list, const std::vector<PlanEntry>& plan,
               const std::vector<EntryOutcome>& outcomes, const PlanProgress& between) {
  int marked = 0;
  int next_row = 0;
  for (size_t i = 0; i < plan.size(); ++i) {
    if (between && i % kPaintEvery == 0) between(0, 0);
    for (; next_row < plan[i].row; ++next_row) list.MarkCell(next_row, 1, {});
    next_row = plan[i].row + 1;
    if (outcomes[i].state == EntryState::Failed) {
      list.MarkCell(plan[i].row, 1, FailureText(outcomes[i].failure));
      ++marked;
    } else {
      list.MarkCell(plan[i].row, 1, {});
    }
  }
  for (const int rows = list.RowCount(); next_row < rows; ++next_row) {
    list.MarkCell(next_row, 1, {});
  }
  return marked;
}

}  // namespace

const GbkText& PreviewFolder(const MainServices& services) {
  static const GbkText unknown;
  return services.renames ? services.renames->preview_folder : unknown;
}

void RecordPreviewFolder(MainServices& services, const GbkText& folder) {
  if (!services.renames) return;
  const ListView& list = services.list;
  bool earlier_values = false;
  for (int row = 0; row < list.RowCount() && !earlier_values; ++row) {
    earlier_values = !list.CellHolds(row, 1, {});
  }
  if (!earlier_values) {
    // No row holds a value any more: the files noted for earlier values
    // stand for nothing.
    services.renames->previewed.clear();
    services.renames->preview_folder = folder;
  } else if (services.renames->preview_folder != folder) {
    services.renames->preview_folder.clear();
  }
}

int MarkFailingPreviews(MainServices& services, const PlanProgress& between,
                        const std::vector<bool>& written) {
  ListView& list = services.list;
  if (list.ColumnCount() < 2) return 0;
  // Rows whose values were made in different folders are refused as a whole
  // by the commit, with its own message: no single row is singled out.
  const GbkText& folder = PreviewFolder(services);
  std::unique_ptr<FolderHandle> handle;
  if (!folder.empty()) {
    auto opened = services.files.OpenFolder(folder);
    if (opened.ok()) handle = std::move(opened).value();
  }
  if (!handle) return ApplyMarks(list, {}, {}, between);

  const std::vector<bool>& fresh = written;
  auto paint = [&between](int done, int total) {
    if (between) between(done, total);
    return true;
  };
  std::vector<PlanEntry> plan = *PreviewPlan(services, folder, paint, fresh);
  PlanCheck checked;
  if (!plan.empty()) checked = CheckPlan(*handle, plan, paint);
  const std::vector<EntryOutcome>& outcomes = checked.outcomes;

  // The check has just identified the files of the rows written now: they are
  // what the commit must still find there.
  if (RenameContext* renames = services.renames; renames && renames->notes_previewed) {
    auto is_fresh = [&fresh](const PlanEntry& entry) {
      return entry.row < static_cast<int>(fresh.size()) && fresh[entry.row];
    };
    renames->previewed.Reserve(std::count_if(plan.begin(), plan.end(), is_fresh));
    for (PlanEntry& entry : plan) {
      paint(0, 0);
      if (!is_fresh(entry)) continue;
      // An entry failed on its new name alone was not looked up by the check.
      if (!entry.identity) entry.identity = handle->Identify(entry.from);
      if (entry.identity) renames->previewed.Note(folder, entry.from, *entry.identity);
    }
  }
  const int marked = ApplyMarks(list, plan, outcomes, paint);
  FreeAside(std::move(plan));
  FreeAside(std::move(checked));
  return marked;
}

void RevealUndoButton(Form& form) { form.SetVisible(Control::按钮_撤回上一步, true); }

void CommitPreview(MainServices& services) {
  ListView& list = services.list;
  const int rows = list.RowCount();
  // Whether any row holds a name, and any a previewed name: the first rows
  // tell, where a count would read a million of them before the window paints.
  bool names = false;
  bool previews = false;
  for (int row = 0; row < rows && !(names && previews); ++row) {
    names = names || !list.CellHolds(row, 0, {});
    previews = previews || !list.CellHolds(row, 1, {});
  }
  if (!previews) {
    ShowReminder(services.messages,
                 "开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！");
    return;
  }
  if (!names) {
    ShowReminder(services.messages, "没有发生任何变化。\r\n请仔细排查问题，重新操作!");
    return;
  }
  // Relative names in another folder, or with no folder at all (the program's
  // current directory), would rename the wrong files. The last record stays,
  // since nothing was renamed.
  const GbkText folder = WorkingFolder(services.form);
  if (PreviewFolder(services).empty() || PreviewFolder(services) != folder) {
    ShowReminder(services.messages,
                 "现在的路径不是预览时的路径（或者路径已被清空），\r\n"
                 "为了不改错文件，没有执行任何更名。\r\n请重新读取路径并预览后再执行！");
    return;
  }
  // The commit makes a new undo record: the newest goes back to its journal
  // before the plan is read, so the two are never held at once.
  UnloadNewestRecord(services);
  // The files may have changed since the preview: the count asked about comes
  // from a check made now, and the marks are brought up to date with it.
  std::vector<PlanEntry> plan;
  PlanCheck checked;
  int failing = 0;
  {
    LongJob check(services.progress, Gbk("正在检查预览……"), rows);
    std::optional<std::vector<PlanEntry>> collected =
        PreviewPlan(services, folder, std::ref(check));
    if (!collected) return;  // stopped before anything was renamed
    plan = std::move(*collected);
    bool go_on = true;
    checked = CheckPreviewPlan(services, folder, plan, [&check, &go_on, rows](int, int) {
      go_on = check(rows, rows) && go_on;
      return go_on;
    });
    if (!go_on) return;
    failing = ApplyMarks(list, plan, checked.outcomes,
                         [&check, rows](int, int) { return check(rows, rows); });
  }
  if (failing > 0 &&
      services.messages.Show(Gbk("其中") + ToText(failing) +
                                 Gbk("个预计会改名失败（已用红色标出），其余的照常更名。\r\n"
                                     "确定执行吗？"),
                             Gbk("提示"), Icon::Information, Buttons::OkCancel) != Answer::Ok) {
    return;
  }
  RenameContext* renames = services.renames;
  LongJob job(services.progress, Gbk("正在按预览更名……"), static_cast<int>(plan.size()));
  // The renames follow the check the question was asked on, unless the folder
  // shows a change since: then they check again.
  CarriedOut done =
      CarryOutPlan(services, folder, std::move(plan), PreviewCell::ClearWhenRenamed, {}, &checked);
  if (!done.started()) return;
  if (renames) {
    // Names that changed hands no longer stand for what the preview saw.
    const int entries = static_cast<int>(done.entries.size());
    for (int i = 0; i < entries; ++i) {
      job(entries, entries);  // paints; the renames are over
      if (done.report.outcomes[i].state != EntryState::Renamed) continue;
      renames->previewed.Forget(folder, done.entries[i].from);
      renames->previewed.Forget(folder, done.entries[i].to);
    }
  }
  // The rows left with a value failed; their reasons now are what the marks
  // say. A commit that found nothing to mark and failed nowhere left every
  // row as the check before it marked it: clean.
  const bool marks_may_change = failing > 0 || done.report.failed > 0 || done.report.stopped;
  if (done.report.renamed > 0 && marks_may_change)
    MarkFailingPreviews(services, [&job](int, int) { return job(1, 1); });
  RecordForUndo(services, folder, done, [&job](int, int) { return job(1, 1); });
  job.End();
  ShowFailures(services, done);
  FreeAside(std::move(done));
  FreeAside(std::move(checked));
}

}  // namespace qm
