#include "net/version_check.h"

#include <gtest/gtest.h>

#include "fakes/fake_about_form.h"
#include "fakes/fake_form.h"
#include "fakes/fake_http_transport.h"
#include "net/about_handlers.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

using A = AboutControl;

TEST(VersionCheckTest, MarkersCutThePage) {
  const GbkText page =
      Gbk("<h1>Quillmere最新版17.0.1</h1>发布教程帖子https://t.test/1本人发布 只能下载"
          "https://d.test/2感谢大家 发布教程帖子https://t.test/second本人发布");
  const VersionPage read = ReadVersionPage(page);
  EXPECT_EQ(read.latest, "17.0");  // always four bytes
  EXPECT_EQ(read.tutorial_link, "https://t.test/1");
  EXPECT_EQ(read.download_link, "https://d.test/2");

  EXPECT_EQ(TextAfterMarker(Gbk("abc"), Gbk("最新版"), 4), "");
  EXPECT_EQ(TextAfterMarker(Gbk("v最新版1"), Gbk("最新版"), 4), "1");
  EXPECT_EQ(TextBetween(Gbk("右左x右"), Gbk("左"), Gbk("右")), "x");  // right searched after left
  EXPECT_EQ(TextBetween(Gbk("左x"), Gbk("左"), Gbk("右")), "");
  EXPECT_EQ(TextBetween(Gbk("左右"), Gbk("左"), Gbk("右")), "");
  EXPECT_EQ(CurrentVersion(Gbk("Quillmere*16.3")), "16.3");
}

TEST(VersionCheckTest, BothChecksApplyThePage) {
  struct Row {
    const char* name;
    const char* page;
    const char* button;  // MainWindow's 超级按钮1 after MainCheck
    const char* notice;  // its 透明标签8
    const char* latest;  // AboutWindow's 透明标签8
    const char* result;  // its 透明标签9
    bool download_shown;
  };
  const Row rows[] = {
      {"same version", "Quillmere最新版16.3", "使用教程", "", "16.3", "恭喜！已经是最新版本！",
       false},
      {"newer version", "Quillmere最新版16.4", "查看更新", "不是最新版本", "16.4",
       "目前不是最新的版本！", true},
      {"four bytes of 17.0.1", "Quillmere最新版17.0.1", "查看更新", "不是最新版本", "17.0",
       "目前不是最新的版本！", true},
      // Unknown is not outdated: no notice, no download link.
      {"no marker", "<html>维护中</html>", "使用教程", "", "", kLatestUnknown, false},
      {"no page at all", "", "使用教程", "", "", kLatestUnknown, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const GbkText page = Gbk(row.page);
    const GbkText current = CurrentVersion(Gbk("Quillmere*16.3"));

    FakeForm main_window;
    main_window.SetText(Control::超级按钮1, Gbk("使用教程"));
    ApplyMainCheck(main_window, ReadVersionPage(page).latest, current);
    EXPECT_EQ(main_window.Text(Control::超级按钮1), Gbk(row.button));
    EXPECT_EQ(main_window.Text(Control::透明标签8), Gbk(row.notice));

    FakeAboutForm about;
    about.SetVisible(A::透明标签9, true);  // the update page was opened before the check ended
    AboutLinks links{Gbk("old"), "old"};
    ApplyAboutCheck(about, links, page, current);
    EXPECT_EQ(about.Text(A::透明标签7), "16.3");
    EXPECT_EQ(about.Text(A::透明标签8), Gbk(row.latest));
    EXPECT_EQ(about.Text(A::透明标签9), Gbk(row.result));
    EXPECT_FALSE(about.IsVisible(A::透明标签9));
    EXPECT_EQ(about.IsVisible(A::超级链接框1), row.download_shown);
    EXPECT_EQ(links.tutorial, "");  // missing link markers give empty links
    EXPECT_EQ(links.download, "");
  }
}

TEST(VersionCheckTest, ChecksPostToThePageAndDecodeIt) {
  FakeHttpTransport transport;
  transport.response.body =
      "Quillmere\xE6\x9C\x80\xE6\x96\xB0\xE7\x89\x88"
      "16.4" +
      std::string(1, '\0') + "rest";
  EXPECT_EQ(FetchPageForMainCheck(transport, Gbk("https://p.test/")), Gbk("Quillmere最新版16.4"));
  EXPECT_EQ(transport.calls[1], "Open(POST|https://p.test/)");
  transport.calls.clear();
  EXPECT_EQ(FetchPageForAboutCheck(transport, Gbk("https://p.test/")), Gbk("Quillmere最新版16.4"));
  EXPECT_EQ(transport.calls[1], "Open(POST|https://p.test/)");
}

TEST(AboutHandlersTest, SideButtonsLinksAndTheGroupNumber) {
  FakeAboutForm form;
  FakeShell shell;
  AboutLinks links;
  OnAboutWindowCreated(form);
  EXPECT_EQ(form.page, 0);
  EXPECT_EQ(form.highlighted, A::超级按钮_使用教程);
  EXPECT_EQ(form.focused, A::超级按钮_使用教程);

  form.SetVisible(A::透明标签9, false);
  OnAboutClicked(form, shell, links, A::超级按钮_更新信息);
  EXPECT_EQ(form.page, 1);
  EXPECT_EQ(form.highlighted, A::超级按钮_更新信息);
  EXPECT_TRUE(form.IsVisible(A::透明标签9));
  OnAboutClicked(form, shell, links, A::超级按钮_QQ群);
  EXPECT_EQ(form.page, 2);
  EXPECT_EQ(form.focused, A::超级按钮_QQ群);

  // Before any check the links are empty: nothing opens, the clipboard keeps its text.
  OnAboutClicked(form, shell, links, A::超级链接框1);
  OnAboutClicked(form, shell, links, A::超级链接框2);
  OnAboutClicked(form, shell, links, A::超级链接框3);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(shell.clipboard, "before");
  EXPECT_EQ(form.focused, A::超级按钮_更新信息);

  links = {"\r\n https://t.test/a \r\n", "https://d.test/b"};
  OnAboutClicked(form, shell, links, A::超级链接框1);
  OnAboutClicked(form, shell, links, A::超级链接框2);
  OnAboutClicked(form, shell, links, A::超级链接框3);
  EXPECT_EQ(shell.opened, (std::vector<GbkText>{"https://d.test/b", "https://t.test/a"}));
  EXPECT_EQ(shell.clipboard, links.tutorial);

  // No group number in this build: the clipboard keeps what it had.
  shell.clipboard = "kept";
  OnAboutClicked(form, shell, links, A::按钮2);
  EXPECT_EQ(shell.clipboard, "kept");
  EXPECT_EQ(form.focused, A::超级按钮_QQ群);
  OnAboutClicked(form, shell, links, A::超级按钮_关闭此页);
  EXPECT_TRUE(form.closed);
}

TEST(AboutHandlersTest, OnlyWebAddressesOpen) {
  const std::pair<const char*, bool> rows[] = {
      {"https://q.test/x?a=1", true},
      {"HTTP://q.test/", true},
      {"", false},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"ftp://q.test/", false},
      {"https://q.test/a b", false},
      {"http:", false},
  };
  for (const auto& [link, opens] : rows) {
    FakeShell shell;
    EXPECT_EQ(OpenLink(shell, link), opens) << link;
    EXPECT_EQ(shell.opened.size(), opens ? 1u : 0u) << link;
  }
}

}  // namespace
}  // namespace qm
