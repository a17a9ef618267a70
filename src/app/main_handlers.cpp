#include "app/main_handlers.h"

#include "rename/operations.h"

namespace qm {

void MainHandlers::WindowCreated() {}

void MainHandlers::Clicked(Control control) {
  if (auto operation = OperationOfButton(control)) {
    RunOperation(*operation, services_);
    return;
  }
  switch (control) {
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

void MainHandlers::EditFocused(Control edit) { (void)edit; }

}  // namespace qm
