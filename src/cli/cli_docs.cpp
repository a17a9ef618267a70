#include "cli/cli_docs.h"

#include <sstream>

#include "cli/operation_options.h"

namespace qm::cli {
namespace {

// roff treats a leading dot or quote as a request, and backslashes and
// hyphens specially.
std::string Roff(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') {
      escaped += "\\e";
    } else if (c == '-') {
      escaped += "\\-";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string RoffLines(std::string_view text) {
  std::string lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = Roff(text.substr(start, end - start));
    if (!line.empty() && (line[0] == '.' || line[0] == '\'')) line.insert(0, "\\&");
    lines += line + "\n";
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string ManPage(const std::string& version) {
  std::ostringstream man;
  man << ".TH QUILLMERE\\-CLI 1 \"\" \"quillmere " << version << "\" \"User Commands\"\n"
      << ".SH NAME\nquillmere\\-cli \\- rename many files or folders at once, from a terminal\n"
      << ".SH SYNOPSIS\n.B quillmere\\-cli\n.I COMMAND\n[\\fIOPTIONS\\fR] \\fIDIR\\fR\n.br\n"
      << ".B quillmere\\-cli map\n[\\fIOPTIONS\\fR] \\fINAMES.txt\\fR \\fIDIR\\fR\n.br\n"
      << ".B quillmere\\-cli undo\n\\fIDIR\\fR\n.br\n.B quillmere\\-cli recover\n"
      << ".SH DESCRIPTION\nThe operations of the Quillmere window, for scripts, terminals and "
         "servers. Each command lists the files (or, with \\fB\\-\\-folders\\fR, the subfolders) "
         "of \\fIDIR\\fR in the window's order, works out their new names exactly as the window "
         "does and prints old \\(-> new for every entry that changes, marking those that would "
         "fail with the reason. Nothing is renamed without \\fB\\-\\-apply\\fR. An applied run is "
         "journaled like the window's: \\fBquillmere\\-cli undo\\fR and the window's "
         "\\(lq撤回上一步\\(rq take it back, and a run cut short is offered for repair when the "
         "window next starts.\n"
      << ".SH COMMON OPTIONS\n"
      << ".TP\n.B \\-\\-apply\nRename; without it nothing is changed.\n"
      << ".TP\n.B \\-\\-folders\nWork on the subfolders of DIR instead of its files.\n"
      << ".TP\n.BI \\-\\-only \" EXT\"\nList only the files with this extension.\n"
      << ".TP\n.BI \\-\\-skip \" EXT\"\nLeave out the files with this extension.\n"
      << ".TP\n.B \\-\\-json\nPrint one JSON document: the plan, then the outcome per entry.\n"
      << ".SH COMMANDS\n";
  for (const CommandRow& command : Commands()) {
    man << ".SS " << Roff(command.command) << "\n" << RoffLines(command.summary);
    for (const OptionRow* option : OptionsOf(command.command)) {
      man << ".TP\n.B " << Roff(option->name)
          << (option->kind == OptionKind::Flag ? "" : " \\fIVALUE\\fR")
          << (IsRequired(command, *option) ? " (required)" : "") << "\n"
          << RoffLines(option->help);
    }
    man << ".PP\nExamples:\n.nf\n" << RoffLines(command.examples) << ".fi\n";
  }
  man << ".SS map\nRename the entries one to one after a text file of names, one a line, in "
         "list order.\n.TP\n.B \\-\\-with\\-extension\nThe names carry their extension; without "
         "it each entry keeps its own.\n.PP\nExample:\n.nf\nquillmere\\-cli map names.txt DIR "
         "\\-\\-apply\n.fi\n"
      << ".SS undo\nTake back the newest applied rename in DIR, made by this program or by the "
         "window.\n"
      << ".SS recover\nPut back the names of every run that never finished (a crash, a kill, a "
         "power loss), as the window offers when it starts.\n"
      << ".SH EXIT STATUS\n.TP\n0\nEverything asked was done, or nothing needed doing.\n"
      << ".TP\n1\nSome entries failed, or would fail; each reason is on standard error.\n"
      << ".TP\n2\nBad usage or input: an unknown option, a missing folder, a names file that "
         "cannot be read.\n.TP\n130\nStopped by Ctrl\\-C after the rename it was on; what was "
         "done is reported and can be undone, and the entries it never reached are reported "
         "as not done (\\fBnot\\-run\\fR with \\fB\\-\\-json\\fR).\n"
      << ".SH ENVIRONMENT\n.TP\n.B NO_COLOR\nWhen set, the output has no colours.\n"
      << ".TP\n.B XDG_STATE_HOME\nThe journals live in \\fI$XDG_STATE_HOME/quillmere\\fR "
         "(default \\fI~/.local/state/quillmere\\fR), shared with the window.\n"
      << ".SH SEE ALSO\n.BR quillmere (1)\n";
  return man.str();
}

std::string BashCompletion() {
  std::ostringstream bash;
  bash << "# bash completion for quillmere-cli, made from its own option tables\n"
       << "_quillmere_cli() {\n"
       << "  local cur=${COMP_WORDS[COMP_CWORD]} command=${COMP_WORDS[1]} words\n"
       << "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n    words=\"--help --version map undo recover";
  for (const CommandRow& command : Commands()) bash << " " << command.command;
  bash << "\"\n    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n    return\n  fi\n"
       << "  case $command in\n";
  for (const CommandRow& command : Commands()) {
    bash << "    " << command.command << ") words=\"";
    for (const OptionRow* option : OptionsOf(command.command)) {
      if (!IsPositional(*option)) bash << option->name << " ";
    }
    bash << "--apply --folders --only --skip --json --help\" ;;\n";
  }
  bash << "    map) words=\"--with-extension --apply --folders --only --skip --json --help\" ;;\n"
       << "    undo | recover) words=\"--json --help\" ;;\n  esac\n"
       << "  if [[ $cur == -* ]]; then\n"
       << "    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
       << "  else\n    COMPREPLY=($(compgen -f -- \"$cur\"))\n  fi\n}\n"
       << "complete -o filenames -F _quillmere_cli quillmere-cli\n";
  return bash.str();
}

std::string FishCompletion() {
  std::ostringstream fish;
  auto quoted = [](std::string_view text) {
    std::string out = "'";
    for (char c : text) {
      if (c == '\'' || c == '\\') out += '\\';
      out += c;
    }
    return out + "'";
  };
  fish << "# fish completion for quillmere-cli, made from its own option tables\n"
       << "complete -c quillmere-cli -f\n";
  auto command = [&](std::string_view name, std::string_view summary) {
    fish << "complete -c quillmere-cli -n __fish_use_subcommand -a " << name << " -d "
         << quoted(summary) << "\n";
  };
  auto option = [&](std::string_view name, std::string_view long_name, bool value,
                    std::string_view help) {
    fish << "complete -c quillmere-cli -n '__fish_seen_subcommand_from " << name << "' -l "
         << long_name.substr(2) << (value ? " -r" : "") << " -d " << quoted(help) << "\n";
  };
  auto common = [&](std::string_view name) {
    option(name, "--apply", false, "rename; without it nothing is changed");
    option(name, "--folders", false, "the subfolders, not the files");
    option(name, "--only", true, "only this extension");
    option(name, "--skip", true, "leave out this extension");
    option(name, "--json", false, "one JSON document");
    fish << "complete -c quillmere-cli -n '__fish_seen_subcommand_from " << name
         << "' -a '(__fish_complete_directories)'\n";
  };
  for (const CommandRow& row : Commands()) {
    command(row.command, row.summary);
    for (const OptionRow* one : OptionsOf(row.command)) {
      if (!IsPositional(*one))
        option(row.command, one->name, one->kind != OptionKind::Flag, one->help);
    }
    common(row.command);
  }
  command("map", "Rename the entries one to one after a file of names");
  option("map", "--with-extension", false, "the names carry their extension");
  common("map");
  fish << "complete -c quillmere-cli -n '__fish_seen_subcommand_from map' -F\n";
  command("undo", "Take back the newest rename in DIR");
  option("undo", "--json", false, "one JSON document");
  fish << "complete -c quillmere-cli -n '__fish_seen_subcommand_from undo' -a "
          "'(__fish_complete_directories)'\n";
  command("recover", "Put back the names of runs that never finished");
  option("recover", "--json", false, "one JSON document");
  return fish.str();
}

namespace {

// A word for zsh inside single quotes.
std::string ZshQuoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

// Text inside a zsh _arguments word, where brackets and colons have meanings of their own.
std::string ZshArgumentText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string ZshChoices(std::string_view choices) {
  std::string words = "(";
  for (char c : choices) words += c == '|' ? ' ' : c;
  return words + ")";
}

std::string ZshArgument(const OptionRow& option) {
  // A text argument has nothing to complete; the guard keeps its message
  // from standing in for the options while the word typed begins with "-".
  if (IsPositional(option)) {
    return ":" + ZshArgumentText(option.help) + ":_guard '^-*' " + ZshQuoted(option.help);
  }
  const std::string help = "[" + ZshArgumentText(option.help) + "]";
  switch (option.kind) {
    case OptionKind::Flag:
      return std::string(option.name) + help;
    case OptionKind::Choice:
      return std::string(option.name) + "=" + help + ":value:" + ZshChoices(option.choices);
    case OptionKind::Width:
      return std::string(option.name) + "=" + help + ":digits:(1 2 3 4 5 6)";
    case OptionKind::Text:
    case OptionKind::Typed:
    case OptionKind::Item:
      break;
  }
  return std::string(option.name) + "=" + help + ":value: ";
}

constexpr std::string_view kZshIntake[] = {
    "--apply[rename; without it nothing is changed]",
    "--folders[work on the subfolders of DIR, not its files]",
    "--only=[list only the files with this extension]:extension: ",
    "--skip=[leave out the files with this extension]:extension: ",
    "--json[print one JSON document]",
};

}  // namespace

std::string ZshCompletion() {
  std::ostringstream zsh;
  zsh << "#compdef quillmere-cli\n"
      << "# zsh completion for quillmere-cli, made from its own option tables\n\n"
      << "_quillmere_cli() {\n"
      << "  local curcontext=$curcontext state line ret=1\n"
      << "  local -a commands intake\n  commands=(\n";
  for (const CommandRow& command : Commands()) {
    zsh << "    " << ZshQuoted(std::string(command.command) + ":" + std::string(command.summary))
        << "\n";
  }
  zsh << "    'map:Rename the entries one to one after a file of names, one a line'\n"
      << "    'undo:Take back the newest rename in DIR, made here or in the window'\n"
      << "    'recover:Put back the names of runs that never finished'\n  )\n  intake=(\n";
  for (std::string_view argument : kZshIntake) zsh << "    " << ZshQuoted(argument) << "\n";
  zsh << "    '(- *)--help[print the help of the command]'\n  )\n"
      << "  _arguments -C \\\n"
      << "    '(- *)--help[print the help]' \\\n"
      << "    '(- *)--version[print the version]' \\\n"
      << "    '1:command:->command' \\\n"
      << "    '*::argument:->argument' && ret=0\n"
      << "  case $state in\n"
      << "    command) _describe -t commands 'quillmere-cli command' commands && ret=0 ;;\n"
      << "    argument)\n"
      << "      curcontext=${curcontext%:*:*}:quillmere-cli-$words[1]:\n"
      << "      case $words[1] in\n";
  for (const CommandRow& command : Commands()) {
    zsh << "        " << command.command << ")\n          _arguments -s $intake";
    for (const OptionRow* option : OptionsOf(command.command)) {
      zsh << " \\\n            " << ZshQuoted(ZshArgument(*option));
    }
    zsh << " \\\n            ':folder:_files -/' && ret=0 ;;\n";
  }
  zsh << "        map)\n          _arguments -s $intake \\\n"
      << "            '--with-extension[the names carry their extension]' \\\n"
      << "            ':names file:_files' ':folder:_files -/' && ret=0 ;;\n"
      << "        undo)\n          _arguments '--json[print one JSON document]' "
         "'(- *)--help[print the help of the command]' ':folder:_files -/' && ret=0 ;;\n"
      << "        recover)\n          _arguments '--json[print one JSON document]' "
         "'(- *)--help[print the help of the command]' && ret=0 ;;\n"
      << "      esac ;;\n  esac\n  return ret\n}\n\n"
      << "_quillmere_cli \"$@\"\n";
  return zsh.str();
}

}  // namespace qm::cli
