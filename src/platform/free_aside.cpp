#include "platform/free_aside.h"

#include <pthread.h>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace qm {
namespace {

// One thread, started by the first task. It lives as long as the process, so
// a task handed over while statics are destroyed at exit still finds it.
class Aside {
 public:
  // A process forked while the thread held the queue would find it locked for
  // good, and a forked child has no thread to run what it hands over: the
  // fork waits for the queue, and the child does its tasks on its own thread.
  Aside() {
    pthread_atfork([] { Self().mutex_.lock(); }, [] { Self().mutex_.unlock(); },
                   [] {
                     Self().mutex_.unlock();
                     Self().forked_ = true;
                   });
  }

  void Hand(std::function<void()> task) {
    if (forked_) {
      task();
      return;
    }
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(task));
      if (!thread_.joinable()) {
        thread_ = std::thread([this] { Run(); });
        std::atexit(WaitUntilAsideDone);
      }
    }
    wake_.notify_all();
  }

  void Wait() {
    if (forked_) return;
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
  }

 private:
  [[noreturn]] void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return !queue_.empty(); });
      std::function<void()> task = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
      lock.unlock();
      task();
      task = nullptr;  // what it held is freed here, not on the next task's turn
      lock.lock();
      busy_ = false;
      if (queue_.empty()) idle_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::function<void()>> queue_;
  bool busy_ = false;
  std::thread thread_;
  bool forked_ = false;  // this is a forked child of the process that made the thread

  static Aside& Self();
};

Aside& TheAside() {
  static Aside* const aside = new Aside;
  return *aside;
}

Aside& Aside::Self() { return TheAside(); }

}  // namespace

void RunAside(std::function<void()> task) { TheAside().Hand(std::move(task)); }

void WaitUntilAsideDone() { TheAside().Wait(); }

}  // namespace qm
