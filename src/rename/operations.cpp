#include "rename/operations.h"

namespace qm {

std::optional<OperationId> OperationOfButton(Control button) {
  (void)button;
  return std::nullopt;
}

void RunOperation(OperationId operation, MainServices& services) {
  (void)operation;
  (void)services;
}

}  // namespace qm
