#include "filetools/delete_listed.h"

#include "base/path_rules.h"
#include "text/gbk_text.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

constexpr const char* kPermanentQuestion =
    "确定删除吗？此操作不可撤回！\r\n机械硬盘只能用恢复软件恢复！\r\n固态硬盘将永久不可恢复！";

bool TrashChosen(const Form& form) { return form.IsChecked(Control::单选框18); }

Answer Ask(Messages& messages, bool folders, bool to_trash) {
  const char* question = !to_trash ? kPermanentQuestion
                         : folders ? "确定删除吗？"
                                   : "确定删除到回收站吗？";
  return messages.Show(Gbk(question), Gbk("提示"), Icon::None, Buttons::OkCancel);
}

bool DeleteOne(MainServices& services, bool folders, const GbkText& path) {
  if (TrashChosen(services.form)) return services.files.MoveToTrash(path).ok();
  if (folders) return services.files.RemoveFolderTree(path).ok();
  return services.files.RemoveFile(path).ok();
}

}  // namespace

void DeleteListed(MainServices& services) {
  ProcessingMode mode = ReadProcessingMode(services.form);
  if (mode == ProcessingMode::Other) return;
  bool folders = mode == ProcessingMode::Folders;
  ListView& list = services.list;
  if (list.RowCount() == 0) {
    services.messages.Show(Gbk(folders ? "列表框是空的" : "列表框是空的，请先拖入文件！"),
                           Gbk("提示"), Icon::Information, Buttons::Ok);
    return;
  }
  GbkText folder = WorkingFolder(services.form);
  if (!IsUsableFolder(folder)) {
    services.messages.Show(Gbk("路径呢？请先拖入文件！"), {}, Icon::Information, Buttons::Ok);
    return;
  }
  const int rows = list.RowCount();
  int first = 0;
  while (first < rows && list.Cell(first, 0).empty()) ++first;
  if (first == rows) return;
  if (Ask(services.messages, folders, TrashChosen(services.form)) == Answer::Cancel) return;
  LongJob job(services.progress, Gbk("正在删除……"), rows);
  int deleted = 0;
  bool stopped = false;
  for (int row = first; row < rows; ++row) {
    if (!job(row, rows)) {
      stopped = true;
      break;
    }
    GbkText name = list.Cell(row, 0);
    if (IsEntryName(name) && DeleteOne(services, folders, folder + name)) ++deleted;
  }
  job.End();
  // A finished run reports nothing; a stopped one says what is gone and what is not.
  if (stopped) {
    services.messages.Show(Gbk("已停止。删除了") + ToText(deleted) + Gbk("个，其余的没有删除。"),
                           Gbk("提示"), Icon::Information, Buttons::Ok);
  }
}

}  // namespace qm
