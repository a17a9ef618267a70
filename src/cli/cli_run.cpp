#include "cli/cli_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <unordered_map>

#include "base/encoding.h"
#include "cli/cli_ports.h"
#include "mapped/mapped_rename.h"
#include "platform/free_aside.h"
#include "platform/media/media_file_info.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"
#include "rename/carry_out.h"
#include "rename/journal_recovery.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "rename/rename_journal.h"
#include "rename/undo_export.h"
#include "text/gbk_text.h"
#include "workspace/folder_intake.h"
#include "workspace/intake_guard.h"
#include "workspace/workspace_handlers.h"
#include "workspace/workspace_values.h"

namespace qm::cli {
namespace {

// The main window's ports, held in memory around the real file system and
// the journals the window itself reads.
struct Session {
  explicit Session(bool terminal) : progress(terminal) {}
  MemoryForm form;
  MemoryList list{2};  // the names and the preview column
  CollectedMessages messages;
  NoWindows windows;
  PosixFileSystem files;
  PosixJournalStore posix_journal{PosixJournalStore::DefaultFolder()};
  GuardedJournals journal{posix_journal};
  CollectedFailures failures;
  UndoHistory undo;
  RenameContext renames{undo, journal};
  TerminalProgress progress;
  MediaFileInfoReader file_info;
  MainServices services{form,     list,     messages,  windows,   files,
                        &renames, progress, &failures, &file_info};
};

// The program's own texts, which are valid UTF-8.
GbkText Internal(std::string_view utf8) { return utf8.empty() ? GbkText() : Gbk(utf8); }

// What the command line gave, which may be anything: bytes that are not
// UTF-8 are refused rather than guessed at.
std::optional<GbkText> Argument(const std::string& value, std::string_view what, Report& report) {
  Result<GbkText> internal = Utf8ToInternal(value);
  if (internal.ok()) return *internal;
  report.refusal = std::string(what) + " is not valid UTF-8";
  return std::nullopt;
}

std::string OneLine(const GbkText& text) {
  Result<std::string> utf8 = InternalToUtf8(text);
  std::string line = utf8.ok() ? *utf8 : std::string(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

// The folder as the window holds it: absolute, internal, with the separator.
std::optional<GbkText> ResolveFolder(const std::string& typed, Report& report) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (typed.empty() || ::realpath(typed.c_str(), resolved) == nullptr ||
      ::stat(resolved, &info) != 0 || !S_ISDIR(info.st_mode)) {
    report.refusal = "no such folder: " + typed;
    return std::nullopt;
  }
  Result<GbkText> folder = Utf8ToInternal(resolved);
  if (!folder.ok()) {
    report.refusal = "the folder's path is not valid UTF-8: " + typed;
    return std::nullopt;
  }
  GbkText path = *folder;
  if (path.back() != '/') path += '/';
  return path;
}

// The window as it opens, in the mode and with the filters asked for.
bool PrepareWindow(Session& session, const Intake& intake, Report& report) {
  OnMainWindowCreated(session.services);
  Form& form = session.form;
  form.SetText(Control::组合框2, Gbk(intake.folders ? "处理文件夹" : "处理文件"));
  std::optional<GbkText> only = Argument(intake.only, "--only", report);
  std::optional<GbkText> skip = Argument(intake.skip, "--skip", report);
  if (!only || !skip) return false;
  form.SetText(Control::组合框_仅检索, *only);
  if (!skip->empty()) {
    if (skip->front() != '.') skip->insert(skip->begin(), '.');
    form.ClearComboItems(Control::组合框_跳过扩展);
    form.AddComboItem(Control::组合框_跳过扩展, *skip);
    form.SetComboIndex(Control::组合框_跳过扩展, 0);
  }
  return true;
}

void TakeNotes(const Session& session, size_t from, Report& report) {
  for (size_t i = from; i < session.messages.shown.size(); ++i) {
    report.notes.push_back(session.messages.shown[i].text);
  }
}

// Reads the folder into the list as 按钮_手动读取 would.
bool ReadEntries(Session& session, const GbkText& folder, Report& report) {
  IntakeGuard guard;
  ReadFolder(session.services, guard, folder);
  if (WorkingFolder(session.form).empty()) {  // refused, the desktop for one
    report.refusal = session.messages.shown.empty() ? "the folder was refused"
                                                    : OneLine(session.messages.shown.back().text);
    return false;
  }
  TakeNotes(session, 0, report);
  return true;
}

bool SetOptions(Session& session, const CommandRow& command, const Request& request,
                Report& report) {
  Form& form = session.form;
  if (command.ticks) form.SetChecked(*command.ticks, true);
  if (command.unticks) form.SetChecked(*command.unticks, false);
  for (const OptionRow* option : OptionsOf(command.command)) {
    auto given = request.options.find(std::string(option->name));
    if (given == request.options.end()) continue;
    std::optional<GbkText> converted = Argument(given->second, option->name, report);
    if (!converted) return false;
    const GbkText& value = *converted;
    switch (option->kind) {
      case OptionKind::Text:
        form.SetText(*option->control, value);
        break;
      case OptionKind::Typed:
        form.SetComboIndex(*option->control, -1);
        form.SetText(*option->control, value);
        break;
      case OptionKind::Item:
        form.ClearComboItems(*option->control);
        form.AddComboItem(*option->control, value);
        form.SetComboIndex(*option->control, 0);
        break;
      case OptionKind::Flag:
        if (option->control) form.SetChecked(*option->control, true);
        if (option->partner) form.SetChecked(*option->partner, false);
        break;
      case OptionKind::Choice: {
        std::optional<int> index = ChoiceIndex(*option, given->second);
        if (!index) {
          report.refusal = std::string(option->name) + " takes one of " +
                           std::string(option->choices) + ", not \"" + given->second + "\"";
          return false;
        }
        form.SetComboIndex(*option->control, *index);
        break;
      }
      case OptionKind::Width:  // no field: the operation is built with it
        break;
    }
  }
  return true;
}

const CommandRow* FindCommand(std::string_view name) {
  for (const CommandRow& command : Commands()) {
    if (command.command == name) return &command;
  }
  return nullptr;
}

// From here on the session renames: the journals open for writing, and the
// finished runs' ones are loaded, so that this run's record takes its place
// among them and the oldest leave, as they do in the window.
void OpenForRenames(Session& session) {
  session.journal.writable = true;
  for (UndoRecord& record : FinishedRecords(session.journal)) {
    for (const std::string& gone : session.undo.Add(std::move(record))) {
      session.journal.Remove(gone);
    }
  }
}

// The failure window's rows by the name each failed under: a run where most
// of a hundred thousand entries fail looks each up once.
using FailureIndex = std::map<GbkText, const FailedRename*>;

FailureIndex IndexFailures(const Session& session) {
  FailureIndex failures;
  for (const FailedRename& failed : session.failures.failed) {
    failures.emplace(failed.old_name, &failed);
  }
  return failures;
}

const FailedRename* FailureOf(const FailureIndex& failures, const GbkText& old_name) {
  auto found = failures.find(old_name);
  return found == failures.end() ? nullptr : found->second;
}

// Each row's outcome after a mapped rename: a renamed row of `list` shows its
// new name and no preview; a failed one is listed in the failure window.
void ReadOutcomes(const Session& session, const ListView& list, const std::vector<int>& rows,
                  Report& report) {
  const FailureIndex failures = IndexFailures(session);
  for (size_t i = 0; i < rows.size(); ++i) {
    EntryReport& entry = report.entries[i];
    if (entry.new_name.empty()) {  // no new name was made: the reason stands
      entry.result = EntryResult::Failed;
    } else if (list.Cell(rows[i], 0) == entry.new_name && list.Cell(rows[i], 1).empty()) {
      entry.result = EntryResult::Renamed;
    } else if (const FailedRename* failed = FailureOf(failures, entry.old_name)) {
      entry.result = EntryResult::Failed;
      entry.reason = failed->reason;
    } else {
      entry.result = EntryResult::NotRun;
    }
  }
}

Report ReportFor(const Request& request, bool applied) {
  Report report;
  report.command = request.command;
  report.applied = applied;
  return report;
}

// A run that renamed at once, in list order: a renamed row shows its new
// name, and the run's undo record holds its pairs in the same order; a
// failure is in the failure window. The names move from the record into the
// report, and the record leaves memory: its journal keeps it for undo, and
// the program ends with this run. Renames and failures of entries that no
// row holds (a subfolder made since the list was read) come last.
// Names by view, each with its position in the vector that holds it.
using NameIndex = std::map<std::string_view, int>;

// A run stopped by Ctrl-C: the entries of its plan it never reached, as its
// journal tells them (its plan, and a mark per entry done), in plan order;
// those that failed are the failure window's. Empty when the run wrote no
// plan: it stopped before its new names were all made.
std::vector<std::pair<GbkText, GbkText>> NotReached(Session& session, const NameIndex& failures) {
  std::vector<std::pair<GbkText, GbkText>> not_reached;
  std::optional<std::string> bytes = session.journal.LastPlan();
  std::optional<JournalContent> plan = bytes ? ParseJournal(*bytes) : std::nullopt;
  if (!plan) return not_reached;
  std::sort(plan->entries.begin(), plan->entries.end(),
            [](const JournalEntry& a, const JournalEntry& b) { return a.index < b.index; });
  for (JournalEntry& entry : plan->entries) {
    if (plan->done.count(entry.index) != 0 || failures.count(entry.from.bytes()) != 0) continue;
    not_reached.emplace_back(std::move(entry.from), std::move(entry.to));
  }
  return not_reached;
}

// What an applied run did, kept for the output: the renamed pairs, the
// failures and the entries not reached, and the order to show them in.
struct DirectOutcomes {
  std::vector<UndoPair> renamed;
  std::vector<FailedRename> failed;
  std::vector<std::pair<GbkText, GbkText>> not_reached;
  struct Item {
    EntryResult result;
    int index;  // into the vector of its result
  };
  std::vector<Item> order;
};

// A run that renamed at once, in list order: a renamed row shows its new
// name, and the run's undo record holds its pairs in the same order; a
// failure is in the failure window; after Ctrl-C, an entry not reached still
// shows its old name. The names move from the record and the failure window
// into the report, and the record leaves memory: its journal keeps it for
// undo, and the program ends with this run. Entries that no row holds (a
// subfolder made since the list was read) come last.
void ReadDirectOutcomes(Session& session, const std::string& newest_before, Report& report) {
  auto outcomes = std::make_shared<DirectOutcomes>();
  std::vector<UndoPair>& pairs = outcomes->renamed;
  if (!session.undo.empty() && session.undo.Newest().journal_id != newest_before) {
    pairs = std::move(session.undo.Newest().pairs);
  }
  session.undo.clear();
  outcomes->failed = std::move(session.failures.failed);
  NameIndex failures;
  for (size_t i = 0; i < outcomes->failed.size(); ++i) {
    failures.emplace(outcomes->failed[i].old_name.bytes(), static_cast<int>(i));
  }
  if (report.stopped) outcomes->not_reached = NotReached(session, failures);
  NameIndex not_reached;
  for (size_t i = 0; i < outcomes->not_reached.size(); ++i) {
    not_reached.emplace(outcomes->not_reached[i].first.bytes(), static_cast<int>(i));
  }
  std::vector<DirectOutcomes::Item>& order = outcomes->order;
  order.reserve(pairs.size() + failures.size() + not_reached.size());
  size_t next = 0;
  for (int row = 0; row < session.list.RowCount(); ++row) {
    const std::string_view now = session.list.CellView(row, 0);
    if (next < pairs.size() && now == pairs[next].new_name.bytes()) {
      order.push_back({EntryResult::Renamed, static_cast<int>(next++)});
    } else if (auto failed = failures.find(now); failed != failures.end()) {
      order.push_back({EntryResult::Failed, failed->second});
      failures.erase(failed);
    } else if (auto left = not_reached.find(now); left != not_reached.end()) {
      order.push_back({EntryResult::NotRun, left->second});
      not_reached.erase(left);
    }
  }
  for (; next < pairs.size(); ++next) {
    order.push_back({EntryResult::Renamed, static_cast<int>(next)});
  }
  for (size_t i = 0; i < outcomes->failed.size(); ++i) {
    if (failures.count(outcomes->failed[i].old_name.bytes()) != 0) {
      order.push_back({EntryResult::Failed, static_cast<int>(i)});
    }
  }
  for (const auto& [name, index] : not_reached) order.push_back({EntryResult::NotRun, index});
  std::sort(order.end() - static_cast<std::ptrdiff_t>(not_reached.size()), order.end(),
            [](const DirectOutcomes::Item& a, const DirectOutcomes::Item& b) {
              return a.index < b.index;
            });
  report.rows = [outcomes](const EntryVisitor& each) {
    for (const DirectOutcomes::Item& item : outcomes->order) {
      switch (item.result) {
        case EntryResult::Renamed: {
          const UndoPair& pair = outcomes->renamed[item.index];
          each({pair.old_name.bytes(), pair.new_name.bytes(), EntryResult::Renamed, {}});
          break;
        }
        case EntryResult::Failed: {
          const FailedRename& failed = outcomes->failed[item.index];
          each({failed.old_name.bytes(), failed.new_name.bytes(), EntryResult::Failed,
                failed.reason.bytes()});
          break;
        }
        default: {
          const auto& [old_name, new_name] = outcomes->not_reached[item.index];
          each({old_name.bytes(), new_name.bytes(), EntryResult::NotRun, {}});
          break;
        }
      }
    }
  };
}

}  // namespace

void Report::ForEach(const EntryVisitor& each) const {
  if (rows) {
    rows(each);
    return;
  }
  for (const EntryReport& entry : entries) {
    each({entry.old_name.bytes(), entry.new_name.bytes(), entry.result, entry.reason.bytes()});
  }
}

int ExitStatus(const Report& report) {
  if (report.refusal) return 2;
  if (report.stopped) return 130;
  if (report.journal_failed) return 1;
  bool fails = false;
  report.ForEach([&fails](const EntryView& entry) {
    fails = fails || entry.result == EntryResult::WouldFail || entry.result == EntryResult::Failed;
  });
  return fails ? 1 : 0;
}

namespace {

// Runs the operation as its button would. The run's own checks speak before
// it prepares the operation; what the last of them said is why it did not
// start, and a refusal that comes with the prepared operation (a numbering
// that cannot count) stops it too.
void RunAsTheButton(Session& session, const OperationEntry& entry, OperationDefinition definition,
                    Report& report) {
  bool prepared = false;
  auto prepare = definition.prepare;
  definition.prepare = [&](MainServices& services, bool folder_mode) {
    prepared = true;
    PreparedOperation operation = prepare(services, folder_mode);
    if (operation.after_question && operation.after_question->stops_run) {
      report.refusal = OneLine(operation.after_question->notice.text);
    } else if (operation.after_question) {
      report.notes.push_back(operation.after_question->notice.text);
    }
    return operation;
  };
  const size_t shown = session.messages.shown.size();
  RenameRun(entry.profile, definition, session.services);
  // What the run handed over to be freed beside it is freed before the
  // report is made, so the two are never held at once.
  WaitUntilAsideDone();
  if (!prepared) {
    report.refusal = session.messages.shown.size() > shown
                         ? OneLine(session.messages.shown.back().text)
                         : std::string("the run did not start");
  }
  report.stopped = InterruptRequested();
}

// The preview column as the report's entries, read from the list, which
// the report keeps: a row marked without a new name is one the operation
// could make none for.
void ShowPreview(std::shared_ptr<Session> session, Report& report) {
  report.rows = [session](const EntryVisitor& each) {
    const MemoryList& list = session->list;
    for (int row = 0; row < list.RowCount(); ++row) {
      const std::string_view new_name = list.CellView(row, 1);
      const GbkText* problem = list.MarkOf(row, 1);
      if (new_name.empty() && problem == nullptr) continue;
      if (problem == nullptr) {
        each({list.CellView(row, 0), new_name, EntryResult::WouldRename, {}});
      } else {
        each({list.CellView(row, 0), new_name, EntryResult::WouldFail, problem->bytes()});
      }
    }
  };
}

// A journal that cannot be written stops a run before its first rename: the
// window's reminder, shown since `shown`, says why, and the run failed.
void NoteJournalFailure(const Session& session, size_t shown, Report& report) {
  if (!session.journal.write_failed) return;
  report.journal_failed = true;
  TakeNotes(session, shown, report);
}

// An applied run renames as the window does with its preview closed: each
// name is made, the plan checked once and carried out through the journal,
// with no preview column to fill and check again first. An operation
// without a preview (its names are drawn as it renames) renames only so.
void RunDirect(Session& session, const OperationEntry& entry, OperationDefinition definition,
               Report& report) {
  session.list.RemoveColumn(1);
  OpenForRenames(session);
  const std::string newest_before = session.undo.empty() ? "" : session.undo.Newest().journal_id;
  const size_t shown = session.messages.shown.size();
  RunAsTheButton(session, entry, std::move(definition), report);
  if (report.refusal) return;
  ReadDirectOutcomes(session, newest_before, report);
  NoteJournalFailure(session, shown, report);
  if (report.stopped && !session.journal.WrotePlan()) {
    report.notes.push_back(
        Internal("stopped before the new names were all made: nothing was renamed"));
  }
}

std::optional<int> ReadWidth(const std::string& typed) {
  int width = 0;
  const char* end = typed.data() + typed.size();
  auto [stop, error] = std::from_chars(typed.data(), end, width);
  if (error != std::errc() || stop != end || width < 1 || width > kMaxWidth) return std::nullopt;
  return width;
}

// The registry's definition, as the window builds it, unless an option the
// window has no field for asks for another.
std::optional<OperationDefinition> DefinitionFor(const CommandRow& command,
                                                 const OperationEntry& entry,
                                                 const Request& request, Report& report) {
  for (const OptionRow* option : OptionsOf(command.command)) {
    auto given = request.options.find(std::string(option->name));
    if (option->kind != OptionKind::Width || given == request.options.end()) continue;
    std::optional<int> width = ReadWidth(given->second);
    if (!width) {
      report.refusal = std::string(option->name) + " takes a whole number from 1 to " +
                       std::to_string(kMaxWidth) + ", not \"" + given->second + "\"";
      return std::nullopt;
    }
    return command.with_width(*width);
  }
  return entry.definition();
}

}  // namespace

Report RunRenameCommand(const Request& request) {
  Report report = ReportFor(request, request.apply);
  const CommandRow* command = FindCommand(request.command);
  if (command == nullptr) {
    report.refusal = "unknown command: " + request.command;
    return report;
  }
  const OperationEntry& entry = EntryOf(command->operation);
  std::optional<OperationDefinition> definition = DefinitionFor(*command, entry, request, report);
  if (!definition) return report;
  std::optional<GbkText> folder = ResolveFolder(request.folder, report);
  if (!folder) return report;
  report.folder = *folder;
  auto kept = std::make_shared<Session>(request.terminal);
  Session& session = *kept;
  if (!PrepareWindow(session, request.intake, report)) return report;
  if (!ReadEntries(session, *folder, report)) return report;
  if (!SetOptions(session, *command, request, report)) return report;
  if (request.apply) {
    RunDirect(session, entry, std::move(*definition), report);
    return report;
  }
  if (entry.profile.confirmation == Confirmation::AskNoPreview) {
    report.notes.push_back(
        Internal("this operation has no preview: its new names are drawn as it renames; "
                 "add --apply to rename"));
    return report;
  }
  // A dry run commits nothing, so it keeps no note of the files it saw.
  session.renames.notes_previewed = false;
  // With the preview open the run only writes the new names beside the old.
  session.form.SetText(Control::按钮_打开预览, Gbk("关闭预览"));
  RunAsTheButton(session, entry, std::move(*definition), report);
  if (!report.refusal) ShowPreview(std::move(kept), report);
  return report;
}

Report RunMapCommand(const Request& request) {
  Report report = ReportFor(request, request.apply);
  std::optional<GbkText> folder = ResolveFolder(request.folder, report);
  if (!folder) return report;
  report.folder = *folder;
  Session session(request.terminal);
  if (!PrepareWindow(session, request.intake, report)) return report;

  Result<GbkText> names_path = Utf8ToInternal(request.names_file);
  Result<std::string> bytes = names_path.ok()
                                  ? session.files.ReadFile(*names_path, kNameFileLimit + 1)
                                  : Result<std::string>(names_path.error());
  if (!bytes.ok()) {
    report.refusal =
        "cannot read the names file " + request.names_file + ": " + bytes.error().message;
    return report;
  }
  if (bytes->size() > kNameFileLimit) {
    report.refusal = "the names file is larger than 64 MiB: " + request.names_file;
    return report;
  }
  if (!ReadEntries(session, *folder, report)) return report;

  MemoryList mapped(2);
  std::vector<GbkText> names;
  for (int row = 0; row < session.list.RowCount(); ++row)
    names.push_back(session.list.Cell(row, 0));
  FillMappedList(mapped, names);
  const std::vector<GbkText> lines = NameFileLines(*bytes);
  WriteNewNames(mapped, lines);
  if (lines.size() != names.size()) {
    report.notes.push_back(Internal(std::to_string(lines.size()) + " names for " +
                                    std::to_string(names.size()) +
                                    " entries: those without a partner stay as they are"));
  }

  std::vector<PlanEntry> plan;
  std::vector<int> rows;
  for (int row = 0; row < mapped.RowCount(); ++row) {
    if (auto entry = MappedEntry(mapped, row, request.with_extension)) {
      plan.push_back(std::move(*entry));
      rows.push_back(row);
    }
  }
  std::vector<EntryOutcome> checked(plan.size());
  if (auto handle = session.files.OpenFolder(*folder); handle.ok() && !plan.empty()) {
    checked = CheckPlan(**handle, plan).outcomes;
  }
  for (size_t i = 0; i < plan.size(); ++i) {
    const bool fails = checked[i].state == EntryState::Failed;
    report.entries.push_back({plan[i].from, plan[i].to,
                              fails ? EntryResult::WouldFail : EntryResult::WouldRename,
                              fails ? FailureText(checked[i].failure) : GbkText()});
  }
  if (!request.apply || plan.empty()) return report;

  OpenForRenames(session);
  MappedServices services{mapped, session.messages, session.services, session.progress};
  const size_t shown = session.messages.shown.size();
  MappedRename(services, request.with_extension);
  report.stopped = InterruptRequested();
  ReadOutcomes(session, mapped, rows, report);
  NoteJournalFailure(session, shown, report);
  return report;
}

Report RunUndoCommand(const Request& request) {
  Report report = ReportFor(request, true);
  std::optional<GbkText> folder = ResolveFolder(request.folder, report);
  if (!folder) return report;
  report.folder = *folder;
  Session session(request.terminal);
  PrepareWindow(session, {}, report);
  std::optional<UndoRecord> record = NewestRecordIn(session.journal, *folder);
  if (!record) {
    report.notes.push_back(Internal("nothing to undo in this folder"));
    return report;
  }
  const std::vector<UndoPair> pairs = record->pairs;
  session.undo.Add(std::move(*record));
  SetWorkingFolder(session.form, *folder);
  session.journal.writable = true;
  UndoCommit(session.services);
  report.stopped = InterruptRequested();
  TakeNotes(session, 0, report);

  auto handle = session.files.OpenFolder(*folder);
  const FailureIndex failures = IndexFailures(session);
  for (const UndoPair& pair : pairs) {
    EntryReport entry{pair.new_name, pair.old_name, EntryResult::NotRun, {}};
    if (handle.ok() && (*handle)->Identify(pair.old_name) == pair.identity) {
      entry.result = EntryResult::Renamed;
    } else if (report.stopped && handle.ok() &&
               (*handle)->Identify(pair.new_name) == pair.identity) {
      entry.result = EntryResult::NotRun;
    } else if (const FailedRename* failed = FailureOf(failures, pair.new_name)) {
      entry.result = EntryResult::Failed;
      entry.reason = failed->reason;
    } else {
      entry.result = EntryResult::Failed;
      entry.reason = report.notes.empty() ? Gbk("没有撤回") : report.notes.back();
    }
    report.entries.push_back(std::move(entry));
  }
  return report;
}

Report RunRecoverCommand(const Request& request) {
  Report report = ReportFor(request, true);
  Session session(request.terminal);
  PrepareWindow(session, {}, report);
  session.journal.writable = true;
  ResumeAfterStart(session.services);
  if (session.messages.asked.empty()) {
    report.notes.push_back(Internal("no unfinished run to put back"));
  }
  TakeNotes(session, 0, report);
  for (const FailedRename& failed : session.failures.failed) {
    report.entries.push_back(
        {failed.old_name, failed.new_name, EntryResult::Failed, failed.reason});
  }
  return report;
}

}  // namespace qm::cli
