#include "app/about_window.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>

#include "app/background_check.h"
#include "app/widget_placement.h"
#include "base/encoding.h"
#include "net/about_handlers.h"
#include "platform/qt/qt_about_form.h"

namespace qm {
namespace {

using A = AboutControl;

QLabel* Label(QWidget* parent, AboutControl id, const char* caption, int left, int top, int width,
              int height = 24) {
  auto* label = new QLabel(Utf8(caption), parent);
  label->setTextFormat(Qt::PlainText);
  return Place(label, id, left, top, width, height);
}

QPushButton* Button(QWidget* parent, AboutControl id, const char* caption, int left, int top,
                    int width, int height, const char* kind) {
  auto* button = new QPushButton(Utf8(caption), parent);
  button->setAutoDefault(false);
  button->setProperty(kind, true);
  if (std::string_view(kind) == "link") button->setCursor(Qt::PointingHandCursor);
  return Place(button, id, left, top, width, height);
}

QLabel* Picture(QWidget* parent, AboutControl id, const QPixmap& picture, int left, int top) {
  auto* box = new QLabel(parent);
  box->setPixmap(picture);
  return Place(box, id, left, top, picture.width(), picture.height());
}

// A quill: a feather's vane around a curved shaft.
void DrawQuill(QPainter& painter, QPointF tip, double length, const QColor& colour) {
  QPainterPath vane;
  vane.moveTo(tip);
  vane.cubicTo(tip + QPointF(length * 0.15, -length * 0.55),
               tip + QPointF(length * 0.55, -length * 0.9), tip + QPointF(length * 0.62, -length));
  vane.cubicTo(tip + QPointF(length * 0.38, -length * 0.62),
               tip + QPointF(length * 0.2, -length * 0.3), tip);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(vane);
  painter.setPen(QPen(colour.darker(140), 1.4));
  painter.drawLine(tip, tip + QPointF(length * 0.5, -length * 0.8));
}

// The 300 by 80 banners of the first two pages.
QPixmap Banner(const char* title, const char* subtitle) {
  QPixmap picture(300, 80);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 300, 80);
  fill.setColorAt(0, QColor(0x7E6B5C));
  fill.setColorAt(1, QColor(0xB39A82));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 299, 79), 10, 10);
  painter.setBrush(QColor(255, 255, 255, 28));
  painter.drawEllipse(QPointF(262, 12), 48, 48);
  DrawQuill(painter, QPointF(22, 68), 56, QColor(0xFFF6EA));
  QFont font = painter.font();
  font.setPixelSize(24);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(70, 10, 220, 34), Qt::AlignLeft | Qt::AlignVCenter, Utf8(title));
  font.setPixelSize(13);
  font.setBold(false);
  painter.setFont(font);
  painter.setPen(QColor(0xF3E7D8));
  painter.drawText(QRectF(72, 44, 220, 24), Qt::AlignLeft | Qt::AlignVCenter, Utf8(subtitle));
  return picture;
}

// The 200 by 200 pictures of the tipping page: a cup of tea in the service's colour.
QPixmap TipPicture(const QColor& colour, const char* caption) {
  QPixmap picture(200, 200);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 3));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(4, 4, 192, 192), 14, 14);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  QPainterPath cup;
  cup.moveTo(58, 70);
  cup.lineTo(132, 70);
  cup.cubicTo(132, 112, 120, 128, 95, 128);
  cup.cubicTo(70, 128, 58, 112, 58, 70);
  painter.drawPath(cup);
  painter.setPen(QPen(colour, 6));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(138, 88), 12, 12);
  painter.drawLine(QPointF(50, 138), QPointF(140, 138));
  painter.setPen(QPen(colour.lighter(150), 3, Qt::SolidLine, Qt::RoundCap));
  for (int x : {80, 95, 110}) {
    QPainterPath steam;
    steam.moveTo(x, 60);
    steam.cubicTo(x - 6, 50, x + 6, 42, x, 32);
    painter.drawPath(steam);
  }
  QFont font = painter.font();
  font.setPixelSize(16);
  painter.setFont(font);
  painter.setPen(colour.darker(120));
  painter.drawText(QRectF(0, 150, 200, 36), Qt::AlignCenter, Utf8(caption));
  return picture;
}

// Side buttons wear 0x7E6B5C; the highlighted one turns light.
constexpr char kAboutStyle[] = R"(
QPushButton[side="true"] {
  background: #7E6B5C; color: #FFFFFF; border: none; border-radius: 6px; font-weight: bold;
}
QPushButton[side="true"]:hover { background: #8F7B6B; }
QPushButton[side="true"][highlighted="true"] {
  background: #F1E4D3; color: #5A4A3E; border: 1px solid #C9B29B;
}
QPushButton[link="true"] {
  background: transparent; border: none; color: #1F5FA8; text-align: left;
  text-decoration: underline; padding: 0;
}
QPushButton[link="true"]:hover { color: #C0602A; }
)";

}  // namespace

AboutWindow::AboutWindow(QWidget* owner, AboutLinks& links, Shell& shell, GbkText current_version,
                         std::optional<std::string> version_page)
    : QWidget(owner, Qt::Window),
      links_(links),
      shell_(shell),
      current_version_(std::move(current_version)),
      version_page_(std::move(version_page)) {
  setObjectName(Utf8("AboutWindow"));
  setWindowTitle(Utf8("Quillmere-关于"));
  setAttribute(Qt::WA_DeleteOnClose);
  // Lets the skin paint this plain widget's background.
  setAttribute(Qt::WA_StyledBackground);
  setFixedSize(600, 320);
  setStyleSheet(Utf8(kAboutStyle));

  int top = 16;
  for (auto [id, caption] :
       {std::pair{A::超级按钮_使用教程, "使用教程"}, std::pair{A::超级按钮_更新信息, "更新信息"},
        std::pair{A::超级按钮_QQ群, "QQ群"}}) {
    Button(this, id, caption, 12, top, 100, 40, "side");
    top += 50;
  }
  Button(this, A::超级按钮_关闭此页, "关闭", 12, 264, 100, 40, "side");
  BuildPages();

  timer_ = new QTimer(this);
  timer_->setObjectName(Utf8("时钟1"));
  form_ = std::make_unique<QtAboutForm>(this);
  check_ = std::make_unique<BackgroundCheck>(this);

  for (AboutControl id : kAboutWindowControls) {
    if (auto* button = qobject_cast<QAbstractButton*>(form_->Widget(id))) {
      connect(button, &QAbstractButton::clicked, this,
              [this, id] { OnAboutClicked(*form_, shell_, links_, id); });
    }
  }
  OnAboutWindowCreated(*form_);
  connect(timer_, &QTimer::timeout, this, [this] {
    timer_->stop();
    StartCheck();
  });
  timer_->start(100);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::BuildPages() {
  auto* tabs = Place(new QTabWidget(this), A::高级选择夹1, 124, 8, 468, 304);
  QWidget* pages[4];
  for (const char* title : {"使用教程", "更新信息", "用户讨论", "打赏作者"}) {
    pages[tabs->count()] = new QWidget(tabs);
    tabs->addTab(pages[tabs->count()], Utf8(title));
  }
  // The tipping page has no side button; its tab leaves no side button lit.
  connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
    static constexpr AboutControl kButtonOfPage[] = {A::超级按钮_使用教程, A::超级按钮_更新信息,
                                                     A::超级按钮_QQ群};
    form_->Highlight(index >= 0 && index < 3 ? kButtonOfPage[index] : A::高级选择夹1);
  });

  Picture(pages[0], A::图片框4, Banner("Quillmere", "批量改名 · 使用教程"), 80, 24);
  Button(pages[0], A::超级链接框2, "查看使用教程", 80, 140, 240, 28, "link");
  Button(pages[0], A::超级链接框3, "复制下载地址发给朋友", 80, 180, 240, 28, "link");
  QLabel* licence = Label(pages[0], A::透明标签_许可,
                          "Quillmere 是自由软件，按 GNU GPL 第 3 版或更高版本发布，"
                          "可以自由使用、修改和分享。",
                          80, 222, 360, 40);
  licence->setWordWrap(true);

  Picture(pages[1], A::图片框3, Banner("检查更新", "看看有没有新版本"), 80, 16);
  Label(pages[1], A::透明标签5, "您当前的版本：", 80, 112, 120);
  Label(pages[1], A::透明标签7, "15.0", 204, 112, 120);
  Label(pages[1], A::透明标签6, "目前最新的版本：", 80, 140, 120);
  Label(pages[1], A::透明标签8, "16.0", 204, 140, 120);
  Label(pages[1], A::透明标签9, "已经是最新", 80, 176, 300)->setStyleSheet("font-weight: bold;");
  Button(pages[1], A::超级链接框1, "现在就下载最新版本", 80, 212, 240, 28, "link");

  Label(pages[2], A::透明标签4,
        "对软件有新的建议，\n或者你需要的功能软件没有，\n请联系我并且和我交流！感谢！\n为了大家的便"
        "利！",
        60, 24, 340, 110);
  // Without a group of the publisher's own, no number at all: a made-up one
  // could be a stranger's.
  QLabel* group = Label(pages[2], A::透明标签1, "", 60, 152, 200);
  if (kUserGroupNumber[0] != '\0') group->setText(Utf8("QQ群：") + kUserGroupNumber);
  auto* copy = new QPushButton(Utf8("复制群号"), pages[2]);
  copy->setAutoDefault(false);
  Place(copy, A::按钮2, 264, 148, 100, 30);

  Picture(pages[3], A::图片框1, TipPicture(QColor(0x2AAE67), "谢谢你的一杯茶"), 16, 12);
  Picture(pages[3], A::图片框2, TipPicture(QColor(0x1677FF), "谢谢你的一杯茶"), 244, 12);
  Label(pages[3], A::透明标签2, "微信", 16, 218, 200)->setAlignment(Qt::AlignCenter);
  Label(pages[3], A::透明标签3, "支付宝", 244, 218, 200)->setAlignment(Qt::AlignCenter);
}

void AboutWindow::StartCheck() {
  if (!version_page_) {
    ShowCheckTurnedOff(*form_, current_version_);
    return;
  }
  const GbkText address = Utf8ToInternalLenient(*version_page_);
  check_->Start(
      [address](HttpTransport& transport) { return FetchPageForAboutCheck(transport, address); },
      [this](const GbkText& page) { ApplyAboutCheck(*form_, links_, page, current_version_); });
}

}  // namespace qm
