// Answers the version check with arbitrary responses (body, headers, status),
// as a hostile or broken server could: the request handling and the page
// reading never fail on them, and what the page gives is a piece of the page.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "net/http_request.h"
#include "net/version_check.h"
#include "platform/http_transport.h"
#include "text/gbk_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

struct Response {
  std::string body;
  std::string headers;
  int status = 0;
};

class ScriptedObject : public qm::HttpRequestObject {
 public:
  explicit ScriptedObject(const Response& response) : response_(response) {}
  void SetTimeouts(int, int, int, int) override {}
  void SetProxy(const std::string&) override {}
  void Open(const std::string&, const std::string&) override {}
  void DisableRedirects() override {}
  void SetCredentials(const std::string&, const std::string&, int) override {}
  void SetRequestHeader(const std::string&, const std::string&) override {}
  void Send(const std::string&) override {}
  std::string ResponseBody() const override { return response_.body; }
  std::string AllResponseHeaders() const override { return response_.headers; }
  int Status() const override { return response_.status; }

 private:
  const Response& response_;
};

class ScriptedTransport : public qm::HttpTransport {
 public:
  explicit ScriptedTransport(Response response) : response_(std::move(response)) {}
  std::unique_ptr<qm::HttpRequestObject> CreateRequestObject() override {
    return std::make_unique<ScriptedObject>(response_);
  }

 private:
  Response response_;
};

bool PieceOf(const qm::GbkText& piece, const qm::GbkText& whole) {
  return whole.find(std::string_view(piece)) != std::string::npos;
}

void CheckPage(const qm::GbkText& page) {
  const qm::VersionPage read = qm::ReadVersionPage(page);
  Check(PieceOf(read.latest, page));
  Check(PieceOf(read.tutorial_link, page));
  Check(PieceOf(read.download_link, page));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  Response response;
  response.status = input.ConsumeIntegral<int>();
  response.headers = input.ConsumeRandomLengthString(256);
  const std::string cookies = input.ConsumeRandomLengthString(64);
  response.body = input.ConsumeRemainingBytesAsString();

  ScriptedTransport transport(response);
  const qm::GbkText address = qm::Gbk("https://quillmere.example/");
  CheckPage(qm::FetchPageForMainCheck(transport, address));
  CheckPage(qm::FetchPageForAboutCheck(transport, address));

  // The header and cookie handling of a request, over the same bytes.
  qm::HttpRequestOptions options;
  options.url = address;
  // The fuzzed bytes stand for internal text as the transport hands it over.
  const qm::GbkText headers(response.headers);
  qm::GbkText jar(cookies);
  options.cookies = &jar;
  options.extra_headers = headers;
  qm::HttpResponseInfo info;
  qm::HttpRequest(transport, options, &info);
  qm::NormaliseHeaderNames(headers);
  qm::CompleteHeaders(headers, address, input.ConsumeIntegral<int>() % 9);
  qm::MergeCookies(qm::GbkText(cookies), qm::ExtractCookies(headers));
  return 0;
}
