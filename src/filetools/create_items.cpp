#include "filetools/create_items.h"

#include "base/path_rules.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

const GbkText& Hint() {
  static const GbkText hint = Gbk("将在这里创建");
  return hint;
}

void Tell(Messages& messages, const char* utf8_text, const char* utf8_title) {
  messages.Show(Gbk(utf8_text), Gbk(utf8_title), Icon::Information, Buttons::Ok);
}

// A typed folder is taken as it stands only when it is absolute: a relative
// one would land in whatever folder the program was started from.
bool IsAbsolute(const GbkText& path) {
  if constexpr (kNativePathRules == PathRules::Posix) return !path.empty() && path[0] == '/';
  return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool CreateOne(FileSystem& files, const GbkText& target, const GbkText& stem,
               const GbkText& choice) {
  if (choice.empty() || choice == CreateFoldersChoice()) {
    return files.CreateFolder(target + stem).ok();
  }
  // A typed choice holding a separator would reach outside the target folder.
  if (choice.find(kPathSeparator) != GbkText::npos) return false;
  return files.CreateNewFile(target + stem + choice, kCreatedFileContent).ok();
}

}  // namespace

const GbkText& CreateFoldersChoice() {
  static const GbkText choice = Gbk("创建目录");
  return choice;
}

void ClearHint(Form& form) {
  if (form.Text(Control::编辑框14) == Hint()) form.SetText(Control::编辑框14, {});
  form.SetTextColor(Control::编辑框14, kDefaultTextColor);
}

void CreateItems(MainServices& services) {
  Form& form = services.form;
  GbkText typed = form.Text(Control::编辑框14);
  if (WorkingFolder(form).empty() || typed.empty() || typed == Hint()) {
    Tell(services.messages,
         "请先填入有效路径，并选好后缀！\r\n如果想创建文件夹则不需要选后缀或者选择\"创建目录！\"",
         "");
    return;
  }
  const GbkText target = WithSeparator(typed);
  if (!IsAbsolute(target) || !services.files.IsFolder(target)) {
    Tell(services.messages, "这个路径并不存在", "");
    return;
  }
  int count = 0;
  const int rows = services.list.RowCount();
  // Stopping keeps what was created; the count below is what really exists.
  LongJob job(services.progress, Gbk("正在创建……"), rows);
  for (int row = 0; row < rows && job(row, rows); ++row) {
    GbkText stem = FileNameOf(services.list.Cell(row, 0), false);
    if (stem.empty()) continue;
    if (CreateOne(services.files, target, stem, form.Text(Control::组合框_创建扩展))) ++count;
  }
  job.End();
  if (count > 0) {
    services.messages.Show(Gbk("成功创建") + ToText(count) + Gbk("个文件夹"), Gbk("创建成果提示"),
                           Icon::Information, Buttons::Ok);
  } else {
    Tell(services.messages, "什么都没有创建", "没有发生任何变化");
  }
}

}  // namespace qm
