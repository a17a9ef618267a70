#include "fakes/loopback_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace qm {
namespace {

int BoundLoopbackSocket() {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    throw std::runtime_error("bind");
  }
  return fd;
}

int PortOf(int fd) {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);
}

// Reads until the blank line that ends the head, then the body its
// Content-Length announces. False when the peer went away first.
bool ReadRequest(int connection, LoopbackHttpServer::Request& request) {
  std::string data;
  char buffer[4096];
  size_t head_end;
  while ((head_end = data.find("\r\n\r\n")) == std::string::npos) {
    ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    data.append(buffer, static_cast<size_t>(got));
  }
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < head_end) {
    size_t end = data.find("\r\n", start);
    lines.push_back(data.substr(start, end - start));
    start = end + 2;
  }
  const std::string& first = lines.front();
  request.method = first.substr(0, first.find(' '));
  size_t target_start = first.find(' ') + 1;
  request.target = first.substr(target_start, first.rfind(' ') - target_start);
  request.header_lines.assign(lines.begin() + 1, lines.end());
  size_t length = 0;
  for (const std::string& line : request.header_lines) {
    if (line.size() > 15 && strncasecmp(line.c_str(), "Content-Length:", 15) == 0) {
      length = std::strtoul(line.c_str() + 15, nullptr, 10);
    }
  }
  request.body = data.substr(head_end + 4);
  while (request.body.size() < length) {
    ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    request.body.append(buffer, static_cast<size_t>(got));
  }
  return true;
}

void WriteAll(int connection, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    ssize_t put = send(connection, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (put <= 0) return;
    sent += static_cast<size_t>(put);
  }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
  listener_ = BoundLoopbackSocket();
  listen(listener_, 8);
  port_ = PortOf(listener_);
  if (pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  (void)!write(wake_[1], "x", 1);
  thread_.join();
  close(listener_);
  close(wake_[0]);
  close(wake_[1]);
}

std::string LoopbackHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackHttpServer::SetResponse(Response response) {
  std::lock_guard lock(mutex_);
  standing_ = std::move(response);
}

void LoopbackHttpServer::QueueResponse(Response response) {
  std::lock_guard lock(mutex_);
  script_.push_back(std::move(response));
}

void LoopbackHttpServer::Hold() {
  std::lock_guard lock(mutex_);
  held_ = true;
}

void LoopbackHttpServer::Release() {
  {
    std::lock_guard lock(mutex_);
    held_ = false;
  }
  changed_.notify_all();
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool LoopbackHttpServer::WaitForRequests(size_t count, std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return requests_.size() >= count; });
}

int LoopbackHttpServer::ClosedPort() {
  int fd = BoundLoopbackSocket();
  int port = PortOf(fd);
  close(fd);
  return port;
}

void LoopbackHttpServer::Serve() {
  for (;;) {
    pollfd watched[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) continue;
    if (watched[1].revents != 0) return;
    int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Answer(connection);
    close(connection);
  }
}

void LoopbackHttpServer::Answer(int connection) {
  Request request;
  if (!ReadRequest(connection, request)) return;
  Response response;
  {
    std::unique_lock lock(mutex_);
    requests_.push_back(request);
    changed_.notify_all();
    changed_.wait(lock, [&] { return !held_ || stopping_; });
    if (stopping_) return;
    if (!script_.empty()) {
      response = std::move(script_.front());
      script_.pop_front();
    } else {
      response = standing_;
    }
  }
  std::string out = "HTTP/1.1 " + std::to_string(response.status) + " Scripted\r\n";
  for (const std::string& line : response.header_lines) out += line + "\r\n";
  out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
  out += "Connection: close\r\n\r\n";
  if (request.method != "HEAD") out += response.body;
  WriteAll(connection, out);
}

}  // namespace qm
