// Draws the picture of the icon for the README: the sizes a desktop shows
// (16, 48 and 256 pixels, the small ones also magnified, on a light and a
// dark panel) and the menu entry as its desktop file words it, in English
// and in Chinese.
//   QT_QPA_PLATFORM=offscreen build/src/qm_icon_sheet data/io.github.quillmere.Quillmere.desktop
//   docs/icon.png
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QMap>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>
#include <cstdio>

#include "app/app_identity.h"
#include "app/main_window.h"

namespace {

// "Key=Value" and "Key[locale]=Value" lines of the [Desktop Entry] group.
QMap<QString, QString> DesktopEntry(const QString& path) {
  QMap<QString, QString> entry;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return entry;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  bool in_group = false;
  while (!in.atEnd()) {
    QString line = in.readLine();
    if (line.startsWith('[')) {
      in_group = line == QStringLiteral("[Desktop Entry]");
      continue;
    }
    int equals = line.indexOf('=');
    if (in_group && equals > 0) entry.insert(line.left(equals), line.mid(equals + 1));
  }
  return entry;
}

QPixmap Icon(int size) {
  return QPixmap(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(qm::kApplicationId));
}

void DrawSizes(QPainter& painter, int top, const QColor& panel, const QColor& ink) {
  painter.fillRect(300, top, 580, 130, panel);
  painter.setPen(ink);
  const QPixmap small = Icon(16), medium = Icon(48);
  const auto magnified = [](const QPixmap& icon, int factor) {
    return icon.scaled(icon.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  };
  painter.drawPixmap(320, top + 40, small);
  painter.drawPixmap(350, top + 16, magnified(small, 4));
  painter.drawText(320, top + 112, QStringLiteral("16 px, and 4x"));
  painter.drawPixmap(470, top + 24, medium);
  painter.drawText(470, top + 112, QStringLiteral("48 px"));
  painter.drawPixmap(560, top + 40, small);
  painter.drawPixmap(590, top + 24, medium);
  painter.drawText(560, top + 112, QStringLiteral("side by side"));
}

void DrawMenuEntry(QPainter& painter, int top, const QMap<QString, QString>& entry,
                   const QString& locale) {
  auto localized = [&](const QString& key) {
    return entry.value(key + '[' + locale + ']', entry.value(key));
  };
  painter.fillRect(20, top, 860, 64, QColor(0xe8, 0xee, 0xf1));
  painter.drawPixmap(32, top + 8, Icon(48));
  QFont name = painter.font();
  name.setBold(true);
  name.setPointSize(12);
  painter.setFont(name);
  painter.setPen(Qt::black);
  painter.drawText(96, top + 26, localized(QStringLiteral("Name")));
  QFont comment = name;
  comment.setBold(false);
  comment.setPointSize(10);
  painter.setFont(comment);
  painter.setPen(QColor(0x44, 0x44, 0x44));
  painter.drawText(96, top + 50, localized(QStringLiteral("Comment")));
  painter.setPen(QColor(0x88, 0x88, 0x88));
  painter.drawText(700, top + 26, locale.isEmpty() ? QStringLiteral("English") : locale);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qm_icon_sheet DESKTOP_FILE OUTPUT_PNG\n");
    return 2;
  }
  QApplication application(argc, argv);
  const QMap<QString, QString> entry = DesktopEntry(QString::fromLocal8Bit(argv[1]));
  if (entry.value(QStringLiteral("Icon")) != QLatin1String(qm::kApplicationId)) {
    std::fprintf(stderr, "qm_icon_sheet: %s names no icon %s\n", argv[1], qm::kApplicationId);
    return 1;
  }
  QPixmap sheet(900, 460);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(qm::FormFont());
  painter.drawPixmap(20, 20, Icon(256));
  painter.drawText(20, 296, QStringLiteral("256 px"));
  DrawSizes(painter, 20, QColor(0xf4, 0xf4, 0xf4), Qt::black);
  DrawSizes(painter, 156, QColor(0x2b, 0x2b, 0x2b), Qt::white);
  DrawMenuEntry(painter, 310, entry, QString());
  painter.setFont(qm::FormFont());
  DrawMenuEntry(painter, 384, entry, QStringLiteral("zh_CN"));
  painter.end();
  if (!sheet.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "qm_icon_sheet: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
