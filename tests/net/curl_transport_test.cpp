// The request client over the real libcurl transport, against servers this
// test starts on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "fakes/loopback_http_server.h"
#include "net/http_request.h"
#include "platform/curl/curl_http_transport.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;

constexpr char kUserAgent[] = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

class CurlTransportTest : public ::testing::Test {
 protected:
  // A proxy from the environment must not stand between the test and its server.
  void SetUp() override { setenv("no_proxy", "127.0.0.1", 1); }

  HttpRequestOptions Options(const std::string& url) {
    HttpRequestOptions options;
    options.url = GbkText(url);
    return options;
  }

  LoopbackHttpServer server_;
  CurlHttpTransport transport_;
};

TEST_F(CurlTransportTest, DefaultPostArrivesWithTheHeadersInOrder) {
  server_.SetResponse({200,
                       {"Content-Type: text/html; charset=utf-8", "Set-Cookie: sid=7; path=/",
                        "Set-Cookie: lang=zh"},
                       "<p>Quillmere最新版16.4</p>"});
  HttpRequestOptions options = Options(server_.Url());
  options.method = 1;
  options.result_form = HttpResultForm::Utf8UpToZero;
  HttpResponseInfo response;
  EXPECT_EQ(HttpRequest(transport_, options, &response), Gbk("<p>Quillmere最新版16.4</p>"));

  ASSERT_EQ(server_.requests().size(), 1u);
  const LoopbackHttpServer::Request request = server_.requests()[0];
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(request.target, "/");
  EXPECT_EQ(request.body, "");
  EXPECT_THAT(request.header_lines,
              ElementsAre("Host: 127.0.0.1:" + std::to_string(server_.port()), "Accept: */*",
                          "Referer: " + server_.Url(), "Accept-Language: zh-cn", kUserAgent,
                          "Content-Type: application/x-www-form-urlencoded", "Content-Length: 0"));
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.cookies, "sid=7; lang=zh");
  EXPECT_THAT(response.headers, HasSubstr("Content-Type: text/html; charset=utf-8\r\nSet-Cookie"));
}

TEST_F(CurlTransportTest, BodyBytesCookiesAndExtraHeadersArriveAsGiven) {
  GbkText cookies = Gbk("a=1");
  HttpRequestOptions options = Options(server_.Url("/form?x=1"));
  options.method = 3;
  options.body_bytes = std::string("bin\0ary", 7);
  options.body_text = "ignored";
  options.cookies = &cookies;
  options.extra_headers = "x-token: t:1\r\nConnection: keep-alive";
  options.complete_headers = false;
  HttpRequest(transport_, options);

  ASSERT_EQ(server_.requests().size(), 1u);
  const LoopbackHttpServer::Request request = server_.requests()[0];
  EXPECT_EQ(request.method, "PUT");
  EXPECT_EQ(request.target, "/form?x=1");
  EXPECT_EQ(request.body, std::string("bin\0ary", 7));
  EXPECT_THAT(request.header_lines,
              ElementsAre("Host: 127.0.0.1:" + std::to_string(server_.port()), "Cookie: a=1",
                          "X-Token: t:1", "Content-Length: 7"));
}

TEST_F(CurlTransportTest, RedirectsAreFollowedUnlessSwitchedOff) {
  const LoopbackHttpServer::Response moved{302, {"Location: /moved", "Set-Cookie: hop=1"}, ""};
  server_.SetResponse({200, {"Set-Cookie: end=1"}, "arrived"});
  server_.QueueResponse(moved);
  HttpResponseInfo response;
  EXPECT_EQ(HttpRequest(transport_, Options(server_.Url()), &response), "arrived");
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.cookies, "end=1");  // the final response's headers only
  ASSERT_EQ(server_.requests().size(), 2u);
  EXPECT_EQ(server_.requests()[1].target, "/moved");

  server_.QueueResponse(moved);
  HttpRequestOptions options = Options(server_.Url());
  options.disable_redirects = true;
  HttpRequest(transport_, options, &response);
  EXPECT_EQ(response.status, 302);
  EXPECT_EQ(server_.requests().size(), 3u);
}

TEST_F(CurlTransportTest, ProxyReceivesTheRequestWithItsCredentials) {
  // The server stands in as the proxy: the target is never contacted.
  unsetenv("no_proxy");
  const std::string target =
      "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort()) + "/page";
  HttpRequestOptions options = Options(target);
  options.proxy = GbkText("127.0.0.1:" + std::to_string(server_.port()));
  options.proxy_user = "user";
  options.proxy_password = "secret";
  options.complete_headers = false;
  options.extra_headers = "Accept: text/plain";
  HttpRequest(transport_, options);

  ASSERT_EQ(server_.requests().size(), 1u);
  const LoopbackHttpServer::Request request = server_.requests()[0];
  EXPECT_EQ(request.target, target);
  EXPECT_THAT(request.header_lines,
              ::testing::Contains("Proxy-Authorization: Basic dXNlcjpzZWNyZXQ="));
  EXPECT_THAT(request.header_lines, ::testing::Contains("Accept: text/plain"));
}

TEST_F(CurlTransportTest, FailuresGiveAnEmptyBodyAndStatusZero) {
  HttpResponseInfo response;
  response.status = -1;
  const std::string closed =
      "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort()) + "/";
  EXPECT_EQ(HttpRequest(transport_, Options(closed), &response), "");
  EXPECT_EQ(response.status, 0);
  EXPECT_EQ(response.headers, "");

  // A server that never answers: timeout 1 gives up after about a second.
  server_.Hold();
  HttpRequestOptions options = Options(server_.Url());
  options.timeout = 1;
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(HttpRequest(transport_, options, &response), "");
  EXPECT_EQ(response.status, 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
  server_.Release();

  // Addresses other than http and https are not fetched.
  EXPECT_EQ(HttpRequest(transport_, Options("file:///etc/hostname"), &response), "");
  EXPECT_EQ(response.status, 0);
}

TEST_F(CurlTransportTest, CancellingEndsARequestThatIsWaiting) {
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  CurlHttpTransport transport(cancelled);
  server_.Hold();
  std::thread canceller([&] {
    server_.WaitForRequests(1, std::chrono::seconds(10));
    cancelled->store(true);
  });
  HttpResponseInfo response;
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(HttpRequest(transport, Options(server_.Url()), &response), "");
  EXPECT_EQ(response.status, 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));  // the timeout is 15 s
  canceller.join();
  server_.Release();
}

// `openssl s_server` with a certificate made for this test, on a port the
// system picks; stopped by its process id.
class SelfSignedTlsServer {
 public:
  explicit SelfSignedTlsServer(const std::filesystem::path& folder) {
    const std::string cert = (folder / "cert.pem").string();
    const std::string key = (folder / "key.pem").string();
    const std::string make =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 "
        "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
        key + "' -out '" + cert + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return;
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      dup2(out[1], STDERR_FILENO);
      close(out[0]);
      execlp("openssl", "openssl", "s_server", "-accept", "127.0.0.1:0", "-cert", cert.c_str(),
             "-key", key.c_str(), "-www", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    output_ = fdopen(out[0], "r");
    char line[256];
    while (output_ != nullptr && std::fgets(line, sizeof line, output_) != nullptr) {
      int port = 0;
      if (std::sscanf(line, "ACCEPT 127.0.0.1:%d", &port) == 1) {
        port_ = port;
        break;
      }
    }
  }
  ~SelfSignedTlsServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (output_ != nullptr) std::fclose(output_);
  }
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  int port_ = 0;
};

TEST_F(CurlTransportTest, SelfSignedCertificateIsRefused) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qm_tls_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  {
    SelfSignedTlsServer tls(folder);
    ASSERT_NE(tls.port(), 0) << "openssl s_server did not start";
    HttpResponseInfo response;
    const std::string url = "https://127.0.0.1:" + std::to_string(tls.port()) + "/";
    EXPECT_EQ(HttpRequest(transport_, Options(url), &response), "");
    EXPECT_EQ(response.status, 0);
    EXPECT_EQ(response.headers, "");
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qm
