#include "app/main_handlers.h"

#include "app/main_list_windows.h"
#include "app/preview_layout.h"
#include "filetools/create_items.h"
#include "filetools/delete_listed.h"
#include "mapped/mapped_rename.h"
#include "platform/qt/qt_drop_target.h"
#include "rename/delete_operations.h"
#include "rename/insert_operations.h"
#include "rename/journal_recovery.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/replace_operations.h"
#include "rename/undo_export.h"
#include "workspace/drop_intake.h"
#include "workspace/extension_presets.h"
#include "workspace/folder_intake.h"
#include "workspace/list_ordering.h"
#include "workspace/workspace_handlers.h"

namespace qm {

void MainHandlers::WindowCreated() {
  OnMainWindowCreated(services_);
  if (list_services_.drops != nullptr) {
    list_services_.drops->Register([this](const GbkText& path) { TakeDropped(path); });
  }
}

MainHandlers::~MainHandlers() {
  if (list_services_.drops != nullptr) list_services_.drops->Unregister();
}

void MainHandlers::ResumeAfterStart() {
  ::qm::ResumeAfterStart(services_);
  if (!undo_.empty()) RevealUndoButton(services_.form);
}

void MainHandlers::Clicked(Control control) {
  if (auto operation = OperationOfButton(control)) {
    RunOperation(*operation, services_);
    return;
  }
  if (OccurrenceBoxClicked(services_.form, control)) return;
  if (ScriptRadioClicked(services_.form, control)) return;
  switch (control) {
    case Control::按钮_打开预览:
      TogglePreview(services_.form, services_.list);
      break;
    case Control::按钮_确认无误执行吧:
      CommitPreview(services_);
      break;
    case Control::按钮_撤回上一步:
      UndoCommit(services_);
      break;
    case Control::按钮_保存到txt:
      ExportNames(services_);
      break;
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
    case Control::按钮_顺序颠倒:
      ReverseList(services_);
      break;
    case Control::按钮_多种重新排序:
      if (list_services_.windows != nullptr) list_services_.windows->PopUpSortMenu();
      break;
    case Control::按钮_用我的txt修改:
      if (list_services_.windows == nullptr) break;
      if (auto names = NamesForMappedRename(services_)) {
        list_services_.windows->OpenMappedRename(*names);
      }
      break;
    case Control::按钮14:
      CreateItems(services_);
      break;
    case Control::按钮_删除文件:
      DeleteListed(services_);
      break;
    case Control::单选框3:
    case Control::单选框4:
      SideRadioClicked(services_.form, control);
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
  // The new-extension combo lists the presets like the filters, without a first item.
  if (combo == Control::组合框_修改扩展) FillPresetComboOnDropDown(services_.form, combo, {});
  if (combo == Control::组合框_创建扩展) {
    FillPresetComboOnDropDown(services_.form, combo, CreateFoldersChoice());
  }
}

void MainHandlers::ComboTextEdited(Control combo) {
  if (IsExtensionFilter(combo)) OnFilterTextEdited(services_, combo);
  if (combo == Control::组合框_修改扩展) RebuildPresetComboForTypedText(services_.form, combo, {});
  if (combo == Control::组合框_创建扩展) {
    RebuildPresetComboForTypedText(services_.form, combo, CreateFoldersChoice());
  }
}

void MainHandlers::EditFocused(Control edit) {
  if (edit == Control::编辑框14) ClearHint(services_.form);
}

void MainHandlers::FolderGiven(const GbkText& folder) {
  ReadFolder(services_, intake_guard_, folder);
}

void MainHandlers::ListRightClicked() {
  if (list_services_.windows != nullptr) list_services_.windows->PopUpListMenu();
}

void MainHandlers::ListItemDoubleClicked() {
  if (list_services_.shell != nullptr) CopyCell(services_.list, *list_services_.shell);
}

void MainHandlers::ListMenuChosen(ListMenuItem item) {
  switch (item) {
    case ListMenuItem::MoveUp:
      MoveCell(services_.list, services_.messages, -1);
      break;
    case ListMenuItem::MoveDown:
      MoveCell(services_.list, services_.messages, +1);
      break;
    case ListMenuItem::DeleteSelected:
      DeleteSelected(services_);
      break;
    case ListMenuItem::EditThis:
      if (list_services_.windows != nullptr) list_services_.windows->OpenNameEditor();
      break;
  }
}

void MainHandlers::SortMenuChosen(SortMenuItem item) {
  if (item == SortMenuItem::ByNumber) {
    NumberSortList(services_);
  } else {
    // The file system keeps no creation time everywhere; both items sort by
    // the last-write time.
    TimeSortList(services_);
  }
}

void MainHandlers::TakeDropped(const GbkText& path) {
  TakeDroppedPath(services_, intake_guard_, path);
}

}  // namespace qm
