#include "workspace/workspace_handlers.h"

#include "text/gbk_text.h"
#include "workspace/extension_presets.h"
#include "workspace/folder_intake.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

constexpr int kEnterKey = 13;

const GbkText& FilterFirstItem(Control combo) {
  static const GbkText all = Gbk("所有");
  static const GbkText skip_nothing = Gbk("不跳");
  return combo == Control::组合框_仅检索 ? all : skip_nothing;
}

void RefillFromFilters(MainServices& services, IntakeGuard& guard) {
  services.list.RemoveAllRows();
  guard.Begin();
  ProcessingMode mode = ReadProcessingMode(services.form);
  if (mode == ProcessingMode::Files || mode == ProcessingMode::Folders) {
    ReloadFolder(services, guard);
  }
}

}  // namespace

// Only the controls' start state. The drop target (MainHandlers::WindowCreated,
// right after this), the skin and the version-check timer are the window's
// own, set up by the window and not by the Qt-free workspace.
void OnMainWindowCreated(MainServices& services) {
  Form& form = services.form;
  static const GbkText files_mode = Gbk("处理文件");
  form.SetComboIndex(Control::组合框2, 0);
  form.SetText(Control::组合框2, files_mode);
  form.SetVisible(Control::进度条1, false);
  // Every box the window starts checked, so that a window of any kind (the
  // command line's in memory too) reads the same inputs at its first run.
  for (Control box : {Control::选择框_窗口置顶, Control::选择框6, Control::单选框2,
                      Control::单选框7, Control::单选框9, Control::单选框5, Control::单选框3,
                      Control::单选框11, Control::单选框13, Control::单选框17, Control::选择框_1头,
                      Control::选择框_2头, Control::选择框_正则区分大小写}) {
    form.SetChecked(box, true);
  }
  // Likewise the texts the 高级 page starts with.
  form.SetText(Control::编辑框_信息模板, Gbk("{拍摄日期}_{原名}"));
  form.SetText(Control::编辑框_日期格式, Gbk("yyyy-MM-dd"));
  // The window writes the hint "将在这里创建" into the box; grey marks it as a
  // hint until the box first takes the focus, which empties it (ClearHint).
  form.SetTextColor(Control::编辑框14, 0x808080);
  form.SetComboIndex(Control::组合框_跳过扩展, -1);
  form.SetChecked(Control::单选框15, true);
  form.ShowTabPage(0);
}

void OnAlwaysOnTopClicked(MainServices& services) {
  services.form.SetAlwaysOnTop(services.form.IsChecked(Control::选择框_窗口置顶));
}

void ClearInputBoxes(MainServices& services) {
  for (Control box :
       {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框4, Control::编辑框5,
        Control::编辑框6, Control::编辑框7, Control::编辑框8, Control::编辑框9, Control::编辑框10,
        Control::编辑框11, Control::编辑框12, Control::编辑框13, Control::编辑框14,
        Control::编辑框_正则查找, Control::编辑框_正则替换为}) {
    services.form.SetText(box, {});
  }
  SetWorkingFolder(services.form, {});
}

void ClearFileList(MainServices& services, IntakeGuard& guard) {
  services.list.RemoveAllRows();
  guard.Begin();
}

bool IsExtensionFilter(Control combo) {
  return combo == Control::组合框_仅检索 || combo == Control::组合框_跳过扩展;
}

void OnFilterItemSelected(MainServices& services, IntakeGuard& guard, Control combo) {
  (void)combo;
  RefillFromFilters(services, guard);
}

void OnFilterKeyPressed(MainServices& services, IntakeGuard& guard, Control combo, int key) {
  if (key != kEnterKey || services.form.Text(combo).empty() ||
      WorkingFolder(services.form).empty()) {
    return;
  }
  RefillFromFilters(services, guard);
}

void OnFilterDropDown(MainServices& services, Control combo) {
  FillPresetComboOnDropDown(services.form, combo, FilterFirstItem(combo));
}

void OnFilterTextEdited(MainServices& services, Control combo) {
  RebuildPresetComboForTypedText(services.form, combo, FilterFirstItem(combo));
}

}  // namespace qm
