#include "platform/qt/qt_drop_target.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/qt/qt_text.h"

namespace qm {
namespace {

std::vector<GbkText> LocalPaths(const QMimeData* data) {
  std::vector<GbkText> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
      paths.push_back(FromQString(url.toLocalFile()));
    }
  }
  return paths;
}

}  // namespace

void QtDropTarget::Register(DropCallback callback) {
  callback_ = std::move(callback);
  if (registered_ || window_.isNull()) return;
  registered_ = true;
  window_->setAcceptDrops(true);
  // Edit boxes take dropped text themselves; a dropped file is the window's,
  // wherever it lands.
  window_->installEventFilter(this);
  for (QWidget* child : window_->findChildren<QWidget*>()) child->installEventFilter(this);
}

void QtDropTarget::Unregister() {
  if (!registered_) return;
  registered_ = false;
  callback_ = nullptr;
  if (window_.isNull()) return;
  window_->setAcceptDrops(false);
  window_->removeEventFilter(this);
  for (QWidget* child : window_->findChildren<QWidget*>()) child->removeEventFilter(this);
}

bool QtDropTarget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (LocalPaths(drag->mimeData()).empty()) return false;
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      // Copied first: a callback may process messages and outlive the event's data.
      std::vector<GbkText> paths = LocalPaths(drop->mimeData());
      if (paths.empty()) return false;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      // A callback may close the window and unregister; stop there.
      DropCallback callback = callback_;
      QPointer<QtDropTarget> alive(this);
      for (const GbkText& path : paths) {
        if (alive.isNull() || !registered_ || !callback) break;
        callback(path);
      }
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace qm
