#include "rename/undo_export.h"

#include <memory>
#include <optional>

#include "base/encoding.h"
#include "base/path_rules.h"
#include "platform/free_aside.h"
#include "platform/reminder.h"
#include "rename/carry_out.h"
#include "rename/folder_identities.h"
#include "rename/journal_recovery.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "rename/rename_run.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

constexpr const char* kFilesChanged = "列表框现标题 和 枚举到的数组 不是完全相同的，不予操作";

// Which recorded pairs still stand under their new names. A pair whose file
// is back under its old name was undone already and is left alone; a file
// found under neither name changed since, and then nothing is undone.
// The job only paints between the look-ups here; its stop is read afterwards.
// `ahead` is the record's folder being read, while the rows are indexed here.
std::optional<std::vector<PlanEntry>> PairsToUndo(FolderReadAhead& ahead, const UndoRecord& undo,
                                                  const ListView& list, LongJob& job) {
  const int pairs = static_cast<int>(undo.pairs.size());
  const int rows = list.RowCount();
  // Reserved, not filled: a million empty names written in one piece would
  // hold the window while the folder's read begins beside it.
  std::vector<GbkText> names;
  names.reserve(rows);
  auto pause = [&job, pairs] { job(0, pairs); };
  NameIndex row_of(
      rows, [&names](int row) -> std::string_view { return names[row]; }, pause);
  for (int row = 0; row < rows; ++row) {
    job(0, pairs);
    names.push_back(list.Cell(row, 0));
    row_of.Insert(row, HashOf(names.back()));
  }

  // Where each pair's file is now: under its new name, its old one, or neither.
  constexpr char kUnderNew = 1, kUnderOld = 2;
  std::vector<char> where(pairs, 0);
  auto under = [&undo, &where](int pair, char name, const std::optional<FileIdentity>& identity) {
    if (identity == undo.pairs[pair].identity) where[pair] |= name;
  };
  NameIndex by_new(
      pairs, [&undo](int i) -> std::string_view { return undo.pairs[i].new_name; }, pause);
  NameIndex by_old(
      pairs, [&undo](int i) -> std::string_view { return undo.pairs[i].old_name; }, pause);
  // Each kind of name is distinct within a record, unless its journal was damaged.
  bool distinct = true;
  for (int i = 0; i < pairs; ++i) {
    job(0, pairs);
    const UndoPair& pair = undo.pairs[i];
    distinct = by_new.Insert(i, HashOf(pair.new_name)) < 0 &&
               by_old.Insert(i, HashOf(pair.old_name)) < 0 && distinct;
  }
  auto take = [&](std::string_view name, const FileIdentity& identity) {
    if (!distinct) return;
    const size_t hash = HashOf(name);
    if (int i = by_new.Find(name, hash); i >= 0) under(i, kUnderNew, identity);
    if (int i = by_old.Find(name, hash); i >= 0) under(i, kUnderOld, identity);
  };
  // Taken whole before any look-up, which the handle takes only once its
  // read is over; kept for the check of the plan these pairs make.
  if (!ahead.identities().TakeAll(take, pause, /*again=*/true) || !distinct) {
    // Not listed, or not by distinct names: each pair's names are looked up alone.
    FolderHandle& folder = *ahead.handle;
    for (int i = 0; i < pairs; ++i) {
      job(0, pairs);
      under(i, kUnderNew, folder.Identify(undo.pairs[i].new_name));
      under(i, kUnderOld, folder.Identify(undo.pairs[i].old_name));
    }
  }

  std::vector<PlanEntry> plan;
  plan.reserve(pairs);
  for (int i = 0; i < pairs; ++i) {
    const UndoPair& pair = undo.pairs[i];
    job(i, pairs);
    if (where[i] & kUnderNew) {
      plan.push_back({row_of.Find(pair.new_name, HashOf(pair.new_name)), pair.new_name,
                      pair.old_name, pair.identity});
    } else if (!(where[i] & kUnderOld)) {
      return std::nullopt;
    }
  }
  FreeAside(std::move(names));
  return plan;
}

GbkText ExportPath(const GbkText& folder) {
  return WithSeparator(folder) + Gbk("原文件名保存.txt");
}

}  // namespace

void UndoCommit(MainServices& services) {
  Form& form = services.form;
  static constexpr const char* kNoFolder = "路径都是空的，改什么？请选择路径";
  const GbkText folder = WorkingFolder(form);
  if (folder.empty()) {
    ShowReminder(services.messages, kNoFolder);
    return;
  }
  if (folder == GbkText(1, kPathSeparator)) {
    ShowReminder(services.messages, kNoFolder);
    SetWorkingFolder(form, GbkText());
    return;
  }
  if (!services.renames || services.renames->undo.empty()) {
    ShowReminder(services.messages, "你都没改过，撤什么？");
    return;
  }
  if (ReadProcessingMode(form) == ProcessingMode::Other) return;
  UndoHistory& history = services.renames->undo;
  UndoRecord& undo = history.Newest();
  bool readable = undo.loaded;
  if (!readable) {
    // A record a restart (or a newer run) left in its journal is read back
    // first, while the window paints: a million renames take seconds to read.
    LongJob reading(services.progress, Gbk("正在读取改名记录……"), 1);
    readable = LoadUndoRecord(services.renames->journal, undo, [&reading] { reading(0, 1); });
  }
  if (!readable) {
    // Nothing can be taken back from a journal that cannot be read; the one
    // before it is next.
    DropNewestRecord(services);
    ShowReminder(services.messages, kFilesChanged);
    return;
  }
  if (undo.folder != folder) {
    ShowReminder(services.messages, Gbk("上一次改名是在另一个文件夹里：\r\n") + undo.folder +
                                        Gbk("\r\n请先打开那个文件夹，再撤回。"));
    return;
  }
  // The list's order and rows do not matter: the files are found by identity.
  LongJob job(services.progress, Gbk("正在撤回上一步……"), static_cast<int>(undo.pairs.size()));
  // One read of the folder finds the pairs and serves the plan's check.
  std::unique_ptr<FolderReadAhead> ahead =
      ReadAhead(services.files, folder, static_cast<int>(undo.pairs.size()));
  std::optional<std::vector<PlanEntry>> plan;
  if (ahead) plan = PairsToUndo(*ahead, undo, services.list, job);
  if (!plan) {
    job.End();
    // Its files changed since: this rename can never be taken back, and
    // keeping it would stand in the way of the ones before it.
    DropNewestRecord(services);
    ShowReminder(services.messages, kFilesChanged);
    return;
  }
  if (plan->empty()) {  // undone already, by hand
    DropNewestRecord(services);
    return;
  }
  if (!job(0, static_cast<int>(plan->size()))) return;  // stopped before the renames began
  CarriedOut done =
      CarryOutPlan(services, folder, std::move(*plan), PreviewCell::Keep, {}, nullptr, ahead.get());
  FreeAside(std::move(ahead));
  // The names the preview values stand beside are back: their marks follow.
  if (done.started() && done.report.renamed > 0) {
    MarkFailingPreviews(services, [&job](int, int) { return job(1, 1); });
  }
  job.End();
  if (!done.started()) return;
  ForgetJournal(services, done);
  // Wholly taken back, the record goes and the one before is next. When some
  // pairs failed or a stop came first it stays: a second press takes back
  // the rest, skipping the pairs already back under their old names.
  if (done.report.failed == 0 && !done.report.stopped) DropNewestRecord(services);
  ShowFailures(services, done);
  FreeAside(std::move(done));
}

Result<std::string> ExportText(const ListView& list) {
  std::string text;
  const int rows = list.RowCount();
  for (int row = 0; row < rows; ++row) {
    GbkText name = list.Cell(row, 0);
    if (name.empty()) continue;
    Result<std::string> utf8 = InternalToUtf8(name);
    if (!utf8.ok()) return utf8.error();
    text += utf8.value();
    text += "\r\n";
  }
  return text;
}

void ExportNames(MainServices& services) {
  if (services.list.RowCount() == 0) {
    ShowReminder(services.messages, "没有什么可以保存的");
    return;
  }
  Result<std::string> text = ExportText(services.list);
  if (!text.ok()) {
    ShowReminder(services.messages, "保存失败");
    return;
  }
  if (services.files.WriteFileAtomically(ExportPath(services.files.ProgramFolder()), text.value())
          .ok()) {
    ShowReminder(services.messages,
                 "已将原文件名存入txt文档内，\r\n并已将txt文档保存到本软件的同级文件夹");
    return;
  }
  // A portable copy writes beside itself; an installed one lives in a system
  // folder it cannot write, so the file goes to the user's documents instead.
  const GbkText documents = services.files.DocumentsFolder();
  const GbkText path = documents.empty() ? GbkText() : ExportPath(documents);
  if (!path.empty() && services.files.WriteFileAtomically(path, text.value()).ok()) {
    ShowReminder(
        services.messages,
        Gbk("已将原文件名存入txt文档内。\r\n本软件所在的文件夹不能写入，txt文档已保存到：\r\n") +
            path);
    return;
  }
  ShowReminder(services.messages, "保存失败");
}

}  // namespace qm
