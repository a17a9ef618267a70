#pragma once

#include <functional>
#include <vector>

#include "platform/job_progress.h"

namespace qm {

// Records the jobs and answers "stop" once `stop_at` entries are done.
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
    if (on_advance) on_advance(done);
    return stop_at < 0 || done < stop_at;
  }
  void End() override { jobs.back().ended = true; }

  std::vector<Job> jobs;
  int stop_at = -1;  // -1: never stops
  std::function<void(int done)> on_advance;
};

}  // namespace qm
