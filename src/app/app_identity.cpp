#include "app/app_identity.h"

namespace qm {

QIcon ApplicationIcon() {
  QIcon bundled;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    bundled.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(kApplicationId),
                    QSize(size, size));
  }
  return QIcon::fromTheme(QString::fromLatin1(kApplicationId), bundled);
}

}  // namespace qm
