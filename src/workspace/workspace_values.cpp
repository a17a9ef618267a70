#include "workspace/workspace_values.h"

#include <cstdlib>

#include "base/encoding.h"
#include "base/path_rules.h"
#include "text/gbk_text.h"

namespace qm {

bool IsUsableFolder(const GbkText& folder) {
  if (folder.size() < 2 || folder.back() != kPathSeparator) return false;
  if constexpr (kNativePathRules == PathRules::Posix) return folder[0] == '/';
  return folder.size() >= 3 && folder[1] == ':';
}

bool IsEntryName(const GbkText& name) {
  return !name.empty() && name != "." && name != ".." && name.find(kPathSeparator) == GbkText::npos;
}

GbkText WorkingFolder(const Form& form) { return form.Text(Control::标签2); }

void SetWorkingFolder(Form& form, const GbkText& folder) { form.SetText(Control::标签2, folder); }

ProcessingMode ReadProcessingMode(const Form& form) {
  static const GbkText files = Gbk("处理文件");
  static const GbkText folders = Gbk("处理文件夹");
  static const GbkText dropped = Gbk("拖几个改几个");
  GbkText mode = form.Text(Control::组合框2);
  if (mode == files) return ProcessingMode::Files;
  if (mode == folders) return ProcessingMode::Folders;
  if (mode == dropped) return ProcessingMode::Dropped;
  return ProcessingMode::Other;
}

bool PreviewModeOn(const Form& form) {
  static const GbkText on = Gbk("关闭预览");
  return form.Text(Control::按钮_打开预览) == on;
}

bool IsDesktopFolder(const GbkText& folder) { return Find(folder, "Desktop", 1, true) != -1; }

namespace {

// For a UTF-8 path from the environment and an internal one alike.
template <class Path>
Path WithoutTrailingSeparators(Path path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
  return path;
}

// The value between the quotes, with its backslash escapes undone.
std::string QuotedValue(std::string_view text) {
  std::string value;
  if (text.empty() || text.front() != '"') return value;
  for (size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    value += text[i];
  }
  return value;
}

}  // namespace

std::string DesktopFromUserDirs(std::string_view user_dirs, const std::string& home) {
  static constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
  std::string desktop;
  size_t start = 0;
  while (start < user_dirs.size()) {
    size_t end = user_dirs.find('\n', start);
    if (end == std::string_view::npos) end = user_dirs.size();
    std::string_view line = user_dirs.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (!line.starts_with(kKey)) continue;
    std::string value = QuotedValue(line.substr(kKey.size()));
    // The file allows a path below $HOME or an absolute path, nothing else.
    if (value.starts_with("$HOME") && (value.size() == 5 || value[5] == '/')) {
      desktop = home + value.substr(5);
    } else if (value.starts_with('/')) {
      desktop = value;
    }
  }
  desktop = WithoutTrailingSeparators(desktop);
  if (desktop == WithoutTrailingSeparators(home)) return {};
  return desktop;
}

GbkText UserDesktopFolder(FileSystem& files) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return {};
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder =
      config != nullptr && *config == '/' ? config : std::string(home) + "/.config";
  Result<GbkText> home_internal = Utf8ToInternal(home);
  Result<GbkText> path = Utf8ToInternal(folder + "/user-dirs.dirs");
  if (!home_internal.ok() || !path.ok()) return {};
  // A settings file of a few lines; anything past that is not one.
  Result<std::string> text = files.ReadFile(path.value(), 1 << 20);
  if (!text.ok()) return {};
  Result<GbkText> desktop = Utf8ToInternal(DesktopFromUserDirs(text.value(), home));
  return desktop.ok() ? desktop.value() : GbkText();
}

bool IsFolderOrBelow(const GbkText& folder, const GbkText& outer) {
  if (outer.empty()) return false;
  GbkText inner = WithoutTrailingSeparators(folder);
  return inner == outer ||
         (inner.size() > outer.size() && inner.starts_with(outer) &&
          (inner[outer.size()] == kPathSeparator || outer.back() == kPathSeparator));
}

}  // namespace qm
