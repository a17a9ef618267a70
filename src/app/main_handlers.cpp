#include "app/main_handlers.h"

#include "rename/delete_operations.h"
#include "rename/operations.h"
#include "rename/replace_operations.h"
#include "workspace/folder_scan.h"
#include "workspace/workspace_handlers.h"

namespace qm {

void MainHandlers::WindowCreated() { OnMainWindowCreated(services_); }

void MainHandlers::Clicked(Control control) {
  if (auto operation = OperationOfButton(control)) {
    RunOperation(*operation, services_);
    return;
  }
  if (OccurrenceBoxClicked(services_.form, control)) return;
  if (ScriptRadioClicked(services_.form, control)) return;
  switch (control) {
    case Control::选择框_窗口置顶:
      OnAlwaysOnTopClicked(services_);
      break;
    case Control::按钮_手动读取:
      ChooseFolder(services_, intake_guard_);
      break;
    case Control::按钮_清空输入框:
      ClearInputBoxes(services_);
      break;
    case Control::按钮_清空列表框:
      ClearFileList(services_, intake_guard_);
      break;
    default:
      break;
  }
}

void MainHandlers::ComboItemSelected(Control combo) {
  if (combo == Control::组合框1) SymbolStyleSelected(services_.form);
  if (IsExtensionFilter(combo)) OnFilterItemSelected(services_, intake_guard_, combo);
}

void MainHandlers::ComboKeyPressed(Control combo, int key) {
  if (IsExtensionFilter(combo)) OnFilterKeyPressed(services_, intake_guard_, combo, key);
}

void MainHandlers::ComboDropDown(Control combo) {
  if (IsExtensionFilter(combo)) OnFilterDropDown(services_, combo);
}

void MainHandlers::ComboTextEdited(Control combo) {
  if (IsExtensionFilter(combo)) OnFilterTextEdited(services_, combo);
}

}  // namespace qm
