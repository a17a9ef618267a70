#include "rename/rename_run.h"

namespace qm {

std::optional<Notice> ResultMessage(ResultStyle style, Icon icon, int count) {
  (void)style;
  (void)icon;
  (void)count;
  return std::nullopt;
}

void RenameRun(const RunProfile& profile, const OperationDefinition& operation,
               MainServices& services) {
  (void)profile;
  (void)operation;
  (void)services;
}

}  // namespace qm
