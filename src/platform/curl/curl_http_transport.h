#pragma once

#include <atomic>
#include <memory>

#include "platform/http_transport.h"

namespace qm {

// Request objects over libcurl. Certificates are verified against the
// system's authorities; only http and https are spoken, also on redirects.
// Setting `cancelled` makes a request under way give up within a moment, as
// a failed request, so a window that closes need not wait for the network.
class CurlHttpTransport : public HttpTransport {
 public:
  explicit CurlHttpTransport(std::shared_ptr<const std::atomic<bool>> cancelled = nullptr);
  std::unique_ptr<HttpRequestObject> CreateRequestObject() override;

 private:
  std::shared_ptr<const std::atomic<bool>> cancelled_;
};

}  // namespace qm
