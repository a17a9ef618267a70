#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "cli/operation_options.h"

namespace qm::cli {

// Where the entries come from: the window's intake with its filters.
struct Intake {
  bool folders = false;  // the subfolders, not the files
  std::string only;      // 仅检索扩展名, UTF-8; empty: every name
  std::string skip;      // 跳过扩展名, UTF-8; empty: none skipped
};

// What was asked, in UTF-8 as the command line gave it.
struct Request {
  std::string command;
  std::string folder;  // as typed
  Intake intake;
  bool apply = false;
  bool terminal = false;  // standard error is a terminal: a progress bar may show
  // Rename commands: the given options by name (flags with an empty value).
  std::map<std::string, std::string> options;
  // map: the names file and whether its names carry their extension.
  std::string names_file;
  bool with_extension = false;
};

enum class EntryResult {
  WouldRename,  // a dry run's entry that passes the check
  WouldFail,    // a dry run's entry that the check refuses
  Renamed,      // undo: put back
  Failed,
  NotRun,  // stopped before it, or left as it was
};

struct EntryReport {
  GbkText old_name;
  GbkText new_name;
  EntryResult result = EntryResult::NotRun;
  GbkText reason;  // WouldFail and Failed
};

// One entry as the output reads it, viewing texts the report holds.
struct EntryView {
  std::string_view old_name;  // internal text, as every name here
  std::string_view new_name;
  EntryResult result = EntryResult::NotRun;
  std::string_view reason;
};

using EntryVisitor = std::function<void(const EntryView&)>;

struct Report {
  std::string command;
  GbkText folder;
  bool applied = false;
  // The entries, in order: these, unless `rows` is set, which reads them
  // where the run left them, as often as the output asks, so that a table of
  // a hundred thousand rows is printed without a second copy of it.
  std::vector<EntryReport> entries;
  std::function<void(const EntryVisitor&)> rows;
  void ForEach(const EntryVisitor& each) const;
  std::vector<GbkText> notes;  // what the run said on the way
  // Bad usage or input, in one line; nothing was changed.
  std::optional<std::string> refusal;
  bool stopped = false;  // Ctrl-C
  // Its journal could not be written, so nothing was renamed; the notes say why.
  bool journal_failed = false;
};

// The exit status the report stands for: 0 all done (or nothing to do), 1
// some entries failed or would fail (or none could be renamed), 2 bad usage
// or input, 130 stopped.
int ExitStatus(const Report& report);

Report RunRenameCommand(const Request& request);
Report RunMapCommand(const Request& request);
Report RunUndoCommand(const Request& request);
// Puts back the names of runs that never finished (a crash, a kill, a power
// loss), as the window offers when it starts.
Report RunRecoverCommand(const Request& request);

}  // namespace qm::cli
