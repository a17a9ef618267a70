#include "mapped/name_editing.h"

#include "mapped/entry_rename.h"
#include "mapped/mapped_rename.h"
#include "text/gbk_text.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

void Remind(Messages& messages, const char* utf8) {
  static const GbkText title = Gbk("提醒：");
  messages.Show(Gbk(utf8), title, Icon::Information, Buttons::Ok);
}

}  // namespace

void ConfirmPaste(const GbkText& pasted, ListView& target) {
  WriteNewNames(target, Split(pasted, "\r\n"));
}

void ConfirmEdit(NameEditor& editor, EditSource source, MainServices& main) {
  int row = source.list.CurrentRow();
  int column = source.list.ClickedColumn();
  GbkText edited = editor.EditedText();
  bool confirm_success = editor.ConfirmsSuccess();
  if (column == 1) {
    source.list.SetCell(row, 1, edited);
    editor.Close();
    return;
  }
  if (column != 0) return;
  GbkText current = source.list.Cell(row, 0);
  if (current == edited) {
    editor.Close();
    Remind(source.messages, "没有任何修改！");
    return;
  }
  if (!RenameListedEntry(main.files, WorkingFolder(main.form), current, edited)) {
    editor.Close();
    Remind(source.messages, "修改失败！");
    return;
  }
  source.list.SetCell(row, 0, edited);
  editor.Close();
  if (confirm_success) Remind(source.messages, "此文件名修改成功！");
}

}  // namespace qm
