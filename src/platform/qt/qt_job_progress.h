#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <chrono>

#include "platform/job_progress.h"

namespace qm {

// A window's long jobs. The loop pumps the event queue every few
// milliseconds so the window repaints; an application-wide event filter
// drops every input meant for the window, or for any other window that is not
// modal (clicks, keys, wheel, menus, drops, closing), so nothing can change
// what the job reads or renames. A window-modal
// QProgressDialog appears once the job looks longer than half a second.
class QtJobProgress : public QObject, public JobProgress {
 public:
  explicit QtJobProgress(QWidget* window);
  ~QtJobProgress() override;

  void Begin(const GbkText& what, int total) override;
  bool Advance(int done, int total) override;
  void End() override;

  bool running() const { return running_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AskToStop() { stop_asked_ = true; }
  QProgressDialog& Dialog();

  QPointer<QWidget> window_;
  QPointer<QProgressDialog> dialog_;
  bool running_ = false;
  bool stop_asked_ = false;
  bool close_asked_ = false;
  std::chrono::steady_clock::time_point last_pump_;
};

}  // namespace qm
