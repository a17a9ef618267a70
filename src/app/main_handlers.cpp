#include "app/main_handlers.h"

#include "rename/delete_operations.h"
#include "rename/operations.h"
#include "rename/replace_operations.h"

namespace qm {

void MainHandlers::WindowCreated() {}

void MainHandlers::Clicked(Control control) {
  if (auto operation = OperationOfButton(control)) {
    RunOperation(*operation, services_);
    return;
  }
  if (OccurrenceBoxClicked(services_.form, control)) return;
  if (ScriptRadioClicked(services_.form, control)) return;
  switch (control) {
    default:
      break;
  }
}

void MainHandlers::ComboItemSelected(Control combo) {
  if (combo == Control::组合框1) SymbolStyleSelected(services_.form);
}

void MainHandlers::ComboKeyPressed(Control combo, int key) {
  (void)combo;
  (void)key;
}

void MainHandlers::ComboDropDown(Control combo) { (void)combo; }

void MainHandlers::ComboTextEdited(Control combo) { (void)combo; }

}  // namespace qm
