#include "mapped/name_editing.h"

#include "mapped/mapped_rename.h"
#include "platform/reminder.h"
#include "rename/carry_out.h"
#include "rename/rename_context.h"
#include "text/gbk_text.h"
#include "workspace/workspace_values.h"

namespace qm {
void ConfirmPaste(const GbkText& pasted, ListView& target) {
  WriteNewNames(target, Split(pasted, "\r\n"));
}

EditedCell CellToEdit(const ListView& list) { return {list.CurrentRow(), list.ClickedColumn()}; }

void ConfirmEdit(NameEditor& editor, EditSource source, EditedCell cell, MainServices& main) {
  const int row = cell.row;
  const int column = cell.column;
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
    ShowReminder(source.messages, "没有任何修改！");
    return;
  }
  const GbkText folder = WorkingFolder(main.form);
  MainServices window = ServicesOfWindow(main, source.list, source.messages, source.progress);
  CarriedOut done;
  if (IsUsableFolder(folder)) {
    // The job keeps other windows from changing the list while the plan runs.
    LongJob job(source.progress, Gbk("正在更名……"), 1);
    done = CarryOutPlan(window, folder, {{row, current, edited, std::nullopt}}, PreviewCell::Keep);
    job.End();
    if (!done.started()) {
      editor.Close();
      return;
    }
    RecordForUndo(main, folder, done);
  }
  editor.Close();
  if (done.report.renamed == 0) {
    ShowReminder(source.messages, "修改失败！");
    ShowFailures(window, done);
    return;
  }
  if (confirm_success) ShowReminder(source.messages, "此文件名修改成功！");
}

}  // namespace qm
