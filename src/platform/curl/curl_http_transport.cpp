#include "platform/curl/curl_http_transport.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

// Without SetTimeouts a request waits as long as a browser's request object
// would: a minute to connect, half a minute for the next byte.
constexpr int kDefaultConnectMs = 60000;
constexpr int kDefaultStallMs = 30000;
constexpr long kMaxRedirects = 10;
// A body beyond this is no web page worth holding; the request fails instead.
constexpr size_t kMaxBodyBytes = size_t{64} << 20;

struct Timeouts {
  int connect_ms = kDefaultConnectMs;
  int stall_ms = kDefaultStallMs;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

class SList {
 public:
  SList() = default;
  SList(const SList&) = delete;
  SList& operator=(const SList&) = delete;
  ~SList() { curl_slist_free_all(list_); }
  void Append(const std::string& line) {
    if (curl_slist* grown = curl_slist_append(list_, line.c_str())) list_ = grown;
  }
  curl_slist* get() const { return list_; }

 private:
  curl_slist* list_ = nullptr;
};

class CurlRequestObject : public HttpRequestObject {
 public:
  CurlRequestObject(CURL* easy, std::shared_ptr<const std::atomic<bool>> cancelled)
      : easy_(easy), cancelled_(std::move(cancelled)) {}
  ~CurlRequestObject() override { curl_easy_cleanup(easy_); }

  void SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) override {
    // Name resolution is part of curl's connect phase; a stall while sending
    // or receiving is measured from the last byte that moved.
    timeouts_.connect_ms = resolve_ms + connect_ms;
    timeouts_.stall_ms = std::max(send_ms, receive_ms);
  }
  void SetProxy(const std::string& proxy) override { proxy_ = proxy; }
  void Open(const std::string& method, const std::string& url) override {
    method_ = method;
    url_ = url;
    follow_redirects_ = true;
    credentials_.reset();
    headers_.clear();
  }
  void DisableRedirects() override { follow_redirects_ = false; }
  void SetCredentials(const std::string& user, const std::string& password, int flag) override {
    credentials_ = Credentials{user, password, flag};
  }
  void SetRequestHeader(const std::string& name, const std::string& value) override {
    if (name.empty()) return;  // no header without a name
    headers_.emplace_back(name, value);
  }
  void Send(const std::string& body) override;

  std::string ResponseBody() const override { return body_; }
  std::string AllResponseHeaders() const override { return response_headers_; }
  int Status() const override { return status_; }

 private:
  struct Credentials {
    std::string user;
    std::string password;
    int flag = 1;
  };

  bool HasHeader(std::string_view name) const {
    for (const auto& header : headers_) {
      if (EqualsIgnoringCase(header.first, name)) return true;
    }
    return false;
  }
  void SetMethodAndBody(const std::string& body);
  void BuildHeaderLists(SList& server, SList& proxy) const;

  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static int OnProgress(void* self, curl_off_t, curl_off_t downloaded, curl_off_t,
                        curl_off_t uploaded);

  CURL* easy_;
  std::shared_ptr<const std::atomic<bool>> cancelled_;
  Timeouts timeouts_;
  std::string proxy_;
  std::string method_ = "GET";
  std::string url_;
  bool follow_redirects_ = true;
  std::optional<Credentials> credentials_;
  std::vector<std::pair<std::string, std::string>> headers_;

  std::string body_;
  std::string response_headers_;
  int status_ = 0;
  // Progress of the transfer under way, for the stall timeout.
  curl_off_t moved_ = -1;
  Clock::time_point last_move_;
};

void CurlRequestObject::SetMethodAndBody(const std::string& body) {
  if (method_ == "HEAD") {
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    return;
  }
  if (method_ == "GET" && body.empty()) {
    curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
    return;
  }
  if (!body.empty() || method_ == "POST" || method_ == "PUT") {
    // COPYPOSTFIELDS: the bytes may hold zeros and must outlive this call.
    curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy_, CURLOPT_COPYPOSTFIELDS, body.data());
  }
  if (method_ != "POST") curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, method_.c_str());
}

void CurlRequestObject::BuildHeaderLists(SList& server, SList& proxy) const {
  for (const auto& [name, value] : headers_) {
    // curl reads "Name:" as "remove the header"; "Name;" sends it empty.
    std::string line = value.empty() ? name + ";" : name + ": " + value;
    // Proxy credentials go to the proxy only, never on to the server.
    if (EqualsIgnoringCase(name, "Proxy-Authorization")) {
      proxy.Append(line);
    } else {
      server.Append(line);
    }
  }
  // Send the caller's headers and no others of curl's choosing.
  for (const char* own : {"Accept", "Content-Type", "Expect"}) {
    if (!HasHeader(own)) server.Append(std::string(own) + ":");
  }
}

void CurlRequestObject::Send(const std::string& body) {
  body_.clear();
  response_headers_.clear();
  status_ = 0;
  moved_ = -1;
  last_move_ = Clock::now();

  // A reset keeps the open connections, so a session's requests reuse them.
  curl_easy_reset(easy_);
  curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, follow_redirects_ ? 1L : 0L);
  curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts_.connect_ms));
  if (!proxy_.empty()) curl_easy_setopt(easy_, CURLOPT_PROXY, proxy_.c_str());
  if (credentials_) {
    const bool for_proxy = credentials_->flag == 1;
    curl_easy_setopt(easy_, for_proxy ? CURLOPT_PROXYUSERNAME : CURLOPT_USERNAME,
                     credentials_->user.c_str());
    curl_easy_setopt(easy_, for_proxy ? CURLOPT_PROXYPASSWORD : CURLOPT_PASSWORD,
                     credentials_->password.c_str());
    curl_easy_setopt(easy_, for_proxy ? CURLOPT_PROXYAUTH : CURLOPT_HTTPAUTH, CURLAUTH_ANY);
  }
  SetMethodAndBody(body);

  SList server_headers;
  SList proxy_headers;
  BuildHeaderLists(server_headers, proxy_headers);
  curl_easy_setopt(easy_, CURLOPT_HEADEROPT, CURLHEADER_SEPARATE);
  curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, server_headers.get());
  curl_easy_setopt(easy_, CURLOPT_PROXYHEADER, proxy_headers.get());

  curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlRequestObject::OnBody);
  curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlRequestObject::OnHeader);
  curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &CurlRequestObject::OnProgress);
  curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);

  const CURLcode code = curl_easy_perform(easy_);
  long status = 0;
  if (code == CURLE_OK) curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
  // The lists die with this call; curl must not keep pointers to them.
  curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(easy_, CURLOPT_PROXYHEADER, nullptr);
  if (code != CURLE_OK) {
    body_.clear();
    response_headers_.clear();
    return;
  }
  status_ = static_cast<int>(status);
}

size_t CurlRequestObject::OnBody(char* data, size_t size, size_t count, void* self) {
  auto* request = static_cast<CurlRequestObject*>(self);
  const size_t bytes = size * count;
  if (request->body_.size() + bytes > kMaxBodyBytes) return 0;  // fails the transfer
  request->body_.append(data, bytes);
  return bytes;
}

size_t CurlRequestObject::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto* request = static_cast<CurlRequestObject*>(self);
  const size_t bytes = size * count;
  std::string_view line(data, bytes);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  // Each response (a redirect, a 100 Continue) starts with its status line;
  // only the final response's headers are reported.
  if (line.substr(0, 5) == "HTTP/") {
    request->response_headers_.clear();
    return bytes;
  }
  if (line.empty()) return bytes;
  if (!request->response_headers_.empty()) request->response_headers_ += "\r\n";
  request->response_headers_.append(line);
  return bytes;
}

int CurlRequestObject::OnProgress(void* self, curl_off_t, curl_off_t downloaded, curl_off_t,
                                  curl_off_t uploaded) {
  auto* request = static_cast<CurlRequestObject*>(self);
  if (request->cancelled_ && request->cancelled_->load()) return 1;
  const Clock::time_point now = Clock::now();
  curl_off_t connected = 0;
  curl_easy_getinfo(request->easy_, CURLINFO_CONNECT_TIME_T, &connected);
  // Connecting has its own timeout; the stall clock runs once connected.
  if (connected == 0 || downloaded + uploaded != request->moved_) {
    request->moved_ = downloaded + uploaded;
    request->last_move_ = now;
    return 0;
  }
  const auto quiet =
      std::chrono::duration_cast<std::chrono::milliseconds>(now - request->last_move_);
  return quiet.count() > request->timeouts_.stall_ms ? 1 : 0;
}

}  // namespace

CurlHttpTransport::CurlHttpTransport(std::shared_ptr<const std::atomic<bool>> cancelled)
    : cancelled_(std::move(cancelled)) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::unique_ptr<HttpRequestObject> CurlHttpTransport::CreateRequestObject() {
  CURL* easy = curl_easy_init();
  if (easy == nullptr) return nullptr;
  return std::make_unique<CurlRequestObject>(easy, cancelled_);
}

}  // namespace qm
