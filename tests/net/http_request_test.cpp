#include "net/http_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_http_transport.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr char kUrl[] = "https://updates.quillmere.test:8443/";
constexpr char kUserAgent[] =
    "SetRequestHeader(User-Agent|Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1))";

HttpRequestOptions Options() {
  HttpRequestOptions options;
  options.url = kUrl;
  return options;
}

TEST(HttpRequestTest, DefaultPostSendsTheDefaultHeadersInOrderAndAnEmptyBody) {
  FakeHttpTransport transport;
  HttpRequestOptions options = Options();
  options.method = 1;
  HttpRequest(transport, options);
  EXPECT_THAT(
      transport.calls,
      ElementsAre("SetTimeouts(15000,15000,15000,15000)", std::string("Open(POST|") + kUrl + ")",
                  "SetRequestHeader(Accept|*/*)",
                  std::string("SetRequestHeader(Referer|") + kUrl + ")",
                  "SetRequestHeader(Accept-Language|zh-cn)", kUserAgent,
                  "SetRequestHeader(Content-Type|application/x-www-form-urlencoded)", "Send()"));
  EXPECT_EQ(transport.sent_body, "");
}

TEST(HttpRequestTest, HeaderLinesAreCompletedNormalisedAndFiltered) {
  struct Row {
    const char* name;
    const char* extra_headers;
    bool complete;
    std::vector<std::string> headers;  // the SetRequestHeader calls, in order
  };
  const std::string referer = std::string("SetRequestHeader(Referer|") + kUrl + ")";
  const Row rows[] = {
      {"lower-case accept replaces the default",
       "accept: text/html",
       true,
       {"SetRequestHeader(Accept|text/html)", referer, "SetRequestHeader(Accept-Language|zh-cn)",
        kUserAgent}},
      {"keep-alive among several lines is not sent",
       "Connection: keep-alive\r\nx-requested-with: quill",
       false,
       {"SetRequestHeader(X-Requested-With|quill)"}},
      {"keep-alive as the only line is sent",
       "Connection: keep-alive",
       false,
       {"SetRequestHeader(Connection|keep-alive)"}},
      {"keep-alive compares the value exactly",
       "Connection: Keep-Alive\r\nA: 1",
       false,
       {"SetRequestHeader(Connection|Keep-Alive)", "SetRequestHeader(A|1)"}},
      {"a value keeps its colons, lines without a colon go",
       "x-ID: a:b:c\r\nno colon here\r\n\r\nreferer: http://h:1/x",
       true,
       {"SetRequestHeader(X-ID|a:b:c)", "SetRequestHeader(Referer|http://h:1/x)",
        "SetRequestHeader(Accept|*/*)", "SetRequestHeader(Accept-Language|zh-cn)", kUserAgent}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHttpTransport transport;
    HttpRequestOptions options = Options();
    options.extra_headers = row.extra_headers;
    options.complete_headers = row.complete;
    HttpRequest(transport, options);
    EXPECT_THAT(transport.CallsOf("SetRequestHeader"), ElementsAreArray(row.headers));
  }
}

TEST(HttpRequestTest, CompleteHeadersAlwaysStartsAnAddedLineWithABreak) {
  EXPECT_EQ(CompleteHeaders(Gbk(""), "u", 0),
            "\r\nAccept: */*\r\nReferer: u\r\nAccept-Language: zh-cn\r\nUser-Agent: Mozilla/4.0 "
            "(compatible; MSIE 9.0; Windows NT 6.1)");
  EXPECT_EQ(NormaliseHeaderNames(Gbk("\r\naccept-language: x\r\nreferer: y")),
            "Accept-Language: x\r\nReferer: y");
}

TEST(HttpRequestTest, TimeoutsAndMethods) {
  struct Row {
    const char* name;
    int timeout;
    int method;
    std::vector<std::string> calls_before_headers;
  };
  const std::string url = kUrl;
  const Row rows[] = {
      {"timeout 3", 3, 0, {"SetTimeouts(3000,3000,3000,3000)", "Open(GET|" + url + ")"}},
      {"timeout -1 sets none", -1, 2, {"Open(HEAD|" + url + ")"}},
      {"timeout 0 is 15 s",
       0,
       7,
       {"SetTimeouts(15000,15000,15000,15000)", "Open(CONNECT|" + url + ")"}},
      {"negative timeout is 15 s",
       -5,
       5,
       {"SetTimeouts(15000,15000,15000,15000)", "Open(DELETE|" + url + ")"}},
      {"method 9 is GET", -1, 9, {"Open(GET|" + url + ")"}},
      {"method -1 is GET", -1, -1, {"Open(GET|" + url + ")"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHttpTransport transport;
    HttpRequestOptions options = Options();
    options.timeout = row.timeout;
    options.method = row.method;
    options.complete_headers = false;
    HttpRequest(transport, options);
    ASSERT_GE(transport.calls.size(), row.calls_before_headers.size());
    EXPECT_EQ(std::vector<std::string>(transport.calls.begin(),
                                       transport.calls.begin() + row.calls_before_headers.size()),
              row.calls_before_headers);
  }
}

TEST(HttpRequestTest, ProxyCredentialsAndRedirectSwitch) {
  struct Row {
    const char* name;
    const char* proxy;
    int flag;
    std::vector<std::string> calls;  // everything before Send
  };
  const std::string open = std::string("Open(GET|") + kUrl + ")";
  const Row rows[] = {
      {"flag 1 adds the Basic header",
       "127.0.0.1:3128",
       1,
       {"SetProxy(127.0.0.1:3128)", open, "DisableRedirects()", "SetCredentials(user|pa:ss|1)",
        "SetRequestHeader(Proxy-Authorization|Basic dXNlcjpwYTpzcw==)"}},
      {"flag 0 only sets the credentials",
       "127.0.0.1:3128",
       0,
       {"SetProxy(127.0.0.1:3128)", open, "DisableRedirects()", "SetCredentials(user|pa:ss|0)"}},
      {"credentials without a proxy are not used", "", 1, {open, "DisableRedirects()"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHttpTransport transport;
    HttpRequestOptions options = Options();
    options.timeout = -1;
    options.complete_headers = false;
    options.disable_redirects = true;
    options.proxy = row.proxy;
    options.proxy_user = "user";
    options.proxy_password = "pa:ss";
    options.proxy_credential_flag = row.flag;
    HttpRequest(transport, options);
    // The last call before Send is the one empty header line of no headers at all.
    std::vector<std::string> calls = row.calls;
    calls.push_back("SetRequestHeader(|)");
    calls.push_back("Send()");
    EXPECT_EQ(transport.calls, calls);
  }
}

TEST(HttpRequestTest, CookiesTravelOutAndComeBackMerged) {
  FakeHttpTransport transport;
  transport.response.headers =
      "Content-Type: text/html\r\nSet-Cookie: a=2; path=/\r\nSet-Cookie: c=deleted";
  GbkText cookies = Gbk("cookie:a=1; c=3; d=4");
  HttpRequestOptions options = Options();
  options.cookies = &cookies;
  options.complete_headers = false;
  HttpResponseInfo response;
  HttpRequest(transport, options, &response);
  EXPECT_THAT(transport.CallsOf("SetRequestHeader"),
              ElementsAre("SetRequestHeader(Cookie|a=1; c=3; d=4)", "SetRequestHeader(|)"));
  EXPECT_EQ(response.cookies, "a=2; d=4");
  EXPECT_EQ(cookies, "a=2; d=4");
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.headers, GbkText(transport.response.headers));

  // Without merging the caller's text keeps what was sent.
  GbkText kept = Gbk("k=1");
  options.cookies = &kept;
  options.merge_cookies = false;
  HttpRequest(transport, options, &response);
  EXPECT_EQ(kept, "k=1");
  EXPECT_EQ(response.cookies, "a=2; c=deleted");
}

TEST(HttpRequestTest, ExtractAndMergeCookies) {
  EXPECT_EQ(ExtractCookies(Gbk("Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2")), "a=1; b=2");
  EXPECT_EQ(ExtractCookies(Gbk("set-cookie: x=1\r\nSet-Cookie2: y=2\r\nSet-Cookie: z=3")), "z=3");
  EXPECT_EQ(ExtractCookies(Gbk("Server: q\r\n")), "");

  EXPECT_EQ(MergeCookies(Gbk("a=1; c=3"), "a=2; c=deleted"), "a=2");
  EXPECT_EQ(MergeCookies(Gbk("a=1; b=2"), "b=3"), "b=3; a=1");
  EXPECT_EQ(MergeCookies(Gbk(" x=1; "), ""), "x=1");
  EXPECT_EQ(MergeCookies(Gbk(""), "n=1; n=1; m"), "n=1; m");
}

TEST(HttpRequestTest, ResultFormsAndFailures) {
  FakeHttpTransport transport;
  const std::string page = "\xE4\xB8\xAD" + std::string(1, '\0') + "tail";  // "中", zero, "tail"
  transport.response.body = page;
  HttpRequestOptions options = Options();
  EXPECT_EQ(HttpRequest(transport, options), "\xE4\xB8\xAD"_internal);
  options.result_form = HttpResultForm::Utf8UpToZero;
  EXPECT_EQ(HttpRequest(transport, options), Gbk("中"));
  options.result_form = HttpResultForm::Utf8WholeBody;
  EXPECT_EQ(HttpRequest(transport, options), Gbk("中") + GbkText(1, '\0') + "tail");
  EXPECT_EQ(HttpRequestBytes(transport, options), page);

  // A failed send: empty body, status 0, and the given cookies stay.
  transport.fail_send = true;
  GbkText cookies = Gbk("s=1");
  options.cookies = &cookies;
  HttpResponseInfo response;
  EXPECT_EQ(HttpRequest(transport, options, &response), "");
  EXPECT_EQ(response.status, 0);
  EXPECT_EQ(response.cookies, "s=1");

  // No request object: nothing is called and the outputs are untouched.
  FakeHttpTransport refusing;
  refusing.refuse_creation = true;
  response.status = 77;
  EXPECT_EQ(HttpRequest(refusing, options, &response), "");
  EXPECT_EQ(response.status, 77);
  EXPECT_THAT(refusing.calls, IsEmpty());
}

TEST(HttpRequestTest, Base64FollowsRfc4648) {
  const std::pair<const char*, const char*> rows[] = {
      {"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
      {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [in, out] : rows) EXPECT_EQ(Base64(in), out) << in;
  EXPECT_EQ(Base64("\xFF\xFE"), "//4=");
}

}  // namespace
}  // namespace qm
