// The version checks, the about window, the help window and the skin, through
// the real windows. The version page is served by a server this test starts
// on 127.0.0.1.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QThread>
#include <chrono>
#include <functional>
#include <memory>

#include "app/about_window.h"
#include "app/command_line.h"
#include "app/explanation_window.h"
#include "app/help_texts.h"
#include "app/main_window.h"
#include "app/skin.h"
#include "fakes/fake_about_form.h"
#include "fakes/loopback_http_server.h"
#include "fakes/scripted_messages.h"
#include "net/about_handlers.h"
#include "platform/qt/qt_about_form.h"
#include "platform/qt/qt_text.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

using A = AboutControl;
using namespace std::chrono_literals;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// Pumps the UI thread's events until `done` holds; false after `limit`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limit.count()) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return true;
}

void PumpFor(std::chrono::milliseconds time) {
  PumpUntil([] { return false; }, time);
}

LoopbackHttpServer::Response Page(const char* utf8) { return {200, {}, utf8}; }

class VersionCheckWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("no_proxy", "127.0.0.1", 1); }

  // A MainWindow whose checks fetch `page_url`.
  std::unique_ptr<MainWindow> OpenMainWindow(const std::string& page_url) {
    url_ = page_url;
    MainWindowOverrides overrides;
    overrides.messages = &messages_;
    overrides.shell = &shell_;
    overrides.version_page = url_.c_str();
    auto window = std::make_unique<MainWindow>(undo_, overrides);
    window->show();
    return window;
  }

  // The timer and the hand-over need the UI thread's events while waiting.
  bool RequestsArrive(size_t count) {
    return PumpUntil([&] { return server_.requests().size() >= count; });
  }

  static QString MainText(MainWindow& window, Control control) {
    QWidget* widget = window.findChild<QWidget*>(Utf8(ControlName(control)));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    return qobject_cast<QLabel*>(widget)->text();
  }

  // Opens the about window as a person does, by its button in MainWindow.
  static AboutWindow* OpenAbout(MainWindow& window) {
    window.findChild<QAbstractButton*>(Utf8(ControlName(Control::超级按钮1)))->click();
    return window.about_window();
  }
  static void Click(AboutWindow* about, AboutControl control) {
    about->findChild<QAbstractButton*>(Utf8(AboutControlName(control)))->click();
  }
  static QString AboutText(AboutWindow* about, AboutControl control) {
    return ToQString(about->form().Text(control));
  }
  static bool AboutShows(AboutWindow* about, AboutControl control) {
    return about->form().IsVisible(control);
  }

  LoopbackHttpServer server_;
  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeShell shell_;
  std::string url_;
};

TEST_F(VersionCheckWindowTest, BothChecksCompareTheRunningVersionWithThePage) {
  struct Row {
    const char* name;
    const char* page;  // nullptr: no server at all
    const char* button;
    const char* notice;
    const char* latest;
    const char* result;
    bool download_shown;
  };
  const Row rows[] = {
      {"16.3", "<b>Quillmere最新版16.3</b>", "使用教程", "", "16.3", "恭喜！已经是最新版本！",
       false},
      {"16.4", "<b>Quillmere最新版16.4</b>", "查看更新", "不是最新版本", "16.4",
       "目前不是最新的版本！", true},
      {"17.0.1", "Quillmere最新版17.0.1", "查看更新", "不是最新版本", "17.0",
       "目前不是最新的版本！", true},
      // Offline or without the marker, the latest version is unknown, not newer.
      {"no marker", "<html>维护中</html>", "使用教程", "", "", kLatestUnknown, false},
      {"no server", nullptr, "使用教程", "", "", kLatestUnknown, false},
  };
  const std::string closed =
      "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort()) + "/";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.page != nullptr) server_.SetResponse(Page(row.page));
    const size_t before = server_.requests().size();
    auto window = OpenMainWindow(row.page != nullptr ? server_.Url() : closed);

    // MainCheck: one POST after the timer's first tick, applied to the window.
    if (row.page != nullptr) {
      ASSERT_TRUE(RequestsArrive(before + 1));
      EXPECT_EQ(server_.requests().back().method, "POST");
    }
    if (std::string_view(row.button) == "使用教程") {
      PumpFor(300ms);  // nothing changes: give a wrong result the time to show
    } else {
      EXPECT_TRUE(
          PumpUntil([&] { return MainText(*window, Control::超级按钮1) == Utf8(row.button); }));
    }
    EXPECT_EQ(MainText(*window, Control::超级按钮1), Utf8(row.button));
    EXPECT_EQ(MainText(*window, Control::透明标签8).trimmed(), Utf8(row.notice));

    // AboutCheck: versions side by side once the window's own check is back.
    AboutWindow* about = OpenAbout(*window);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), Utf8("Quillmere-关于"));
    EXPECT_EQ(about->findChild<QTabWidget*>(Utf8("高级选择夹1"))->currentIndex(), 0);
    EXPECT_EQ(AboutText(about, A::透明标签8), "16.0");  // the form's caption until then
    EXPECT_TRUE(PumpUntil([&] { return AboutText(about, A::透明标签8) != "16.0"; }));
    EXPECT_EQ(AboutText(about, A::透明标签7), "16.3");
    EXPECT_EQ(AboutText(about, A::透明标签8), Utf8(row.latest));
    EXPECT_FALSE(AboutShows(about, A::透明标签9));
    EXPECT_EQ(AboutShows(about, A::超级链接框1), row.download_shown);
    Click(about, A::超级按钮_更新信息);
    EXPECT_TRUE(AboutShows(about, A::透明标签9));
    EXPECT_EQ(AboutText(about, A::透明标签9), Utf8(row.result));
    if (row.page != nullptr) {
      EXPECT_EQ(server_.requests().size(), before + 2);
    }
  }
}

TEST_F(VersionCheckWindowTest, OpeningTwiceRunsTheCheckTwiceAndKeepsTheSecondLinks) {
  server_.SetResponse(
      Page("Quillmere最新版16.4 发布教程帖子https://t.test/first本人发布 只能下载https://d.test/"
           "first感谢大家"));
  auto window = OpenMainWindow(server_.Url());
  ASSERT_TRUE(RequestsArrive(1));

  AboutWindow* about = OpenAbout(*window);
  // Before any about check completes, the links are empty and open nothing.
  Click(about, A::超级链接框2);
  EXPECT_TRUE(shell_.opened.empty());
  ASSERT_TRUE(PumpUntil([&] { return AboutText(about, A::透明标签8) == "16.4"; }));
  // A second click brings the open window forward instead of a second one.
  EXPECT_EQ(OpenAbout(*window), about);
  Click(about, A::超级按钮_关闭此页);
  ASSERT_TRUE(PumpUntil([&] { return window->about_window() == nullptr; }));

  server_.SetResponse(
      Page("Quillmere最新版16.3 发布教程帖子https://t.test/second本人发布 只能下载https://d.test/"
           "second感谢大家"));
  about = OpenAbout(*window);
  ASSERT_TRUE(PumpUntil([&] { return AboutText(about, A::透明标签8) == "16.3"; }));
  EXPECT_EQ(server_.requests().size(), 3u);
  Click(about, A::超级链接框2);
  Click(about, A::超级链接框3);
  Click(about, A::超级链接框1);
  EXPECT_EQ(shell_.opened,
            (std::vector<GbkText>{"https://t.test/second", "https://d.test/second"}));
  EXPECT_EQ(shell_.clipboard, "https://t.test/second");
  // No group number is set in this build: none is shown, none copied.
  Click(about, A::按钮2);
  EXPECT_EQ(shell_.clipboard, "https://t.test/second");
  EXPECT_EQ(AboutText(about, A::透明标签1), "");
}

TEST_F(VersionCheckWindowTest, ClosingBeforeTheCheckReturnsLeavesNothingBehind) {
  server_.SetResponse(Page("Quillmere最新版16.4 发布教程帖子https://t.test/late本人发布"));
  auto window = OpenMainWindow(server_.Url());
  ASSERT_TRUE(RequestsArrive(1));
  ASSERT_TRUE(PumpUntil([&] { return MainText(*window, Control::超级按钮1) == Utf8("查看更新"); }));

  server_.Hold();
  AboutWindow* about = OpenAbout(*window);
  ASSERT_TRUE(RequestsArrive(2));
  QElapsedTimer clock;
  clock.start();
  Click(about, A::超级按钮_关闭此页);
  ASSERT_TRUE(PumpUntil([&] { return window->about_window() == nullptr; }));
  EXPECT_LT(clock.elapsed(), 5000);  // closing does not wait for the network
  server_.Release();
  PumpFor(300ms);

  // The closed window's check set no links.
  about = OpenAbout(*window);
  server_.Hold();  // this window's own check stays out
  Click(about, A::超级链接框2);
  EXPECT_TRUE(shell_.opened.empty());

  // MainWindow itself closes while a check waits.
  clock.restart();
  window.reset();
  EXPECT_LT(clock.elapsed(), 5000);
  server_.Release();
}

// A build without the version check gives its windows no page: neither
// window makes a request, and the update page says the check is off.
TEST_F(VersionCheckWindowTest, WithoutAPageNoCheckRunsAndTheAboutWindowSaysSo) {
  UndoHistory undo;
  MainWindowOverrides overrides;
  overrides.messages = &messages_;
  overrides.shell = &shell_;
  MainWindow window(undo, overrides);
  window.show();
  PumpFor(300ms);
  EXPECT_FALSE(window.timer().isActive());  // the first tick stopped it
  EXPECT_EQ(MainText(window, Control::超级按钮1), Utf8("使用教程"));
  AboutWindow* about = OpenAbout(window);
  ASSERT_TRUE(PumpUntil([&] { return AboutText(about, A::透明标签9) == Utf8(kCheckTurnedOff); }));
  Click(about, A::超级按钮_更新信息);
  EXPECT_TRUE(AboutShows(about, A::透明标签9));
  EXPECT_FALSE(AboutShows(about, A::超级链接框1));
  EXPECT_EQ(AboutText(about, A::透明标签7), QString::fromUtf8(ProgramVersion()));
  PumpFor(200ms);
  EXPECT_TRUE(server_.requests().empty());
}

TEST(HelpWindowTest, TheSevenHelpButtonsShareOneExplanationWindow) {
  UndoHistory undo;
  ScriptedMessages messages;
  MainWindow window(undo, {&messages, nullptr, nullptr});
  window.show();
  ExplanationWindow* explanation = nullptr;
  for (Control button : {Control::按钮4, Control::按钮7, Control::按钮5, Control::按钮6,
                         Control::按钮2, Control::按钮8, Control::按钮3}) {
    SCOPED_TRACE(ControlName(button));
    auto* help = window.findChild<QAbstractButton*>(Utf8(ControlName(button)));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), "?");
    help->click();
    ASSERT_NE(window.explanation_window(), nullptr);
    if (explanation == nullptr) explanation = window.explanation_window();
    EXPECT_EQ(window.explanation_window(), explanation);
    EXPECT_TRUE(explanation->isVisible());
    auto* label = explanation->findChild<QLabel*>(Utf8("透明标签1"));
    EXPECT_EQ(label->text(), Utf8(HelpTextOf(button)));
  }
  EXPECT_EQ(explanation->windowTitle(), Utf8("解释用意的窗口"));
  EXPECT_EQ(explanation->size(), QSize(484, 321));
  EXPECT_EQ(Utf8(HelpTextOf(Control::按钮6)),
            Utf8("用于给没有扩展名的文件补上扩展名，\r\n使用概率不高，但是一旦需要，\r\n"
                 "会非常有效率！"));
  EXPECT_TRUE(Utf8(HelpTextOf(Control::按钮8)).startsWith(Utf8("删除中间的内容\r\n\r\n")));
  EXPECT_EQ(HelpTextOf(Control::按钮_加序号), nullptr);

  // Closed, it is made anew at the next click.
  explanation->close();
  ASSERT_TRUE(PumpUntil([&] { return window.explanation_window() == nullptr; }));
  window.findChild<QAbstractButton*>(Utf8(ControlName(Control::按钮3)))->click();
  ASSERT_NE(window.explanation_window(), nullptr);
  EXPECT_EQ(window.explanation_window()->findChild<QLabel*>(Utf8("透明标签1"))->text(),
            Utf8(HelpTextOf(Control::按钮3)));
}

TEST(SkinTest, HueAndSaturationTurnEveryColourOfTheSheet) {
  const QColor base(0x7E6B5C);
  struct Row {
    const char* name;
    int hue;
    int saturation;
    int expected_hue;  // of the base colour, degrees
    int expected_saturation;
  };
  const Row rows[] = {
      {"unchanged", 0, 0, base.hsvHue(), base.hsvSaturation()},
      {"half turn", 180, 0, (base.hsvHue() + 180) % 360, base.hsvSaturation()},
      {"hue clamped to 180", 400, 0, (base.hsvHue() + 180) % 360, base.hsvSaturation()},
      {"backwards", -40, 0, (base.hsvHue() + 320) % 360, base.hsvSaturation()},
      {"grey", 0, -100, -1, 0},
      {"saturation clamped to full", 0, 250, base.hsvHue(), 255},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const QColor adjusted = AdjustHsv(base, row.hue, row.saturation);
    if (row.expected_hue >= 0) {
      EXPECT_NEAR(adjusted.hsvHue(), row.expected_hue, 1);
    }
    EXPECT_NEAR(adjusted.hsvSaturation(), row.expected_saturation, 1);
    EXPECT_EQ(adjusted.value(), base.value());
  }
  const QString sheet = SkinStyleSheet(kSkin, 180, 0);
  EXPECT_FALSE(sheet.contains('@'));
  EXPECT_FALSE(sheet.contains("#7e6b5c"));
  EXPECT_TRUE(sheet.contains(AdjustHsv(base, 180, 0).name()));

  UndoHistory undo;
  ScriptedMessages messages;
  MainWindow window(undo, {&messages, nullptr, nullptr});
  EXPECT_TRUE(qApp->styleSheet().contains("#7e6b5c"));  // the program's own colour
}

}  // namespace
}  // namespace qm
