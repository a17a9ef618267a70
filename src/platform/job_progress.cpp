#include "platform/job_progress.h"

namespace qm {
namespace {

class Unseen : public JobProgress {
 public:
  void Begin(const GbkText&, int) override {}
  bool Advance(int, int) override { return true; }
  void End() override {}
};

}  // namespace

JobProgress& NoJobProgress() {
  static Unseen unseen;
  return unseen;
}

}  // namespace qm
