#include <malloc.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <deque>
#include <string>

#include "cli/cli_docs.h"
#include "cli/cli_output.h"
#include "cli/cli_ports.h"
#include "cli/cli_run.h"
#include "cli/operation_options.h"

namespace {

using qm::cli::Request;

constexpr const char* kProgramExamples =
    "Examples:\n"
    "  quillmere-cli replace --find 第 --with \"Lesson \" ~/课程\n"
    "  quillmere-cli number --start 1 --width 2 --separator \"、\" DIR --apply\n"
    "  quillmere-cli to-simplified --folders DIR\n"
    "  quillmere-cli regex '(\\d+)' 'EP$1' DIR\n"
    "  quillmere-cli map names.txt DIR --apply\n"
    "  quillmere-cli undo DIR\n"
    "  quillmere-cli recover        # after a crash: the names of unfinished runs back\n"
    "\nWithout --apply nothing is renamed: the new names are only shown.\n"
    "Exit status: 0 done or nothing to do, 1 some entries failed, 2 bad usage or input.";

// What every command that lists a folder takes.
struct Common {
  std::string folder;
  std::string only;
  std::string skip;
  bool folders = false;
  bool apply = false;
  bool json = false;
};

void AddIntake(CLI::App& command, Common& common) {
  command.add_flag("--folders", common.folders, "work on the subfolders of DIR, not its files");
  command.add_option("--only", common.only, "list only the files with this extension")
      ->type_name("EXT");
  command.add_option("--skip", common.skip, "leave out the files with this extension")
      ->type_name("EXT");
  command.add_flag("--apply", common.apply, "rename; without it nothing is changed");
  command.add_flag("--json", common.json, "print one JSON document");
}

std::string Footer(std::string_view examples) {
  std::string footer = "Examples:\n";
  size_t start = 0;
  while (start < examples.size()) {
    size_t end = examples.find('\n', start);
    if (end == std::string_view::npos) end = examples.size();
    footer += "  " + std::string(examples.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  return footer + "\nWithout --apply nothing is renamed.";
}

int Finish(const qm::cli::Report& report, bool json) {
  if (report.refusal) {
    std::fprintf(stderr, "quillmere-cli: %s\n", report.refusal->c_str());
    return qm::cli::ExitStatus(report);
  }
  if (json) {
    qm::cli::PrintJson(report, stdout);
    report.ForEach([](const qm::cli::EntryView& entry) {
      if (!entry.reason.empty()) {
        std::fprintf(stderr, "%s: %s\n", qm::cli::Utf8(entry.old_name).c_str(),
                     qm::cli::Utf8(entry.reason).c_str());
      }
    });
  } else {
    qm::cli::PrintText(report, stdout, stderr);
  }
  return qm::cli::ExitStatus(report);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Blocks of 4 MiB and more (a plan, a check's outcomes, an undo record of
  // a hundred thousand entries) go back to the system once freed. By default
  // the threshold rises with every large block freed, and what one step of a
  // run frees then stays resident beneath the next step's; smaller blocks
  // are still reused in place, which saves touching fresh pages.
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
  // A table of a hundred thousand lines goes out in large writes, also to a
  // terminal: nothing is printed until the run is over anyway.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  CLI::App app{
      "Rename many files or folders at once: the operations of the Quillmere window, "
      "for scripts and terminals.",
      "quillmere-cli"};
  app.set_version_flag("--version", "quillmere-cli " QM_VERSION);
  app.require_subcommand(0, 1);
  app.footer(kProgramExamples);
  bool man = false;
  bool completion = false;
  bool fish = false;
  bool zsh = false;
  app.add_flag("--man-page", man, "print the manual page")->group("");
  app.add_flag("--bash-completion", completion, "print the bash completion")->group("");
  app.add_flag("--fish-completion", fish, "print the fish completion")->group("");
  app.add_flag("--zsh-completion", zsh, "print the zsh completion")->group("");

  Common common;
  // One storage place per option row; a deque keeps them where CLI11 points.
  std::deque<std::string> values;
  std::deque<bool> flags;
  struct Given {
    CLI::App* command;
    const qm::cli::OptionRow* option;
    const std::string* value;
  };
  std::vector<Given> given;
  for (const qm::cli::CommandRow& row : qm::cli::Commands()) {
    CLI::App* command = app.add_subcommand(std::string(row.command), std::string(row.summary));
    command->footer(Footer(row.examples));
    for (const qm::cli::OptionRow* option : qm::cli::OptionsOf(row.command)) {
      const std::string name(option->name);
      if (option->kind == qm::cli::OptionKind::Flag) {
        flags.push_back(false);
        command->add_flag(name, flags.back(), std::string(option->help));
        given.push_back({command, option, nullptr});
        continue;
      }
      values.emplace_back();
      CLI::Option* added = command->add_option(name, values.back(), std::string(option->help));
      added->type_name(option->kind == qm::cli::OptionKind::Width ? "N" : "TEXT")
          ->required(qm::cli::IsRequired(row, *option));
      given.push_back({command, option, &values.back()});
    }
    command->add_option("DIR", common.folder, "the folder whose entries are renamed")->required();
    AddIntake(*command, common);
  }

  std::string names_file;
  bool with_extension = false;
  CLI::App* map =
      app.add_subcommand("map", "Rename the entries one to one after a file of names, one a line");
  map->add_option("NAMES", names_file, "the names, one a line, in list order")->required();
  map->add_option("DIR", common.folder, "the folder whose entries are renamed")->required();
  map->add_flag("--with-extension", with_extension,
                "the names carry their extension; without it each entry keeps its own");
  AddIntake(*map, common);
  map->footer(Footer("quillmere-cli map names.txt DIR\nquillmere-cli map names.txt DIR --apply"));

  CLI::App* undo =
      app.add_subcommand("undo", "Take back the newest rename in DIR, made here or in the window");
  undo->add_option("DIR", common.folder, "the folder")->required();
  undo->add_flag("--json", common.json, "print one JSON document");
  undo->footer(Footer("quillmere-cli undo DIR"));

  CLI::App* recover = app.add_subcommand(
      "recover", "Put back the names of runs that never finished (a crash, a kill)");
  recover->add_flag("--json", common.json, "print one JSON document");
  recover->footer(Footer("quillmere-cli recover"));

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "quillmere-cli: %s (see quillmere-cli --help)\n", error.what());
    return 2;
  }
  if (man) {
    std::fputs(qm::cli::ManPage(QM_VERSION).c_str(), stdout);
    return 0;
  }
  if (completion) {
    std::fputs(qm::cli::BashCompletion().c_str(), stdout);
    return 0;
  }
  if (fish) {
    std::fputs(qm::cli::FishCompletion().c_str(), stdout);
    return 0;
  }
  if (zsh) {
    std::fputs(qm::cli::ZshCompletion().c_str(), stdout);
    return 0;
  }
  if (app.get_subcommands().empty()) {
    std::fprintf(stderr, "quillmere-cli: no command given (see quillmere-cli --help)\n");
    return 2;
  }
  CLI::App* chosen = app.get_subcommands().front();

  Request request;
  request.command = chosen->get_name();
  request.folder = common.folder;
  request.intake = {common.folders, common.only, common.skip};
  request.apply = common.apply;
  request.terminal = ::isatty(STDERR_FILENO) == 1;
  qm::cli::CatchInterrupt();
  if (chosen == recover) return Finish(qm::cli::RunRecoverCommand(request), common.json);
  if (chosen == undo) return Finish(qm::cli::RunUndoCommand(request), common.json);
  if (chosen == map) {
    request.names_file = names_file;
    request.with_extension = with_extension;
    return Finish(qm::cli::RunMapCommand(request), common.json);
  }
  for (const Given& option : given) {
    if (option.command != chosen || chosen->count(std::string(option.option->name)) == 0) continue;
    request.options[std::string(option.option->name)] = option.value ? *option.value : "";
  }
  return Finish(qm::cli::RunRenameCommand(request), common.json);
}
