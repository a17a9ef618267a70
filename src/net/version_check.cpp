#include "net/version_check.h"

#include <algorithm>

#include "net/http_request.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kVersionBytes = 4;
constexpr int kPostMethod = 1;

}  // namespace

GbkText CurrentVersion(const GbkText& main_window_title) {
  return Right(main_window_title, kVersionBytes);
}

GbkText TextAfterMarker(const GbkText& text, const GbkText& marker, int n) {
  const int found = Find(text, marker);
  if (found == -1) return {};
  return Middle(text, found + Length(marker), n);
}

GbkText TextBetween(const GbkText& text, const GbkText& left, const GbkText& right) {
  const int found = Find(text, left);
  if (found == -1) return {};
  const int start = found + Length(left);
  const int end = Find(text, right, start);
  if (end == -1) return {};
  return Middle(text, start, end - start);
}

VersionPage ReadVersionPage(const GbkText& page) {
  static const GbkText version_marker = Gbk("Quillmere最新版");
  static const GbkText tutorial_start = Gbk("发布教程帖子");
  static const GbkText tutorial_end = Gbk("本人发布");
  static const GbkText download_start = Gbk("只能下载");
  static const GbkText download_end = Gbk("感谢大家");
  return {TextAfterMarker(page, version_marker, kVersionBytes),
          TextBetween(page, tutorial_start, tutorial_end),
          TextBetween(page, download_start, download_end)};
}

GbkText FetchPageForMainCheck(HttpTransport& transport, const GbkText& address) {
  HttpRequestOptions options;
  options.url = address;
  options.method = kPostMethod;
  options.result_form = HttpResultForm::Utf8UpToZero;
  return HttpRequest(transport, options);
}

GbkText FetchPageForAboutCheck(HttpTransport& transport, const GbkText& address) {
  HttpRequestOptions options;
  options.url = address;
  options.method = kPostMethod;
  std::string body = HttpRequestBytes(transport, options);
  body.resize(std::min(body.find('\0'), body.size()));
  return Utf8ToGbk(body);
}

void ApplyMainCheck(Form& main_window, const GbkText& latest, const GbkText& current) {
  // Unknown (offline, or a page without the marker) is not "outdated".
  if (latest.empty() || latest == current) {
    main_window.SetText(Control::超级按钮1, Gbk("使用教程"));
    return;
  }
  main_window.SetText(Control::超级按钮1, Gbk("查看更新"));
  main_window.SetText(Control::透明标签8, Gbk("不是最新版本"));
}

}  // namespace qm
