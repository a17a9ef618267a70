#include "app/skin.h"

#include <QApplication>
#include <algorithm>
#include <cmath>

namespace qm {
namespace {

struct SkinColour {
  const char* name;
  QRgb rgb;
};

// Warm taupe and parchment around the program's colour 0x7E6B5C.
constexpr SkinColour kPalette[] = {
    {"base", 0x7E6B5C},       {"base_light", 0x95826F}, {"base_dark", 0x66554A},
    {"window", 0xF6F2EE},     {"panel", 0xFBF9F6},      {"frame", 0xCDBFB2},
    {"frame_dark", 0xA8968A}, {"tab", 0xE9E1D8},        {"header", 0xEDE5DC},
    {"selection", 0xD9C6B3},  {"disabled", 0xBDB3AA},   {"text_on_base", 0xFFFFFF},
    {"text_dark", 0x3E342C},  {"accent", 0xC08A5A},
};

}  // namespace

const std::string_view kSkin = R"(
QMainWindow, QWidget#AboutWindow, QWidget#ExplanationWindow, QDialog, QMessageBox {
  background: @window@;
}
QGroupBox {
  border: 1px solid @frame@; border-radius: 6px; margin-top: 9px; background: @panel@;
}
QGroupBox::title {
  subcontrol-origin: margin; left: 8px; padding: 0 3px; color: @base_dark@;
}
QPushButton {
  color: @text_on_base@; border: 1px solid @base_dark@; border-radius: 4px; padding: 2px 6px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @base_light@, stop:1 @base@);
}
QPushButton:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @accent@, stop:1 @base_light@);
}
QPushButton:pressed { background: @base_dark@; }
QPushButton:focus { border: 1px solid @accent@; }
QPushButton:disabled { background: @disabled@; border-color: @disabled@; }
QLineEdit, QComboBox {
  background: #FFFFFF; border: 1px solid @frame@; border-radius: 3px; padding: 1px 4px;
  selection-background-color: @selection@; selection-color: @text_dark@;
}
QLineEdit:focus, QComboBox:focus { border: 1px solid @base@; }
QComboBox QAbstractItemView {
  background: #FFFFFF; border: 1px solid @frame_dark@;
  selection-background-color: @selection@; selection-color: @text_dark@;
}
QTabWidget::pane { border: 1px solid @frame@; border-radius: 4px; top: -1px; background: @panel@; }
QTabBar::tab {
  background: @tab@; color: @text_dark@; border: 1px solid @frame@; border-bottom: none;
  border-top-left-radius: 5px; border-top-right-radius: 5px; padding: 4px 10px; margin-right: 2px;
}
QTabBar::tab:selected { background: @base@; color: @text_on_base@; border-color: @base_dark@; }
QTabBar::tab:hover:!selected { background: @selection@; }
QTableView {
  background: #FFFFFF; border: 1px solid @frame@; gridline-color: @tab@;
  selection-background-color: @selection@; selection-color: @text_dark@;
}
QHeaderView::section {
  background: @header@; color: @text_dark@; border: none;
  border-right: 1px solid @frame@; border-bottom: 1px solid @frame@; padding: 3px 6px;
}
QProgressBar {
  border: 1px solid @frame@; border-radius: 4px; background: #FFFFFF; text-align: center;
}
QProgressBar::chunk { background: @base@; border-radius: 3px; }
QLabel#标签2 { background: #FFFFFF; border: 1px solid @frame@; border-radius: 3px; }
QScrollBar:vertical { background: @window@; width: 12px; margin: 0; }
QScrollBar::handle:vertical { background: @frame@; border-radius: 5px; min-height: 24px; margin: 2px; }
QScrollBar::handle:vertical:hover { background: @frame_dark@; }
QScrollBar:horizontal { background: @window@; height: 12px; margin: 0; }
QScrollBar::handle:horizontal { background: @frame@; border-radius: 5px; min-width: 24px; margin: 2px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QToolTip { background: @panel@; color: @text_dark@; border: 1px solid @frame_dark@; }
)";

QColor AdjustHsv(const QColor& colour, int hue, int saturation) {
  hue = std::clamp(hue, -180, 180);
  saturation = std::clamp(saturation, -100, 100);
  if (hue == 0 && saturation == 0) return colour;
  float h, s, v, a;
  colour.getHsvF(&h, &s, &v, &a);
  // A grey has no hue to turn; only its saturation can grow.
  if (h < 0) h = 0;
  h = std::fmod(h + hue / 360.0f + 1.0f, 1.0f);
  s = std::clamp(
      saturation >= 0 ? s + (1 - s) * saturation / 100.0f : s * (1 + saturation / 100.0f), 0.0f,
      1.0f);
  return QColor::fromHsvF(h, s, v, a);
}

QString SkinStyleSheet(std::string_view skin, int hue, int saturation) {
  QString sheet = QString::fromUtf8(skin.data(), static_cast<qsizetype>(skin.size()));
  for (const SkinColour& colour : kPalette) {
    sheet.replace(QString("@%1@").arg(colour.name),
                  AdjustHsv(QColor::fromRgb(colour.rgb), hue, saturation).name());
  }
  return sheet;
}

void ApplySkin(std::string_view skin, int hue, int saturation) {
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (application == nullptr) return;
  QString sheet = SkinStyleSheet(skin, hue, saturation);
  // Setting the same sheet again would only polish every widget anew.
  if (application->styleSheet() != sheet) application->setStyleSheet(sheet);
}

}  // namespace qm
