#include "cli/cli_output.h"

#include <unistd.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "base/encoding.h"

namespace qm::cli {
namespace {

struct Counts {
  int ok = 0;       // would rename, or renamed
  int failed = 0;   // would fail, or failed
  int not_run = 0;  // stopped before them
};

Counts CountOf(const Report& report) {
  Counts counts;
  report.ForEach([&counts](const EntryView& entry) {
    switch (entry.result) {
      case EntryResult::WouldRename:
      case EntryResult::Renamed:
        ++counts.ok;
        break;
      case EntryResult::WouldFail:
      case EntryResult::Failed:
        ++counts.failed;
        break;
      case EntryResult::NotRun:
        ++counts.not_run;
        break;
    }
  });
  return counts;
}

const char* ResultName(EntryResult result) {
  switch (result) {
    case EntryResult::WouldRename:
      return "would-rename";
    case EntryResult::WouldFail:
      return "would-fail";
    case EntryResult::Renamed:
      return "renamed";
    case EntryResult::Failed:
      return "failed";
    case EntryResult::NotRun:
      return "not-run";
  }
  return "";
}

bool Fails(EntryResult result) {
  return result == EntryResult::WouldFail || result == EntryResult::Failed;
}

std::string Summary(const Report& report, const Counts& counts) {
  const bool undo = report.command == "undo";
  std::string line;
  if (report.command == "recover") {
    return counts.failed > 0 ? std::to_string(counts.failed) + " could not be put back" : "done";
  }
  if (!report.applied) {
    line = std::to_string(counts.ok) + " to rename";
    if (counts.failed > 0) line += ", " + std::to_string(counts.failed) + " would fail";
    line += " (dry run: nothing was changed; add --apply to rename)";
    return line;
  }
  line = (undo ? "put back " : "renamed ") + std::to_string(counts.ok);
  if (counts.failed > 0) line += ", " + std::to_string(counts.failed) + " failed";
  if (counts.not_run > 0) line += ", " + std::to_string(counts.not_run) + " not done";
  if (report.stopped) line += " (stopped by Ctrl-C)";
  return line;
}

}  // namespace

std::string Utf8(const GbkText& text) { return Utf8(text.bytes()); }

std::string Utf8(std::string_view internal) {
  Result<std::string> utf8 = InternalToUtf8(internal);
  return utf8.ok() ? *utf8 : std::string("?");
}

namespace {

// UTF-8 into a buffer kept across a table's rows.
const char* Utf8Into(std::string_view internal, std::string& out) {
  if (!InternalToUtf8Into(internal, out)) out = "?";
  return out.c_str();
}

}  // namespace

bool UsesColour(FILE* stream) {
  const char* no_colour = std::getenv("NO_COLOR");
  if (no_colour != nullptr && *no_colour != '\0') return false;
  return ::isatty(::fileno(stream)) == 1;
}

void PrintText(const Report& report, FILE* out, FILE* err) {
  const bool colour = UsesColour(out);
  const bool err_colour = UsesColour(err);
  const char* red = colour ? "\033[31m" : "";
  const char* green = colour ? "\033[32m" : "";
  const char* dim = colour ? "\033[2m" : "";
  const char* reset = colour ? "\033[0m" : "";
  for (const GbkText& note : report.notes) {
    std::fprintf(err, "quillmere-cli: %s\n", Utf8(note).c_str());
  }
  // Each row goes out as it is read, through buffers kept from row to row.
  std::string old_name;
  std::string new_name;
  std::string reason;
  Counts counts;
  report.ForEach([&](const EntryView& entry) {
    const bool fails = Fails(entry.result);
    const bool not_run = entry.result == EntryResult::NotRun;
    ++(fails ? counts.failed : not_run ? counts.not_run : counts.ok);
    const char* mark = fails ? red : not_run ? dim : green;
    std::fprintf(out, "%s%s → %s%s", mark, Utf8Into(entry.old_name, old_name),
                 Utf8Into(entry.new_name, new_name), reset);
    if (fails) std::fprintf(out, "  %s✗ %s%s", red, Utf8Into(entry.reason, reason), reset);
    if (not_run) std::fputs("  (not done)", out);
    std::fputc('\n', out);
  });
  if (counts.failed > 0) {
    report.ForEach([&](const EntryView& entry) {
      if (!Fails(entry.result)) return;
      std::fprintf(err, "%s%s%s: %s\n", err_colour ? "\033[31m" : "",
                   Utf8Into(entry.old_name, old_name), err_colour ? "\033[0m" : "",
                   Utf8Into(entry.reason, reason));
    });
  }
  std::fprintf(out, "%s\n", Summary(report, counts).c_str());
}

// Written entry by entry, so that a hundred thousand entries never stand
// in memory as one document.
void PrintJson(const Report& report, FILE* out) {
  using nlohmann::json;
  auto put = [out](const json& value) { std::fputs(value.dump().c_str(), out); };
  std::fputs("{\"command\":", out);
  put(report.command);
  std::fputs(",\"folder\":", out);
  put(Utf8(report.folder));
  std::fprintf(out, ",\"applied\":%s,\n\"plan\":[", report.applied ? "true" : "false");
  const char* separator = "\n";
  report.ForEach([&](const EntryView& entry) {
    json item{{"old", Utf8(entry.old_name)}, {"new", Utf8(entry.new_name)}};
    if (!report.applied) {
      item["check"] = entry.result == EntryResult::WouldFail ? "fails" : "ok";
      if (Fails(entry.result)) item["reason"] = Utf8(entry.reason);
    }
    std::fputs(separator, out);
    put(item);
    separator = ",\n";
  });
  std::fputs("]", out);
  if (report.applied) {
    std::fputs(",\n\"outcome\":[", out);
    separator = "\n";
    report.ForEach([&](const EntryView& entry) {
      json item{{"old", Utf8(entry.old_name)},
                {"new", Utf8(entry.new_name)},
                {"result", ResultName(entry.result)}};
      if (Fails(entry.result)) item["reason"] = Utf8(entry.reason);
      std::fputs(separator, out);
      put(item);
      separator = ",\n";
    });
    std::fputs("]", out);
  }
  json notes = json::array();
  for (const GbkText& note : report.notes) notes.push_back(Utf8(note));
  std::fputs(",\n\"notes\":", out);
  put(notes);
  const Counts counts = CountOf(report);
  std::fputs(",\n\"summary\":", out);
  put({{"ok", counts.ok},
       {"failed", counts.failed},
       {"not_run", counts.not_run},
       {"stopped", report.stopped},
       {"exit_status", ExitStatus(report)}});
  std::fputs("}\n", out);
}

}  // namespace qm::cli
