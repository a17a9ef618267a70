#include "app/background_check.h"

#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/curl/curl_http_transport.h"

namespace qm {
namespace {

constexpr auto kWaitAtClose = std::chrono::seconds(2);

}  // namespace

// What the worker and the window share. `window` is cleared under the
// mutex before the window is destroyed, so a worker that posts its result
// under the same mutex never posts to a destroyed object; Qt drops events
// still queued for an object when it is deleted.
struct BackgroundCheck::Shared {
  std::mutex mutex;
  std::condition_variable finished_changed;
  QObject* window = nullptr;
  std::atomic<bool> cancelled{false};
  int running = 0;
  std::vector<std::thread> threads;
};

BackgroundCheck::BackgroundCheck(QObject* window) : shared_(std::make_shared<Shared>()) {
  shared_->window = window;
}

BackgroundCheck::~BackgroundCheck() {
  std::vector<std::thread> threads;
  bool all_done;
  {
    std::unique_lock lock(shared_->mutex);
    shared_->window = nullptr;
    shared_->cancelled = true;
    all_done = shared_->finished_changed.wait_for(lock, kWaitAtClose,
                                                  [&] { return shared_->running == 0; });
    threads.swap(shared_->threads);
  }
  for (std::thread& thread : threads) {
    if (all_done) {
      thread.join();
    } else {
      thread.detach();  // it holds only the shared state, which outlives it
    }
  }
}

void BackgroundCheck::Start(Fetch fetch, Apply apply) {
  std::lock_guard lock(shared_->mutex);
  ++shared_->running;
  shared_->threads.emplace_back(
      [shared = shared_, fetch = std::move(fetch), apply = std::move(apply)]() mutable {
        CurlHttpTransport transport(
            std::shared_ptr<const std::atomic<bool>>(shared, &shared->cancelled));
        GbkText page = fetch(transport);
        std::lock_guard lock(shared->mutex);
        if (shared->window != nullptr && !shared->cancelled) {
          QMetaObject::invokeMethod(
              shared->window, [apply = std::move(apply), page = std::move(page)] { apply(page); },
              Qt::QueuedConnection);
        }
        --shared->running;
        shared->finished_changed.notify_all();
      });
}

}  // namespace qm
