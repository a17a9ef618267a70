#include "net/http_request.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/encoding.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kDefaultTimeoutSeconds = 15;

struct DefaultHeader {
  AsciiLiteral looked_for;
  AsciiLiteral line;  // without the Referer's url
};

// Completed in this order; the Content-Type line only for a POST.
constexpr DefaultHeader kDefaultHeaders[] = {
    {"Accept:", "Accept: */*"},
    {"Referer:", "Referer: "},
    {"Accept-Language:", "Accept-Language: zh-cn"},
    {"User-Agent:", "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded"},
};
constexpr int kPostMethod = 1;

// The transport speaks UTF-8; a text that is not valid in the internal
// encoding goes out as it stands and fails there, not here.
std::string ToUtf8(const GbkText& text) {
  Result<std::string> utf8 = InternalToUtf8(text);
  return utf8 ? std::move(utf8).value() : text.bytes();
}

GbkText CapitalInitial(std::string_view piece) {
  GbkText result(piece);
  if (!result.empty() && result[0] >= 'a' && result[0] <= 'z') result[0] = result[0] - 'a' + 'A';
  return result;
}

GbkText NormaliseName(std::string_view name) {
  if (Find(name, "-") == -1) return CapitalInitial(name);
  GbkText result;
  for (const GbkText& piece : Split(name, "-")) {
    if (!result.empty()) result += '-';
    result += CapitalInitial(piece);
  }
  return result;
}

// The text before the first ":" and the text after it, both trimmed.
void SetHeaderFromLine(HttpRequestObject& request, const GbkText& line) {
  const int colon = Find(line, ":");
  GbkText name = colon == -1 ? GbkText() : Trim(Left(line, colon - 1));
  GbkText value = colon == -1 ? GbkText() : Trim(Middle(line, colon + 1, Length(line)));
  request.SetRequestHeader(ToUtf8(name), ToUtf8(value));
}

GbkText CookieName(const GbkText& item) {
  const int equals = Find(item, "=");
  return Trim(equals == -1 ? item : Left(item, equals - 1));
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Runs the request; false when no request object could be made.
bool Perform(HttpTransport& transport, const HttpRequestOptions& options, std::string& body,
             HttpResponseInfo* response) {
  std::unique_ptr<HttpRequestObject> own;
  HttpRequestObject* request = options.request_object;
  if (request == nullptr) {
    own = transport.CreateRequestObject();
    request = own.get();
  }
  if (request == nullptr) return false;

  if (options.timeout != -1) {
    const int ms = (options.timeout > 0 ? options.timeout : kDefaultTimeoutSeconds) * 1000;
    request->SetTimeouts(ms, ms, ms, ms);
  }
  if (!options.proxy.empty()) request->SetProxy(ToUtf8(options.proxy));
  request->Open(MethodText(options.method), ToUtf8(options.url));
  if (options.disable_redirects) request->DisableRedirects();

  GbkText headers = options.extra_headers;
  if (options.complete_headers) headers = CompleteHeaders(headers, options.url, options.method);
  if (options.normalise_header_names) headers = NormaliseHeaderNames(headers);

  if (!options.proxy.empty() && !options.proxy_user.empty()) {
    request->SetCredentials(ToUtf8(options.proxy_user), ToUtf8(options.proxy_password),
                            options.proxy_credential_flag);
    // The header carries the same bytes the transport sends for the credentials.
    if (options.proxy_credential_flag == 1) {
      request->SetRequestHeader(
          "Proxy-Authorization",
          "Basic " + Base64(ToUtf8(options.proxy_user) + ":" + ToUtf8(options.proxy_password)));
    }
  }
  if (options.cookies != nullptr) {
    GbkText& cookies = *options.cookies;
    if (!cookies.empty() && Find(cookies, "Cookie:", 1, true) != -1) {
      cookies = Replace(cookies, "Cookie:", "", 1, -1, false);
    }
    request->SetRequestHeader("Cookie", ToUtf8(cookies));
  }
  SendHeaders(*request, headers);

  request->Send(!options.body_bytes.empty() ? options.body_bytes : ToUtf8(options.body_text));
  body = request->ResponseBody();
  HttpResponseInfo info;
  info.headers = Utf8ToInternalLenient(request->AllResponseHeaders());
  info.status = request->Status();
  info.cookies = ExtractCookies(info.headers);
  if (options.merge_cookies && options.cookies != nullptr) {
    info.cookies = MergeCookies(*options.cookies, info.cookies);
    *options.cookies = info.cookies;
  }
  if (response != nullptr) *response = std::move(info);
  return true;
}

std::string_view UpToFirstZero(std::string_view bytes) {
  return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

}  // namespace

const char* MethodText(int method) {
  static const char* const kMethods[] = {"GET",     "POST",   "HEAD",  "PUT",
                                         "OPTIONS", "DELETE", "TRACE", "CONNECT"};
  return method >= 0 && method <= 7 ? kMethods[method] : kMethods[0];
}

GbkText CompleteHeaders(const GbkText& headers, const GbkText& url, int method) {
  GbkText result = headers;
  for (const DefaultHeader& row : kDefaultHeaders) {
    const bool post_only = row.looked_for.view() == "Content-Type:";
    if (post_only && method != kPostMethod) continue;
    // Searched in the text completed so far, as each line is added in turn.
    if (Find(result, row.looked_for, 1, true) != -1) continue;
    result += "\r\n";
    result += row.line;
    if (row.looked_for.view() == "Referer:") result += url;
  }
  return result;
}

GbkText NormaliseHeaderNames(const GbkText& headers) {
  GbkText result;
  bool first = true;
  for (const GbkText& line : Split(headers, "\r\n")) {
    const int colon = Find(line, ":");
    if (colon == -1) continue;
    GbkText name = NormaliseName(Left(line, colon - 1));
    GbkText rest = Right(line, Length(line) - Length(name));
    if (!first) result += "\r\n";
    first = false;
    result += name + rest;
  }
  return result;
}

void SendHeaders(HttpRequestObject& request, const GbkText& headers) {
  if (Find(headers, "\r\n") == -1) {
    SetHeaderFromLine(request, headers);
    return;
  }
  for (const GbkText& line : Split(headers, "\r\n")) {
    if (line.empty()) continue;
    const int colon = Find(line, ":");
    if (colon != -1 && Trim(Left(line, colon - 1)) == "Connection" &&
        Trim(Middle(line, colon + 1, Length(line))) == "keep-alive") {
      continue;
    }
    SetHeaderFromLine(request, line);
  }
}

GbkText ExtractCookies(const GbkText& response_headers) {
  GbkText result;
  for (const GbkText& line : Split(response_headers, "\r\n")) {
    const int separator = Find(line, ": ");
    if (separator == -1 || Left(line, separator - 1) != "Set-Cookie") continue;
    GbkText value;
    if (Find(line, ";") == -1) {
      value = Trim(Replace(line, "Set-Cookie:", "", 1, -1, false));
    } else {
      const int start = Find(line, "Set-Cookie:") + Length("Set-Cookie:");
      const int end = Find(line, ";", start);
      // Only the leading name=value survives; path, expiry and the rest are dropped.
      value = end == -1 ? GbkText() : Trim(Middle(line, start, end - start));
    }
    result += value + "; ";
  }
  if (EndsWith(result, "; ")) result.resize(result.size() - 2);
  return result;
}

GbkText MergeCookies(const GbkText& old_cookies, const GbkText& new_cookies) {
  auto items_of = [](const GbkText& cookies) {
    GbkText text = Trim(cookies);
    if (EndsWith(text, ";")) text += " ";
    std::vector<GbkText> items;
    // An empty piece is no cookie: it would only leave a stray separator.
    for (GbkText& item : Split(text, "; ")) {
      if (!Trim(item).empty()) items.push_back(std::move(item));
    }
    return items;
  };
  std::vector<GbkText> merged = items_of(new_cookies);
  for (GbkText& old_item : items_of(old_cookies)) {
    const GbkText name = CookieName(old_item);
    // New values win; old cookies the response did not mention stay.
    bool mentioned = std::any_of(merged.begin(), merged.end(),
                                 [&](const GbkText& item) { return CookieName(item) == name; });
    if (!mentioned) merged.push_back(std::move(old_item));
  }
  GbkText result;
  std::vector<GbkText> kept;
  for (const GbkText& item : merged) {
    if (EndsWith(item, "=deleted")) continue;
    if (std::find(kept.begin(), kept.end(), item) != kept.end()) continue;
    kept.push_back(item);
    if (!result.empty()) result += "; ";
    result += item;
  }
  return result;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[n >> 18 & 63];
    out += kAlphabet[n >> 12 & 63];
    out += kAlphabet[n >> 6 & 63];
    out += kAlphabet[n & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[n >> 18 & 63];
    out += kAlphabet[n >> 12 & 63];
    out += rest == 2 ? kAlphabet[n >> 6 & 63] : '=';
    out += '=';
  }
  return out;
}

GbkText HttpRequest(HttpTransport& transport, const HttpRequestOptions& options,
                    HttpResponseInfo* response) {
  std::string body;
  if (!Perform(transport, options, body, response)) return {};
  switch (options.result_form) {
    case HttpResultForm::Utf8UpToZero:
      return Utf8ToGbk(UpToFirstZero(body));
    case HttpResultForm::Utf8WholeBody:
      return Utf8ToGbk(body);
    case HttpResultForm::Raw:
      break;
  }
  return GbkText(UpToFirstZero(body));
}

std::string HttpRequestBytes(HttpTransport& transport, const HttpRequestOptions& options,
                             HttpResponseInfo* response) {
  std::string body;
  Perform(transport, options, body, response);
  return body;
}

}  // namespace qm
