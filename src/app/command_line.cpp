#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#include "app/main_handlers.h"
#include "app/main_window.h"
#include "base/encoding.h"
#include "platform/main_services.h"
#include "platform/reminder.h"
#include "text/gbk_text.h"

#ifndef QM_VERSION
#define QM_VERSION "unknown"
#endif

namespace qm {

CommandLine ParseCommandLine(const std::vector<std::string_view>& arguments) {
  CommandLine line;
  std::vector<std::string_view> folders;
  bool help = false, version = false, options_ended = false;
  for (std::string_view argument : arguments) {
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && (argument == "--help" || argument == "-h")) {
      help = true;
    } else if (!options_ended && (argument == "--version" || argument == "-v")) {
      version = true;
    } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      line.action = CommandLine::Action::Misuse;
      line.problem = "unknown option " + std::string(argument);
      return line;
    } else {
      folders.push_back(argument);
    }
  }
  if (help) {
    line.action = CommandLine::Action::Help;
  } else if (version) {
    line.action = CommandLine::Action::Version;
  } else if (folders.size() > 1) {
    line.action = CommandLine::Action::Misuse;
    line.problem = "only one folder can be opened at a time";
  } else if (folders.size() == 1) {
    line.folder = std::string(folders.front());
    line.has_folder = true;
  }
  return line;
}

std::string UsageText() {
  return "Usage: quillmere [FOLDER]\n"
         "       quillmere --help | --version\n";
}

std::string HelpText() {
  return UsageText() +
         "\n"
         "Quillmere renames many files or folders at once, with a preview and undo.\n"
         "Quillmere 批量改名：一次改名多个文件或文件夹，可预览，可撤回。\n"
         "\n"
         "  FOLDER          open with the entries of FOLDER in the list\n"
         "  -h, --help      show this help and exit\n"
         "  -v, --version   show the version and exit\n"
         "  --              end of options: the next argument is a folder\n";
}

std::string_view ProgramVersion() { return QM_VERSION; }

std::string VersionText() { return "quillmere " + std::string(ProgramVersion()) + "\n"; }

void OpenStartFolder(MainWindow& window, const std::string& folder) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(folder, error).lexically_normal();
  if (error || !std::filesystem::is_directory(path, error)) {
    ShowReminder(window.services().messages,
                 Gbk("不是文件夹，无法读取：\r\n") + Utf8ToInternalLenient(folder));
    return;
  }
  std::string native = path.string();
  // "/a/b/" normalises with its trailing separator; the intake adds its own.
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  auto internal = Utf8ToInternal(native);
  if (!internal) {
    ShowReminder(
        window.services().messages,
        Gbk("文件夹的路径不是有效的 UTF-8 编码，无法读取：\r\n") + Utf8ToInternalLenient(native));
    return;
  }
  window.handlers().FolderGiven(*internal);
}

}  // namespace qm
