#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryFile>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/controls.h"
#include "qt_application.h"
#include "rename/undo_record.h"

namespace qm {
namespace {

QWidget* Find(QWidget& window, Control control) {
  return window.findChild<QWidget*>(QString::fromUtf8(ControlName(control)));
}

// Position in the window and size: what the user sees of a control.
QRect InWindow(QWidget& window, QWidget* widget) {
  return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
}

// Where a tab page's content started in the window the table was measured on;
// the skin's frame around the pages may move the pages a pixel or two, never
// what is on them.
constexpr QPoint kPageOrigin(10, 138);

// A control's place in the designed coordinates of the table: in the window
// for the controls around the tabs, in its page (shifted by kPageOrigin) for
// those on a tab page.
QRect AsDesigned(QWidget* widget) {
  for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    auto* frame = qobject_cast<QScrollArea*>(up);
    if (frame == nullptr) continue;
    const bool on_page =
        qobject_cast<QTabWidget*>(frame->parentWidget()->parentWidget()) != nullptr;
    QPoint at = widget->mapTo(frame->widget(), QPoint(0, 0)) + (on_page ? kPageOrigin : QPoint());
    return QRect(at, widget->size());
  }
  return {};
}

// Every control where the window was designed to show it, measured on the
// fixed-size window this resizable one replaced.
const std::map<Control, QRect>& DesignedGeometry() {
  using C = Control;
  static const std::map<Control, QRect> geometry = {
      {C::选择框_窗口置顶, QRect(10, 10, 82, 22)},
      {C::按钮_手动读取, QRect(96, 8, 80, 28)},
      {C::标签2, QRect(300, 10, 460, 24)},
      {C::组合框2, QRect(182, 10, 112, 24)},
      {C::透明标签3, QRect(10, 44, 92, 24)},
      {C::组合框_仅检索, QRect(102, 44, 90, 24)},
      {C::透明标签4, QRect(200, 44, 80, 24)},
      {C::组合框_跳过扩展, QRect(280, 44, 90, 24)},
      {C::按钮_打开预览, QRect(380, 42, 90, 28)},
      {C::超级按钮1, QRect(476, 42, 80, 28)},
      {C::透明标签8, QRect(564, 44, 196, 24)},
      {C::编辑框14, QRect(10, 78, 240, 24)},
      {C::透明标签1, QRect(254, 78, 12, 24)},
      {C::组合框_创建扩展, QRect(268, 78, 90, 24)},
      {C::按钮14, QRect(364, 76, 80, 28)},
      {C::按钮_顺序颠倒, QRect(355, 120, 135, 28)},
      {C::按钮_多种重新排序, QRect(495, 120, 139, 28)},
      {C::按钮_用我的txt修改, QRect(639, 120, 123, 28)},
      {C::按钮_直接粘贴txt, QRect(480, 76, 150, 28)},
      {C::超级列表框1, QRect(355, 154, 407, 430)},
      {C::进度条1, QRect(355, 632, 407, 20)},
      {C::按钮_确认无误执行吧, QRect(568, 432, 140, 30)},
      {C::按钮_撤回上一步, QRect(850, 590, 115, 30)},
      {C::按钮_清空输入框, QRect(355, 592, 131, 30)},
      {C::按钮_清空列表框, QRect(493, 592, 131, 30)},
      {C::按钮_保存到txt, QRect(631, 592, 131, 30)},
      {C::高级选择夹1, QRect(8, 112, 340, 560)},
      {C::分组框6, QRect(16, 144, 324, 190)},
      {C::标签5, QRect(26, 168, 56, 24)},
      {C::组合框1, QRect(84, 168, 100, 24)},
      {C::选择框6, QRect(198, 169, 134, 22)},
      {C::选择框_1头, QRect(46, 230, 110, 22)},
      {C::选择框_1尾, QRect(46, 252, 110, 22)},
      {C::选择框_2头, QRect(198, 230, 110, 22)},
      {C::选择框_2尾, QRect(198, 252, 110, 22)},
      {C::标签3, QRect(26, 202, 18, 24)},
      {C::编辑框2, QRect(46, 202, 120, 24)},
      {C::标签4, QRect(178, 202, 18, 24)},
      {C::编辑框3, QRect(198, 202, 120, 24)},
      {C::按钮_一键删除, QRect(26, 280, 110, 28)},
      {C::标签13, QRect(26, 308, 306, 22)},
      {C::按钮8, QRect(142, 280, 28, 28)},
      {C::分组框1, QRect(16, 340, 324, 100)},
      {C::分组框15, QRect(26, 362, 190, 36)},
      {C::单选框11, QRect(34, 369, 86, 22)},
      {C::单选框12, QRect(124, 369, 86, 22)},
      {C::选择框3, QRect(222, 369, 114, 22)},
      {C::标签14, QRect(26, 406, 30, 24)},
      {C::编辑框8, QRect(58, 406, 158, 24)},
      {C::按钮_删前面, QRect(222, 404, 108, 28)},
      {C::分组框2, QRect(16, 446, 324, 100)},
      {C::分组框3, QRect(26, 468, 190, 36)},
      {C::单选框1, QRect(34, 475, 86, 22)},
      {C::单选框2, QRect(124, 475, 86, 22)},
      {C::选择框4, QRect(222, 475, 114, 22)},
      {C::标签15, QRect(26, 512, 30, 24)},
      {C::编辑框9, QRect(58, 512, 158, 24)},
      {C::按钮_删后面, QRect(222, 510, 108, 28)},
      {C::分组框5, QRect(16, 552, 324, 90)},
      {C::单选框13, QRect(26, 576, 90, 22)},
      {C::单选框14, QRect(120, 576, 90, 22)},
      {C::编辑框1, QRect(26, 606, 150, 24)},
      {C::按钮_删掉N次, QRect(182, 604, 56, 28)},
      {C::编辑框10, QRect(244, 606, 50, 24)},
      {C::标签8, QRect(300, 606, 20, 24)},
      {C::分组框7, QRect(16, 144, 324, 186)},
      {C::分组框13, QRect(26, 166, 148, 54)},
      {C::单选框7, QRect(34, 171, 136, 22)},
      {C::单选框8, QRect(34, 193, 136, 22)},
      {C::分组框14, QRect(182, 166, 148, 54)},
      {C::单选框9, QRect(190, 171, 136, 22)},
      {C::单选框10, QRect(190, 193, 136, 22)},
      {C::透明标签5, QRect(26, 226, 120, 20)},
      {C::编辑框4, QRect(26, 248, 136, 24)},
      {C::标签9, QRect(168, 248, 30, 24)},
      {C::透明标签6, QRect(200, 226, 120, 20)},
      {C::编辑框5, QRect(200, 248, 130, 24)},
      {C::透明标签7, QRect(26, 286, 56, 24)},
      {C::编辑框16, QRect(84, 286, 56, 24)},
      {C::按钮_替换, QRect(200, 284, 96, 28)},
      {C::按钮7, QRect(302, 284, 28, 28)},
      {C::分组框16, QRect(16, 336, 324, 62)},
      {C::单选框15, QRect(26, 364, 80, 22)},
      {C::单选框16, QRect(112, 364, 80, 22)},
      {C::按钮_繁简, QRect(222, 360, 108, 28)},
      {C::分组框4, QRect(16, 404, 324, 62)},
      {C::透明标签2, QRect(26, 432, 44, 24)},
      {C::组合框_修改扩展, QRect(72, 432, 130, 24)},
      {C::按钮_改扩展, QRect(222, 428, 108, 28)},
      {C::分组框9, QRect(16, 472, 324, 62)},
      {C::按钮_改01, QRect(26, 496, 150, 28)},
      {C::按钮4, QRect(182, 496, 28, 28)},
      {C::分组框10, QRect(16, 540, 324, 50)},
      {C::按钮_十五改15, QRect(26, 551, 148, 28)},
      {C::按钮_15改十五, QRect(182, 551, 148, 28)},
      {C::分组框21, QRect(16, 144, 324, 124)},
      {C::分组框12, QRect(26, 166, 148, 54)},
      {C::单选框5, QRect(34, 171, 136, 22)},
      {C::单选框6, QRect(34, 193, 136, 22)},
      {C::分组框11, QRect(182, 166, 148, 54)},
      {C::单选框3, QRect(190, 171, 136, 22)},
      {C::单选框4, QRect(190, 193, 136, 22)},
      {C::标签16, QRect(26, 230, 16, 24)},
      {C::编辑框11, QRect(44, 230, 100, 24)},
      {C::按钮_在某物前后加, QRect(150, 228, 70, 28)},
      {C::编辑框12, QRect(226, 230, 104, 24)},
      {C::分组框8, QRect(16, 274, 324, 92)},
      {C::编辑框6, QRect(26, 300, 190, 24)},
      {C::按钮_最前面加, QRect(222, 298, 108, 28)},
      {C::编辑框7, QRect(26, 332, 190, 24)},
      {C::按钮_最后面加, QRect(222, 330, 108, 28)},
      {C::分组框20, QRect(16, 372, 324, 62)},
      {C::编辑框18, QRect(26, 400, 150, 24)},
      {C::按钮_扩展名后面加, QRect(182, 398, 114, 28)},
      {C::按钮6, QRect(302, 398, 28, 28)},
      {C::分组框22, QRect(16, 440, 324, 48)},
      {C::编辑框13, QRect(26, 452, 120, 24)},
      {C::按钮_数字后加符号, QRect(152, 450, 144, 28)},
      {C::按钮5, QRect(302, 450, 28, 28)},
      {C::分组框23, QRect(16, 494, 324, 86)},
      {C::透明标签10, QRect(26, 506, 56, 24)},
      {C::编辑框17, QRect(84, 506, 60, 24)},
      {C::透明标签11, QRect(162, 506, 70, 24)},
      {C::组合框5, QRect(234, 506, 96, 24)},
      {C::透明标签12, QRect(26, 542, 56, 24)},
      {C::编辑框19, QRect(84, 542, 60, 24)},
      {C::按钮_加序号, QRect(162, 540, 100, 28)},
      {C::按钮3, QRect(302, 540, 28, 28)},
      {C::按钮_模拟B站AV, QRect(16, 588, 150, 30)},
      {C::分组框19, QRect(16, 144, 324, 50)},
      {C::按钮1, QRect(26, 155, 90, 28)},
      {C::编辑框15, QRect(122, 157, 50, 24)},
      {C::透明标签9, QRect(176, 157, 80, 24)},
      {C::按钮2, QRect(302, 155, 28, 28)},
      {C::分组框17, QRect(16, 202, 324, 116)},
      {C::分组框18, QRect(26, 226, 304, 40)},
      {C::单选框17, QRect(36, 235, 100, 22)},
      {C::单选框18, QRect(156, 235, 130, 22)},
      {C::按钮_删除文件, QRect(26, 276, 304, 30)},
  };
  return geometry;
}

class WindowFitTest : public ::testing::Test {
 protected:
  WindowFitTest() : window_(undo_, {&messages_, &windows_, nullptr}) {
    window_.show();
    QApplication::processEvents();
  }
  void ResizeTo(int width, int height) {
    window_.resize(width, height);
    QApplication::processEvents();
  }
  // Every control on every tab page, compared with its designed place moved
  // by shift where moved says so.
  void ExpectAllAt(const std::function<QRect(Control, QRect)>& expected) {
    auto* tabs = window_.findChild<QTabWidget*>();
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      QApplication::processEvents();
      // The controls around the tabs sit in an area that fills the window.
      QWidget* area = Find(window_, Control::超级列表框1)->parentWidget();
      EXPECT_EQ(area->mapTo(&window_, QPoint(0, 0)), QPoint(0, 0));
      for (const auto& [control, designed] : DesignedGeometry()) {
        QWidget* widget = Find(window_, control);
        ASSERT_NE(widget, nullptr) << ControlName(control);
        if (!widget->isVisibleTo(&window_) && widget->parentWidget()->isVisibleTo(&window_)) {
          continue;  // a hidden control is measured where its page is shown
        }
        EXPECT_EQ(AsDesigned(widget), expected(control, designed)) << ControlName(control);
      }
    }
  }

  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  MainWindow window_;
};

TEST_F(WindowFitTest, AtItsDesignedSizeEveryControlIsWhereItWasDesigned) {
  ResizeTo(MainWindow::kDesignedWidth, MainWindow::kDesignedHeight);
  ExpectAllAt([](Control, QRect designed) { return designed; });
  for (auto* frame : window_.findChildren<QAbstractScrollArea*>()) {
    if (qobject_cast<QScrollArea*>(frame) == nullptr) continue;
    EXPECT_FALSE(frame->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(frame->verticalScrollBar()->isVisible());
    // Frameless and unscrolled: the content starts where its frame does.
    auto* scrolling = qobject_cast<QScrollArea*>(frame);
    EXPECT_EQ(scrolling->widget()->mapTo(scrolling, QPoint(0, 0)), QPoint(0, 0));
  }
}

TEST_F(WindowFitTest, LargerTheListGrowsAndTheButtonsUnderItFollowItsBottomEdge) {
  const int dx = 300, dy = 150;
  ResizeTo(MainWindow::kDesignedWidth + dx, MainWindow::kDesignedHeight + dy);
  const QRect list = DesignedGeometry().at(Control::超级列表框1);
  ExpectAllAt([&](Control control, QRect designed) {
    if (control == Control::超级列表框1) return designed.adjusted(0, 0, dx, dy);
    if (control == Control::标签2) return designed.adjusted(0, 0, dx, 0);  // the folder path
    if (control == Control::高级选择夹1) return designed.adjusted(0, 0, 0, dy);
    if (designed.top() > list.bottom() && designed.left() >= list.left()) {
      return designed.translated(0, dy);
    }
    return designed;
  });

  // The preview keeps what the user added, as far as the screen allows, and
  // its buttons stay under the list.
  window_.findChild<QAbstractButton*>(QString::fromUtf8("按钮_打开预览"))->click();
  QApplication::processEvents();
  const int frame = window_.frameGeometry().width() - window_.width();
  EXPECT_EQ(window_.width(),
            std::min(1150 + dx, window_.screen()->availableGeometry().width() - frame));
  ResizeTo(1150 + dx, MainWindow::kDesignedHeight + dy);
  QWidget* list_view = Find(window_, Control::超级列表框1);
  for (Control button : {Control::按钮_确认无误执行吧, Control::按钮_撤回上一步}) {
    QRect placed = InWindow(window_, Find(window_, button));
    EXPECT_EQ(placed.top() - InWindow(window_, list_view).bottom(), 590 - list.bottom())
        << ControlName(button);
  }
}

// Where the preview moves and widens what it changes, in designed pixels.
QRect DesignedWithPreview(Control control, QRect designed) {
  switch (control) {
    case Control::超级列表框1:
      return designed.adjusted(0, 0, 380, 0);
    case Control::按钮_确认无误执行吧:
      return QRect(973, 590, 140, 30);
    case Control::按钮_撤回上一步:
      return QRect(850, 590, 115, 30);
    case Control::按钮_用我的txt修改:
      return QRect(830, 120, 123, 28);
    default:
      return designed;
  }
}

// The visible controls around the tabs, in the window's coordinates.
std::vector<std::pair<QWidget*, QRect>> VisibleAroundTheTabs(QWidget& window) {
  std::vector<std::pair<QWidget*, QRect>> controls;
  QWidget* area = Find(window, Control::超级列表框1)->parentWidget();
  for (auto* child : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isVisibleTo(&window)) controls.push_back({child, InWindow(window, child)});
  }
  return controls;
}

TEST_F(WindowFitTest, WithThePreviewOpenAtItsDesignedSizeEveryControlIsWhereItWasDesigned) {
  window_.findChild<QAbstractButton*>(QString::fromUtf8("按钮_打开预览"))->click();
  ResizeTo(1150, MainWindow::kDesignedHeight);
  ExpectAllAt(DesignedWithPreview);
}

// From the designed width down to the narrowest the window allows, at the
// designed height and on a low screen: the list gives up width, nothing is cut
// off or covered, and the window never scrolls sideways.
TEST_F(WindowFitTest, WithThePreviewOpenNarrowerTheListGivesUpWidthAndTheButtonsFollowIt) {
  window_.findChild<QAbstractButton*>(QString::fromUtf8("按钮_打开预览"))->click();
  QWidget* list = Find(window_, Control::超级列表框1);
  auto* frame = qobject_cast<QScrollArea*>(window_.centralWidget());
  ASSERT_NE(frame, nullptr);
  // As narrow as the closed window, give or take the pixel the designed list
  // widths differ by.
  const int narrowest = frame->widget()->minimumWidth();
  EXPECT_LE(narrowest, MainWindow::kDesignedWidth + 1);
  for (int height : {MainWindow::kDesignedHeight, 500}) {
    for (int width = 1150; width >= narrowest; width -= width > narrowest + 3 ? 3 : 1) {
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
      ResizeTo(width, height);
      ASSERT_FALSE(frame->horizontalScrollBar()->isVisible());
      ASSERT_EQ(frame->widget()->mapTo(&window_, QPoint(0, 0)), QPoint(0, 0));
      const QRect list_place = InWindow(window_, list);
      EXPECT_EQ(list_place.width(), 787 - (1150 - width));
      // A button moves only once the list's right edge reaches it, and the
      // undo button only as far as the commit button beside it pushes it.
      auto left_of = [this](Control control) {
        return InWindow(window_, Find(window_, control)).left();
      };
      EXPECT_EQ(left_of(Control::按钮_用我的txt修改), std::min(830, list_place.right() - 122));
      EXPECT_EQ(left_of(Control::按钮_确认无误执行吧), std::min(973, list_place.right() - 139));
      EXPECT_EQ(left_of(Control::按钮_撤回上一步),
                std::min(850, left_of(Control::按钮_确认无误执行吧) - 8 - 115));
      const auto controls = VisibleAroundTheTabs(window_);
      for (const auto& [widget, place] : controls) {
        EXPECT_TRUE(window_.rect().contains(place))
            << widget->objectName().toStdString() << " beyond the window";
        if (place.left() >= list_place.left()) {
          EXPECT_LE(place.right(), list_place.right()) << widget->objectName().toStdString();
        }
        for (const auto& [other, other_place] : controls) {
          if (other != widget && !(widget == list && other_place.bottom() < place.top())) {
            EXPECT_FALSE(place.intersects(other_place))
                << widget->objectName().toStdString() << " covers "
                << other->objectName().toStdString();
          }
        }
      }
      if (testing::Test::HasFailure()) return;
    }
  }
}

// Run in a process of its own by the test below, on the screen it describes.
void ExpectEveryControlInsideTheScreen(bool preview) {
  UndoHistory undo;
  ScriptedMessages messages;
  FakeWindowSystem windows;
  MainWindow window(undo, {&messages, &windows, nullptr});
  window.show();
  QApplication::processEvents();
  const QRect screen = window.screen()->availableGeometry();
  ASSERT_LT(screen.height(), MainWindow::kDesignedHeight);  // the test means a low screen
  if (preview) {
    // Opened where the widened window would reach beyond the screen's edge.
    window.move(screen.width() / 3, 0);
    window.findChild<QAbstractButton*>(QString::fromUtf8("按钮_打开预览"))->click();
    QApplication::processEvents();
    EXPECT_GT(window.width(), MainWindow::kDesignedWidth);
  }
  EXPECT_TRUE(screen.contains(window.frameGeometry())) << "window larger than the screen";
  const QRect inside(window.mapToGlobal(QPoint(0, 0)), window.size());
  auto* tabs = window.findChild<QTabWidget*>();
  for (int page = 0; page < tabs->count(); ++page) {
    tabs->setCurrentIndex(page);
    QApplication::processEvents();
    for (Control control : kMainWindowControls) {
      QWidget* widget = Find(window, control);
      if (!widget->isVisible()) continue;
      // A control on a tab page may need the page scrolled to it, as a user
      // would; the controls around the tabs never need the window scrolled.
      for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        auto* frame = qobject_cast<QScrollArea*>(up);
        if (frame == nullptr) continue;
        if (frame->parentWidget() != &window) {
          frame->ensureWidgetVisible(widget, 0, 0);
        } else {
          EXPECT_FALSE(frame->horizontalScrollBar()->isVisible());
        }
        break;
      }
      QApplication::processEvents();
      QRect global(widget->mapToGlobal(QPoint(0, 0)), widget->size());
      EXPECT_TRUE(screen.contains(global) && inside.contains(global))
          << ControlName(control) << " at " << global.x() << "," << global.y() << " "
          << global.width() << "x" << global.height();
    }
  }
}

// Run in a process of their own by the test below, on the screen it describes.
TEST(WindowOnScreenChild, DISABLED_EveryControlIsInsideTheScreen) {
  ExpectEveryControlInsideTheScreen(false);
}
TEST(WindowOnScreenChild, DISABLED_WithThePreviewOpenEveryControlIsInsideTheScreen) {
  ExpectEveryControlInsideTheScreen(true);
}

// Screens people have: 1600×1000 pixels at a scale of 2 gives the window
// 800×500; a 1066×666 screen is a 1600×1000 one at a scale of 1.5.
TEST(WindowOnScreen, OnSmallAndScaledScreensEveryControlIsInsideTheScreen) {
  struct Row {
    const char* name;
    const char* scale;
    int width, height;
    const char* child;
  } rows[] = {
      {"scale-2/closed", "2", 1600, 1000, "DISABLED_EveryControlIsInsideTheScreen"},
      {"scale-2/preview", "2", 1600, 1000,
       "DISABLED_WithThePreviewOpenEveryControlIsInsideTheScreen"},
      {"1066x666/preview", "1", 1066, 666,
       "DISABLED_WithThePreviewOpenEveryControlIsInsideTheScreen"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QTemporaryFile config;
    ASSERT_TRUE(config.open());
    config.write(QString(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": %1, "height": %2,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(row.width)
                     .arg(row.height)
                     .toUtf8());
    config.flush();
    const std::string command =
        std::string("QT_SCALE_FACTOR=") + row.scale +
        " QT_QPA_PLATFORM=offscreen:configfile=" + config.fileName().toStdString() + " '" +
        QCoreApplication::applicationFilePath().toStdString() +
        "' --gtest_also_run_disabled_tests --gtest_filter=WindowOnScreenChild." + row.child +
        " 2>&1";
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    std::string output;
    char buffer[4096];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, child)) output.append(buffer, got);
    int status = pclose(child);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
  }
}

}  // namespace
}  // namespace qm
