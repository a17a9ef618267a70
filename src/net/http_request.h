#pragma once

#include <string>

#include "base/gbk_text_type.h"
#include "platform/http_transport.h"

namespace qm {

// One synchronous HTTP request on the calling thread.
//
// The request builds its own headers: the caller's extra header lines,
// completed with the default lines the caller left out (CompleteHeaders),
// with names given capital initials (NormaliseHeaderNames), then set on the
// request object in order (SendHeaders). Cookies travel in a text the
// caller keeps: sent as the Cookie header and, on return, merged with the
// cookies the server set (ExtractCookies, MergeCookies). Everything here is
// the module's own logic; the transport only carries out the calls of
// HttpRequestObject. No failure is reported: a request that fails gives an
// empty body and status 0.

enum class HttpResultForm {
  Raw = 0,            // the body bytes as text, up to the first zero byte
  Utf8UpToZero = 1,   // that text decoded from UTF-8
  Utf8WholeBody = 2,  // all body bytes decoded from UTF-8
};

struct HttpRequestOptions {
  GbkText url;
  // 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE, 7 CONNECT;
  // any other value is GET.
  int method = 0;
  // Only HttpRequest reads it.
  HttpResultForm result_form = HttpResultForm::Raw;
  GbkText body_text;
  // Sent instead of body_text when not empty.
  std::string body_bytes;
  // In and out: nullptr leaves cookies out; otherwise sent as the Cookie
  // header and replaced by the merged cookies on return.
  GbkText* cookies = nullptr;
  // Header lines "Name: value" separated by "\r\n".
  GbkText extra_headers;
  bool disable_redirects = false;
  GbkText proxy;
  // Seconds: -1 keeps the transport's own timeouts, 0 or less 15 seconds.
  int timeout = 0;
  GbkText proxy_user;
  GbkText proxy_password;
  // 1: the credentials are the proxy's, and a Proxy-Authorization header
  // is sent as well; 0: they go to the server.
  int proxy_credential_flag = 1;
  // Used instead of a new request object when given (a session's object).
  HttpRequestObject* request_object = nullptr;
  bool merge_cookies = true;
  bool complete_headers = true;
  bool normalise_header_names = true;
};

struct HttpResponseInfo {
  // The response headers, one per line, lines separated by "\r\n".
  GbkText headers;
  // "name=value" items separated by "; ".
  GbkText cookies;
  int status = 0;
};

// The body in the chosen result form; `response` (when given) receives the
// headers, cookies and status. When no request object can be made the
// result is empty and `response` is left untouched.
GbkText HttpRequest(HttpTransport& transport, const HttpRequestOptions& options,
                    HttpResponseInfo* response = nullptr);
// The body bytes unchanged; the result form is not used.
std::string HttpRequestBytes(HttpTransport& transport, const HttpRequestOptions& options,
                             HttpResponseInfo* response = nullptr);

// The steps of a request, each usable alone.
const char* MethodText(int method);
GbkText CompleteHeaders(const GbkText& headers, const GbkText& url, int method);
GbkText NormaliseHeaderNames(const GbkText& headers);
void SendHeaders(HttpRequestObject& request, const GbkText& headers);
GbkText ExtractCookies(const GbkText& response_headers);
GbkText MergeCookies(const GbkText& old_cookies, const GbkText& new_cookies);
// RFC 4648 with "=" padding; "" for "".
std::string Base64(std::string_view bytes);

}  // namespace qm
