#pragma once

#include "platform/controls.h"
#include "platform/main_services.h"
#include "workspace/intake_guard.h"

namespace qm {

// MainWindow's own life and its workspace controls.

// Window created, before it is shown: the start state of the workspace controls.
void OnMainWindowCreated(MainServices& services);

// Click on 选择框_窗口置顶.
void OnAlwaysOnTopClicked(MainServices& services);

// Click on 按钮_清空输入框: empties 编辑框1 to 编辑框14 and WorkingFolder; the
// list, the combos and 编辑框15 to 编辑框19 keep their state.
void ClearInputBoxes(MainServices& services);

// Click on 按钮_清空列表框. A scan still running keeps its rows to itself.
void ClearFileList(MainServices& services, IntakeGuard& guard);

// The extension filters 组合框_仅检索 and 组合框_跳过扩展.
bool IsExtensionFilter(Control combo);
// A list item was picked: the list is emptied and, in the files or folders
// mode, filled again from WorkingFolder.
void OnFilterItemSelected(MainServices& services, IntakeGuard& guard, Control combo);
// A key was pressed in the combo (13 = Enter, which refills like a pick).
void OnFilterKeyPressed(MainServices& services, IntakeGuard& guard, Control combo, int key);
// The drop-down is about to open.
void OnFilterDropDown(MainServices& services, Control combo);
// The user typed into the edit part; the folder is not read again.
void OnFilterTextEdited(MainServices& services, Control combo);

}  // namespace qm
