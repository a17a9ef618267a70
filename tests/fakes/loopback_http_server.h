#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm {

// A plain HTTP/1.1 server on 127.0.0.1 at a port the system picks, for
// tests. It serves one connection at a time, records each request as it
// arrived (request line, header lines in order, body) and answers with the
// next scripted response, or the standing one when the script is used up.
// Stopped and joined by its destructor.
class LoopbackHttpServer {
 public:
  struct Request {
    std::string method;
    std::string target;
    std::vector<std::string> header_lines;
    std::string body;
  };
  struct Response {
    int status = 200;
    std::vector<std::string> header_lines;  // Content-Length and Connection are added
    std::string body;
  };

  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  std::string Url(const std::string& path = "/") const;

  void SetResponse(Response response);
  void QueueResponse(Response response);
  // While held, a request is recorded but its answer waits for Release.
  void Hold();
  void Release();

  std::vector<Request> requests() const;
  // Waits until `count` requests arrived; false after `limit`.
  bool WaitForRequests(size_t count, std::chrono::milliseconds limit) const;

  // A port on 127.0.0.1 where nothing listens.
  static int ClosedPort();

 private:
  void Serve();
  void Answer(int connection);

  int listener_ = -1;
  int wake_[2] = {-1, -1};
  int port_ = 0;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool stopping_ = false;
  bool held_ = false;
  Response standing_;
  std::deque<Response> script_;
  std::vector<Request> requests_;
  std::thread thread_;
};

}  // namespace qm
