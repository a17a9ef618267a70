#pragma once

#include <memory>
#include <string>

namespace qm {

// One HTTP request object, driven call by call like a browser's request
// object: settings first, then Open, headers, Send, and the response read
// back. Texts here are UTF-8 (URL, header lines, proxy and credentials);
// bodies are bytes. A call that fails changes nothing; after a failed Send
// the body and the headers are empty and the status is 0.
//
// An object may serve several requests in turn (Open starts the next one
// and keeps the connection), so a caller can carry a session along.
class HttpRequestObject {
 public:
  virtual ~HttpRequestObject() = default;

  // Milliseconds for name resolution, connecting, sending and receiving.
  // Without this call the transport's own defaults apply.
  virtual void SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) = 0;
  virtual void SetProxy(const std::string& proxy) = 0;
  virtual void Open(const std::string& method, const std::string& url) = 0;
  virtual void DisableRedirects() = 0;
  // flag 1: the credentials are the proxy's; 0: the server's.
  virtual void SetCredentials(const std::string& user, const std::string& password, int flag) = 0;
  // Headers are sent in the order they are set.
  virtual void SetRequestHeader(const std::string& name, const std::string& value) = 0;
  virtual void Send(const std::string& body) = 0;

  virtual std::string ResponseBody() const = 0;
  // One "Name: value" line per header of the final response, joined by "\r\n".
  virtual std::string AllResponseHeaders() const = 0;
  virtual int Status() const = 0;
};

// Makes request objects; nullptr when one cannot be made.
class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual std::unique_ptr<HttpRequestObject> CreateRequestObject() = 0;
};

}  // namespace qm
