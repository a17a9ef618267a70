#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

class MainWindow;

// What the program was asked to do on its command line.
struct CommandLine {
  enum class Action {
    Open,     // show the window, with folder read into the list when given
    Help,     // print HelpText() and exit 0
    Version,  // print VersionText() and exit 0
    Misuse,   // print problem and UsageText() to stderr and exit 2
  };
  Action action = Action::Open;
  std::string folder;  // as given; empty when none was
  bool has_folder = false;
  std::string problem;
};

// arguments: everything after the program's own name. "--" ends the options,
// so a folder whose name starts with "-" can still be given.
CommandLine ParseCommandLine(const std::vector<std::string_view>& arguments);

// The version the build was made from, as in "16.3".
std::string_view ProgramVersion();
std::string HelpText();
std::string VersionText();
std::string UsageText();

// Reads folder (the command line's argument, relative to the current folder)
// into the window's list as the folder button does with a chosen folder. A
// path that is no readable folder only gets a message.
void OpenStartFolder(MainWindow& window, const std::string& folder);

}  // namespace qm
