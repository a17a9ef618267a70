#pragma once

#include <functional>
#include <vector>

#include "platform/job_progress.h"

namespace qm {

// Records the jobs; `answer` decides when to stop (never, unless set).
class FakeJobProgress : public JobProgress {
 public:
  struct Job {
    GbkText what;
    int total = 0;
    int last_done = -1;
    bool ended = false;
  };

  void Begin(const GbkText& what, int total) override { jobs.push_back({what, total}); }
  bool Advance(int done, int total) override {
    jobs.back().last_done = done;
    jobs.back().total = total;
    return !answer || answer(done, total);
  }
  void End() override { jobs.back().ended = true; }

  std::vector<Job> jobs;
  std::function<bool(int done, int total)> answer;
};

}  // namespace qm
