#include "app/main_handlers.h"

#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/undo_export.h"

namespace qm {

void MainHandlers::WindowCreated() {}

void MainHandlers::Clicked(Control control) {
  if (auto operation = OperationOfButton(control)) {
    RunOperation(*operation, services_);
    return;
  }
  switch (control) {
    case Control::按钮_打开预览:
      TogglePreview(services_.form, services_.list);
      break;
    case Control::按钮_确认无误执行吧:
      CommitPreview(services_, undo_);
      break;
    case Control::按钮_撤回上一步:
      UndoCommit(services_, undo_);
      break;
    case Control::按钮_保存到txt:
      ExportNames(services_);
      break;
    default:
      break;
  }
}

void MainHandlers::ComboItemSelected(Control combo) { (void)combo; }

void MainHandlers::ComboKeyPressed(Control combo, int key) {
  (void)combo;
  (void)key;
}

void MainHandlers::ComboDropDown(Control combo) { (void)combo; }

void MainHandlers::ComboTextEdited(Control combo) { (void)combo; }

}  // namespace qm
