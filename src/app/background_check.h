#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "base/gbk_text_type.h"
#include "platform/http_transport.h"

namespace qm {

// One version check on a worker thread of its own. `fetch` runs on the
// worker with a transport of its own; `apply` runs afterwards on the UI
// thread, through `window`'s event queue, and only while the window lives:
// a window that goes away first cancels the request and drops the result.
class BackgroundCheck {
 public:
  using Fetch = std::function<GbkText(HttpTransport&)>;
  using Apply = std::function<void(const GbkText&)>;

  explicit BackgroundCheck(QObject* window);
  // Cancels; waits a moment for the worker, and leaves it to end alone if
  // the network holds it longer, so closing a window never hangs.
  ~BackgroundCheck();
  BackgroundCheck(const BackgroundCheck&) = delete;
  BackgroundCheck& operator=(const BackgroundCheck&) = delete;

  void Start(Fetch fetch, Apply apply);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace qm
