#include "rename/undo_export.h"

#include "platform/path_rules.h"
#include "rename/rename_run.h"
#include "text/gbk_text.h"
#include "workspace/folder_scan.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

void ShowReminder(Messages& messages, std::string_view utf8) {
  messages.Show(Gbk(utf8), Gbk("提醒："), Icon::Information, Buttons::Ok);
}

// The rows must still list the folder exactly, in scan order; otherwise the
// positions no longer pair with the record.
bool ListMatchesFolder(MainServices& services, const GbkText& folder, bool folder_mode,
                       const std::vector<GbkText>& names) {
  std::vector<GbkText> scanned =
      folder_mode
          ? ScanSubfolders(services.files, folder).names
          : ScanFiles(services.files, services.windows, folder, SearchPattern(services.form)).names;
  if (!folder_mode && scanned.empty()) {
    ShowReminder(services.messages, "枚举到的数组个数为0，无法操作");
    return false;
  }
  if (scanned.size() != names.size()) {
    ShowReminder(services.messages, "列表框现标题 和 枚举到的数组，无法操作");
    return false;
  }
  if (scanned != names) {
    ShowReminder(services.messages, "列表框现标题 和 枚举到的数组 不是完全相同的，不予操作");
    return false;
  }
  return true;
}

}  // namespace

void UndoCommit(MainServices& services, const UndoRecord& undo) {
  Form& form = services.form;
  ListView& list = services.list;
  static constexpr std::string_view kNoFolder = "路径都是空的，改什么？请选择路径";
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
  if (undo.empty()) {
    ShowReminder(services.messages, "你都没改过，撤什么？");
    return;
  }
  ProcessingMode mode = ReadProcessingMode(form);
  if (mode == ProcessingMode::Other) return;
  const bool folder_mode = mode == ProcessingMode::Folders;

  const int rows = list.RowCount();
  // Begun before the folder check: its scan lets the window paint, and the
  // list must not change under the check.
  LongJob job(services.progress, Gbk("正在撤回上一步……"), rows);
  std::vector<GbkText> names;
  names.reserve(rows);
  for (int row = 0; row < rows; ++row) names.push_back(list.Cell(row, 0));

  // A scan by the search pattern finds the committed names only when the
  // first entry kept its extension.
  if (rows > 0 && ExtensionOf(names[0]) == ExtensionOf(undo.old_names[0]) &&
      !ListMatchesFolder(services, folder, folder_mode, names)) {
    return;
  }
  job(0, rows);  // the scan ends with a sort that does not pump: paint before going on
  if (rows != static_cast<int>(undo.old_names.size())) {
    ShowReminder(services.messages, "列表框现标题数量 和 撤回数组的数量不一致，无法操作");
    return;
  }
  // Every row must still hold the name the commit gave it (or, after an
  // earlier undo, its old name again); a row moved or renamed since would
  // otherwise take another file's old name.
  for (int j = 0; j < rows; ++j) {
    const GbkText& name = names[j];
    const GbkText& new_name =
        j < static_cast<int>(undo.new_names.size()) ? undo.new_names[j] : GbkText();
    if (name.empty() || name == new_name || name == undo.old_names[j]) continue;
    ShowReminder(services.messages, "列表框现标题 和 上一次执行后的文件名 不一致，不予操作");
    return;
  }
  for (int j = 0; j < rows; ++j) {
    if (!job(j, rows)) break;
    GbkText name = list.Cell(j, 0);
    const GbkText& old_name = undo.old_names[j];
    if (name.empty() || old_name.empty() || name == old_name) continue;
    if (!RenameInFolder(services.files, folder, name, old_name)) continue;
    list.SetCell(j, 0, old_name);
  }
}

std::string ExportText(const ListView& list) {
  std::string text;
  const int rows = list.RowCount();
  for (int row = 0; row < rows; ++row) {
    GbkText name = list.Cell(row, 0);
    if (name.empty()) continue;
    text += name;
    text += "\r\n";
  }
  return text;
}

void ExportNames(MainServices& services) {
  if (services.list.RowCount() == 0) {
    ShowReminder(services.messages, "没有什么可以保存的");
    return;
  }
  std::string text = ExportText(services.list);
  GbkText path = services.files.ProgramFolder();
  if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
  path += Gbk("原文件名保存.txt");
  if (services.files.WriteFileAtomically(path, text).ok()) {
    ShowReminder(services.messages,
                 "已将原文件名存入txt文档内，\r\n并已将txt文档保存到本软件的同级文件夹");
  } else {
    ShowReminder(services.messages, "保存失败");
  }
}

}  // namespace qm
