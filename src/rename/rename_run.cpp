#include "rename/rename_run.h"

#include <memory>
#include <unordered_map>

#include "base/path_rules.h"
#include "platform/free_aside.h"
#include "rename/carry_out.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "text/gbk_text.h"
#include "workspace/folder_intake.h"
#include "workspace/folder_scan.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

struct Entry {
  int row = -1;  // -1: a scanned subfolder that no row of the list holds
  GbkText name;
};

GbkText Internal(std::string_view utf8) { return utf8.empty() ? GbkText() : Gbk(utf8); }

void Show(Messages& messages, std::string_view text, std::string_view title,
          Icon icon = Icon::Information) {
  messages.Show(Internal(text), Internal(title), icon, Buttons::Ok);
}

bool Ask(Messages& messages, std::string_view question) {
  return messages.Show(Gbk(question), Gbk("提示"), Icon::Information, Buttons::OkCancel) ==
         Answer::Ok;
}

void ShowPreviewNotice(Messages& messages) {
  static const GbkText notice =
      Gbk("提示：你开启了预览功能，所以没有直接更名，\r\n"
          "请看预览区结果，确认无误后点\"确认无误，执行吧\"！");
  messages.Show(notice, Gbk("提示"), Icon::Information, Buttons::Ok);
}

bool AnyEmpty(const Form& form, const std::vector<Control>& controls) {
  for (Control control : controls) {
    if (form.Text(control).empty()) return true;
  }
  return false;
}

// Returns nullopt when the job is asked to stop.
std::optional<std::vector<Entry>> ListEntries(const ListView& list, LongJob& job) {
  std::vector<Entry> entries;
  int rows = list.RowCount();
  entries.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    if (!job(row, rows)) return std::nullopt;
    GbkText name = list.Cell(row, 0);
    if (!name.empty()) entries.push_back({row, std::move(name)});
  }
  return entries;
}

// Each scanned subfolder is paired with the row that holds its name, never
// with a row by position: a list reordered since the intake would otherwise
// receive another folder's new name, and a commit would then apply it.
std::vector<Entry> ScannedEntries(const ListView& list, std::vector<GbkText> names) {
  std::unordered_map<GbkText, int> row_of;
  for (int row = list.RowCount() - 1; row >= 0; --row) {
    GbkText name = list.Cell(row, 0);
    if (!name.empty()) row_of[std::move(name)] = row;
  }
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (GbkText& name : names) {
    auto found = row_of.find(name);
    entries.push_back({found == row_of.end() ? -1 : found->second, std::move(name)});
  }
  return entries;
}

// An entry for which the operation could make no new name.
struct NotMade {
  int row = -1;
  FailedRename failure;
};

std::vector<FailedRename> Failures(std::vector<NotMade> not_made) {
  std::vector<FailedRename> failures;
  failures.reserve(not_made.size());
  for (NotMade& entry : not_made) failures.push_back(std::move(entry.failure));
  return failures;
}

EntryContext ContextOf(const Entry& entry, int index, int count, bool folder_mode) {
  EntryContext context;
  context.row = entry.row;
  context.index = index;
  context.count = count;
  context.folder_mode = folder_mode;
  context.name = entry.name;
  if (folder_mode) {
    context.stem = entry.name;
  } else {
    context.stem = FileNameOf(entry.name, false);
    context.extension = ExtensionOf(entry.name);
  }
  return context;
}

const GbkText& TransformText(const EntryContext& context, TransformInput input) {
  return input == TransformInput::WholeName ? context.name : context.stem;
}

// The skip-extension rule: whether the operation applies the skip filter now.
bool AppliesSkipFilter(SkipRule rule, bool searching_every_name) {
  return rule == SkipRule::Always || (rule == SkipRule::WhenListingAll && searching_every_name);
}

// Asks or informs as the confirmation style says; false when the user cancels
// or the count finds nothing to do.
bool Confirm(const RunProfile& profile, const PreparedOperation& prepared,
             const std::vector<Entry>& entries, bool folder_mode, MainServices& services) {
  Messages& messages = services.messages;
  switch (profile.confirmation) {
    case Confirmation::AskUnlessPreview:
      if (entries.empty()) return true;
      if (PreviewModeOn(services.form)) {
        ShowPreviewNotice(messages);
        return true;
      }
      return Ask(messages, "确定更名吗？");
    case Confirmation::AskDirectUnlessPreview:
      if (PreviewModeOn(services.form)) {
        ShowPreviewNotice(messages);
        return true;
      }
      return Ask(messages, "将直接更名，确定吗？");
    case Confirmation::CountThenAsk: {
      int count = 0;
      if (prepared.count_first) {
        int total = static_cast<int>(entries.size());
        for (int k = 0; k < total; ++k) {
          EntryContext context = ContextOf(entries[k], k, total, folder_mode);
          if (prepared.count_first->would_change(TransformText(context, prepared.input), context))
            ++count;
        }
      }
      if (count == 0) {
        if (prepared.count_first) {
          Notice zero = prepared.count_first->zero_message(folder_mode);
          messages.Show(zero.text, zero.title, zero.icon, Buttons::Ok);
        }
        return false;
      }
      if (PreviewModeOn(services.form)) {
        ShowPreviewNotice(messages);
        return true;
      }
      Notice question = prepared.count_first->question(count, folder_mode);
      return messages.Show(question.text, question.title, question.icon, Buttons::OkCancel) ==
             Answer::Ok;
    }
    case Confirmation::AskFirst:
      return true;  // asked before the entries were collected
    case Confirmation::AskNoPreview:
      if (entries.empty()) return true;
      return Ask(messages, "不提供预览功能，将直接改名，确定吗？");
  }
  return false;
}

// Steps before any entry is read: input checks, the folder checks, the
// operation's own validation. False when a check stopped the run.
bool PassesChecks(const RunProfile& profile, const OperationDefinition& operation,
                  MainServices& services) {
  Form& form = services.form;
  Messages& messages = services.messages;
  bool inputs_missing = AnyEmpty(form, profile.required_inputs);
  bool refused = profile.folder_handling == FolderHandling::Refused &&
                 ReadProcessingMode(form) == ProcessingMode::Folders;
  auto refuses_at = [&](RefusalPoint point) {
    if (!refused || profile.refusal_point != point) return false;
    Show(messages, profile.refusal_message, profile.refusal_title);
    return true;
  };
  auto input_missing_at = [&](InputOrder order) {
    if (!inputs_missing || profile.input_order != order) return false;
    Show(messages, profile.input_message, profile.input_title);
    return true;
  };

  if (input_missing_at(InputOrder::BeforeFolderCheck)) return false;
  if (refuses_at(RefusalPoint::AfterInputCheck)) return false;
  GbkText folder = WorkingFolder(form);
  if (folder.empty()) {
    Show(messages, profile.empty_folder_message, profile.empty_folder_title);
    return false;
  }
  if (refuses_at(RefusalPoint::AfterEmptyFolderCheck)) return false;
  if (input_missing_at(InputOrder::AfterFolderCheck)) return false;
  if (RefuseDesktopFolder(services)) return false;
  if (folder == GbkText(1, kPathSeparator)) {
    Show(messages, profile.no_folder_message, "提示");
    return false;
  }
  if (refuses_at(RefusalPoint::AfterNoFolderCheck)) return false;
  if (operation.validate && !operation.validate(services)) return false;
  return true;
}

}  // namespace

std::optional<Notice> ResultMessage(ResultStyle style, Icon icon, int count) {
  static const GbkText nothing = Gbk("没有任何改动");
  static const GbkText nothing_title = Gbk("没有改动");
  static const GbkText results_title = Gbk("修改成果提示");
  if (style == ResultStyle::None) return std::nullopt;
  if (style == ResultStyle::TotalChanged) {
    return Notice{Gbk("总共更改") + ToText(count) + Gbk("个"), Gbk("更名数量"), icon};
  }
  if (count == 0) return Notice{nothing, nothing_title, icon};
  switch (style) {
    case ResultStyle::WillBeRenamed:
      return Notice{Gbk("一共有") + ToText(count) + Gbk("个文件将被更名"), results_title, icon};
    case ResultStyle::RenamedSuccessfully:
      return Notice{Gbk("一共有") + ToText(count) + Gbk("个文件被改名成功"), results_title, icon};
    case ResultStyle::Renamed:
      return Notice{Gbk("一共有") + ToText(count) + Gbk("个文件被改名"), results_title, icon};
    case ResultStyle::Deleted:
      return Notice{Gbk("删掉了") + ToText(count) + Gbk("个"), results_title, icon};
    case ResultStyle::None:
    case ResultStyle::TotalChanged:
      break;  // answered above
  }
  return std::nullopt;
}

RunEnd RenameRun(const RunProfile& profile, const OperationDefinition& operation,
                 MainServices& services) {
  Form& form = services.form;
  ListView& list = services.list;
  Messages& messages = services.messages;

  if (!PassesChecks(profile, operation, services)) return RunEnd::Stopped;
  ProcessingMode mode = ReadProcessingMode(form);
  if (mode == ProcessingMode::Other) return RunEnd::Stopped;
  bool folder_mode = mode == ProcessingMode::Folders;
  const GbkText folder = WorkingFolder(form);

  if (profile.confirmation == Confirmation::AskFirst && !Ask(messages, "确定更名吗？"))
    return RunEnd::Stopped;

  PreparedOperation prepared = operation.prepare(services, folder_mode);
  if (prepared.stopped) return RunEnd::Stopped;

  std::vector<Entry> entries;
  if (folder_mode && profile.folder_handling == FolderHandling::SubfolderScan) {
    entries = ScannedEntries(list, ScanSubfolders(services.files, folder).names);
  } else {
    // A long list is read while the window paints; the job keeps its rows as they are.
    LongJob reading(services.progress, Gbk("正在读取列表……"), list.RowCount());
    std::optional<std::vector<Entry>> listed = ListEntries(list, reading);
    if (!listed) return RunEnd::Stopped;
    entries = std::move(*listed);
  }

  bool checks_empty_list = profile.empty_list_check == EmptyListCheck::BothModes ||
                           (profile.empty_list_check == EmptyListCheck::FileMode && !folder_mode);
  if (checks_empty_list && entries.empty()) {
    Show(messages, "列表框是空的！", "提示");
    return RunEnd::Stopped;
  }

  if (!Confirm(profile, prepared, entries, folder_mode, services)) return RunEnd::Stopped;
  if (prepared.after_question) {
    const Notice& notice = prepared.after_question->notice;
    messages.Show(notice.text, notice.title, notice.icon, Buttons::Ok);
    if (prepared.after_question->stops_run) return RunEnd::Stopped;
  }

  // Read once: the message boxes are modal, so nothing changes during the loop.
  const bool preview_mode = PreviewModeOn(form);
  // Operations that ask AskNoPreview offer no preview: they rename even while it is open.
  const bool preview = preview_mode && profile.confirmation != Confirmation::AskNoPreview;
  const bool skipping = AppliesSkipFilter(profile.skip_rule, SearchPattern(form) == "*.*");
  const SkipFilter skip = ReadSkipFilter(form);
  const bool shows_progress = operation.shows_progress && !folder_mode && !preview;

  if (preview) RecordPreviewFolder(services, folder);
  const int total = static_cast<int>(entries.size());
  LongJob job(services.progress, Gbk(preview ? "正在生成预览……" : "正在更名……"), total);
  // A run that renames makes a new undo record: the newest goes back to its
  // journal before the plan is made, so the two are never held at once.
  if (!preview) UnloadNewestRecord(services);
  // The folder is read while the new names are made.
  std::unique_ptr<FolderReadAhead> ahead =
      preview ? nullptr : ReadAhead(services.files, folder, total);
  // A preview only writes its names beside the old ones and notes the rows
  // it wrote: the check reads them from the list, so no plan is held twice.
  std::vector<PlanEntry> plan;
  std::vector<bool> written;
  if (preview) {
    written.resize(list.RowCount());
  } else {
    plan.reserve(total);
  }
  std::vector<NotMade> not_made;
  bool stopped = false;
  for (int k = 0; k < total; ++k) {
    if (!job(k, total)) {
      stopped = true;
      break;
    }
    Entry& entry = entries[k];
    EntryContext context = ContextOf(entry, k, total, folder_mode);
    if (!folder_mode && skipping && skip.Skips(context.extension)) continue;
    const GbkText& text = TransformText(context, prepared.input);
    NameResult made = prepared.transform(text, context);
    if (!made.failure.empty()) {
      not_made.push_back({entry.row, {entry.name, {}, std::move(made.failure)}});
      continue;
    }
    std::optional<GbkText>& result = made.text;
    if (!result || *result == text) continue;
    if (result->empty() && !prepared.allow_empty_result) continue;
    GbkText new_name = !folder_mode && prepared.input == TransformInput::StemInFileMode
                           ? *result + context.extension
                           : std::move(*result);
    if (new_name.empty() || new_name == entry.name) continue;

    if (preview) {
      // A scanned subfolder that no row holds has nowhere to show its new name.
      if (entry.row >= 0) {
        list.SetCell(entry.row, 1, new_name);
        written[entry.row] = true;
      }
      continue;
    }
    plan.push_back({entry.row, std::move(entry.name), std::move(new_name), std::nullopt});
  }
  // The names are in the plan or the list now: the entries leave before the
  // check, the largest step, begins.
  FreeAside(std::move(entries));
  if (preview) {
    // Stopped, the rows written so far keep their earlier marks until the
    // next preview or commit checks them.
    if (stopped) return RunEnd::Stopped;
    MarkFailingPreviews(
        services, [&job, total](int, int) { return job(total, total); }, written);
    // After the marks of the check, which clear every row outside the plan.
    for (const NotMade& entry : not_made) {
      if (entry.row >= 0) list.MarkCell(entry.row, 1, entry.failure.reason);
    }
    return RunEnd::Previewed;
  }
  // Stopped before the renames began: nothing is renamed, and the result says so.
  if (stopped) {
    plan.clear();
    not_made.clear();
  }

  // The transforms only collected; the plan renames, so that entries which
  // depend on each other (shifts, swaps) succeed whatever the list order.
  if (shows_progress) {
    form.SetProgressRange(Control::进度条1, 0, 100);
    form.SetProgressValue(Control::进度条1, 0);
    form.SetVisible(Control::进度条1, true);
  }
  PlanProgress bar;
  if (shows_progress) {
    bar = [&form](int done, int all) {
      form.SetProgressValue(Control::进度条1,
                            static_cast<int>(static_cast<int64_t>(done) * 100 / all));
      return true;
    };
  }
  CarriedOut done =
      CarryOutPlan(services, folder, std::move(plan), PreviewCell::Keep, bar, nullptr, ahead.get());
  // A listing still being read (the run stopped before its check) is waited for aside.
  FreeAside(std::move(ahead));
  if (shows_progress) form.SetVisible(Control::进度条1, false);
  // A run with the preview open renames the names the preview values stand beside.
  if (done.started() && done.report.renamed > 0) {
    MarkFailingPreviews(services, [&job, total](int, int) { return job(total, total); });
  }
  RecordForUndo(services, folder, done, [&job, total](int, int) { return job(total, total); });
  job.End();
  if (!done.started()) {
    FreeAside(std::move(done));
    return RunEnd::Ran;
  }
  const int renamed = done.report.renamed;

  if (!preview_mode) {
    ResultStyle style = folder_mode ? profile.folder_result : profile.file_result;
    Icon icon = folder_mode ? profile.folder_result_icon : profile.file_result_icon;
    if (auto result = ResultMessage(style, icon, renamed)) {
      messages.Show(result->text, result->title, result->icon, Buttons::Ok);
    }
  }
  ShowFailures(services, done, Failures(std::move(not_made)));
  FreeAside(std::move(done));
  return RunEnd::Ran;
}

}  // namespace qm
