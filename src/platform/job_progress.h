#pragma once

#include "base/gbk_text_type.h"

namespace qm {

// A job over many entries (a run, a commit, an undo). From Begin to End the
// main window takes no input but keeps painting; a job that lasts longer
// than about half a second shows how far it is and what it is doing, and
// offers a stop (the stop button, or Esc). Closing the window during a job
// asks for a stop and closes the window once the job has ended.
class JobProgress {
 public:
  virtual ~JobProgress() = default;
  virtual void Begin(const GbkText& what, int total) = 0;
  // Called between two entries: `done` of `total` are finished. Lets the
  // windows paint now and then. False once the user asked to stop: the job
  // ends after the entry it is on, and reports what it really did.
  virtual bool Advance(int done, int total) = 0;
  virtual void End() = 0;
};

// Shows nothing and never stops: for services that have no window.
JobProgress& NoJobProgress();

// One job, begun on construction and ended at End() or on leaving the scope.
// It is also the callback a job's loop takes between entries.
class LongJob {
 public:
  LongJob(JobProgress& progress, const GbkText& what, int total) : progress_(progress) {
    progress_.Begin(what, total);
  }
  ~LongJob() { End(); }
  LongJob(const LongJob&) = delete;
  LongJob& operator=(const LongJob&) = delete;

  bool operator()(int done, int total) { return progress_.Advance(done, total); }
  void End() {
    if (open_) progress_.End();
    open_ = false;
  }

 private:
  JobProgress& progress_;
  bool open_ = true;
};

}  // namespace qm
