#include "rename/preview_commit.h"

#include "rename/carry_out.h"
#include "rename/rename_run.h"
#include "rename/rename_services.h"
#include "text/gbk_text.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

constexpr int kPreviewColumnWidth = 380;
// The undo button's place while the preview is closed: below the list's
// right end, where the progress bar's row leaves room.
constexpr int kUndoClosedLeft = 647;
constexpr int kUndoClosedTop = 632;

void Move(Form& form, Control control, int left, int top) {
  Geometry geometry = form.GeometryOf(control);
  geometry.left = left;
  geometry.top = top;
  form.SetGeometry(control, geometry);
}

void SetLeft(Form& form, Control control, int left) {
  Move(form, control, left, form.GeometryOf(control).top);
}

void SetWidth(Form& form, Control control, int width) {
  Geometry geometry = form.GeometryOf(control);
  geometry.width = width;
  form.SetGeometry(control, geometry);
}

void ShowReminder(Messages& messages, const GbkText& text) {
  messages.Show(text, Gbk("提醒："), Icon::Information, Buttons::Ok);
}

}  // namespace

void TogglePreview(Form& form, ListView& list) {
  static const GbkText open_caption = Gbk("打开预览");
  static const GbkText close_caption = Gbk("关闭预览");
  GbkText caption = form.Text(Control::按钮_打开预览);
  if (caption == open_caption) {
    form.SetWindowWidth(1150);
    SetWidth(form, Control::超级列表框1,
             form.GeometryOf(Control::超级列表框1).width + kPreviewColumnWidth);
    form.SetText(Control::按钮_打开预览, close_caption);
    list.InsertColumn(1, Gbk("更名后的效果"), kPreviewColumnWidth);
    list.SetColumnTitle(0, Gbk("上一次的文件名"));
    form.SetVisible(Control::按钮_确认无误执行吧, true);
    form.SetVisible(Control::按钮_撤回上一步, true);
    Move(form, Control::按钮_确认无误执行吧, 973, 590);
    Move(form, Control::按钮_撤回上一步, 850, 590);
    SetLeft(form, Control::按钮_用我的txt修改, 830);
  } else if (caption == close_caption) {
    form.SetWindowWidth(769);
    SetWidth(form, Control::超级列表框1, 400);
    form.SetText(Control::按钮_打开预览, open_caption);
    list.RemoveColumn(1);
    list.SetColumnTitle(0, Gbk("最开始的文件名"));
    Move(form, Control::按钮_确认无误执行吧, 568, 432);
    SetLeft(form, Control::按钮_用我的txt修改, 639);
    // At 850 it would sit beyond the closed window's right edge.
    Move(form, Control::按钮_撤回上一步, kUndoClosedLeft, kUndoClosedTop);
    form.SetVisible(Control::按钮_确认无误执行吧, false);
    // The undo button stays visible: the record survives closing the preview.
    form.SetVisible(Control::按钮_直接粘贴txt, false);
  }
}

void RecordPreviewFolder(MainServices& services, const GbkText& folder) {
  const ListView& list = services.list;
  bool earlier_values = false;
  for (int row = 0; row < list.RowCount() && !earlier_values; ++row) {
    earlier_values = !list.Cell(row, 1).empty();
  }
  if (!earlier_values) {
    services.preview_folder = folder;
  } else if (services.preview_folder != folder) {
    services.preview_folder.clear();
  }
}

void RevealUndoButton(Form& form) {
  if (!PreviewModeOn(form)) Move(form, Control::按钮_撤回上一步, kUndoClosedLeft, kUndoClosedTop);
  form.SetVisible(Control::按钮_撤回上一步, true);
}

void CommitPreview(MainServices& services, UndoRecord& undo) {
  ListView& list = services.list;
  const int rows = list.RowCount();
  int names = 0;
  int previews = 0;
  for (int row = 0; row < rows; ++row) {
    if (!list.Cell(row, 0).empty()) ++names;
    if (!list.Cell(row, 1).empty()) ++previews;
  }
  if (previews == 0) {
    ShowReminder(services.messages,
                 Gbk("开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！"));
    return;
  }
  if (names == 0) {
    ShowReminder(services.messages, Gbk("没有发生任何变化。\r\n请仔细排查问题，重新操作!"));
    return;
  }
  // Relative names in another folder, or with no folder at all (the program's
  // current directory), would rename the wrong files. The last record stays,
  // since nothing was renamed.
  const GbkText folder = WorkingFolder(services.form);
  if (services.preview_folder.empty() || services.preview_folder != folder) {
    ShowReminder(services.messages,
                 Gbk("现在的路径不是预览时的路径（或者路径已被清空），\r\n"
                     "为了不改错文件，没有执行任何更名。\r\n请重新读取路径并预览后再执行！"));
    return;
  }
  RenameServices* renames = services.renames;
  LongJob job(services.progress, Gbk("正在按预览更名……"), rows);
  std::vector<PlanEntry> plan;
  plan.reserve(rows);
  GbkText path = folder;
  for (int row = 0; row < rows; ++row) {
    if (!job(row, rows)) {
      // Stopped before the renames began: nothing is renamed.
      plan.clear();
      break;
    }
    GbkText old_name = list.Cell(row, 0);
    GbkText new_name = list.Cell(row, 1);
    if (old_name.empty() || new_name.empty()) continue;
    std::optional<FileIdentity> identity;
    if (renames) {
      path.resize(folder.size());
      path += old_name;
      auto found = renames->previewed.find(path);
      if (found != renames->previewed.end()) identity = found->second;
    }
    plan.push_back({row, std::move(old_name), std::move(new_name), identity});
  }
  CarriedOut done = CarryOutPlan(services, folder, std::move(plan), PreviewCell::ClearWhenRenamed);
  if (!done.started()) return;
  if (renames) {
    // Names that changed hands no longer stand for what the preview saw.
    const int entries = static_cast<int>(done.entries.size());
    GbkText path = folder;
    auto forget = [&](const GbkText& name) {
      path.resize(folder.size());
      path += name;
      renames->previewed.erase(path);
    };
    for (int i = 0; i < entries; ++i) {
      job(entries, entries);  // paints; the renames are over
      if (done.report.outcomes[i].state != EntryState::Renamed) continue;
      forget(done.entries[i].from);
      forget(done.entries[i].to);
    }
  }
  job.End();
  RecordForUndo(services, undo, folder, done);
  ShowFailures(services, done);
}

}  // namespace qm
