#include "platform/qt/qt_job_progress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>

#include "platform/qt/qt_text.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

// Short enough that the window never looks frozen, long enough that the
// pumping costs next to nothing against the renames.
constexpr auto kPumpInterval = std::chrono::milliseconds(15);
constexpr int kShowAfterMs = 500;

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
      return true;
    default:
      return false;
  }
}

}  // namespace

QtJobProgress::QtJobProgress(QWidget* window) : window_(window) {}

QtJobProgress::~QtJobProgress() {
  if (running_) qApp->removeEventFilter(this);
}

QProgressDialog& QtJobProgress::Dialog() {
  if (!dialog_) {
    dialog_ = new QProgressDialog(window_);
    dialog_->setObjectName(QStringLiteral("进度窗口"));
    dialog_->setWindowTitle(QString::fromUtf8("请稍候"));
    dialog_->setWindowModality(Qt::WindowModal);
    auto* bar = new QProgressBar(dialog_);
    bar->setFormat(QStringLiteral("%v / %m"));
    dialog_->setBar(bar);
    dialog_->setCancelButtonText(QString::fromUtf8("停止"));
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setMinimumWidth(360);
    // The stop button, and closing the dialog.
    connect(dialog_, &QProgressDialog::canceled, this, [this] { AskToStop(); });
    dialog_->reset();
  }
  return *dialog_;
}

void QtJobProgress::Begin(const GbkText& what, int total) {
  if (!running_) qApp->installEventFilter(this);
  running_ = true;
  stop_asked_ = false;
  last_pump_ = Clock::now();
  QProgressDialog& dialog = Dialog();
  dialog.setLabelText(ToQString(what));
  dialog.setRange(0, total);
  // From here the dialog shows itself when the job looks longer than the minimum duration.
  dialog.setValue(0);
}

bool QtJobProgress::Advance(int done, int total) {
  Clock::time_point now = Clock::now();
  if (now - last_pump_ >= kPumpInterval) {
    last_pump_ = now;
    if (dialog_ && !stop_asked_) {
      if (dialog_->maximum() != total) dialog_->setMaximum(total);
      dialog_->setValue(done);
    }
    QCoreApplication::processEvents();
  }
  return !stop_asked_;
}

void QtJobProgress::End() {
  if (!running_) return;
  running_ = false;
  qApp->removeEventFilter(this);
  if (dialog_) {
    dialog_->reset();
    dialog_->hide();
  }
  if (close_asked_ && window_) {
    close_asked_ = false;
    // Once the handler that ran the job has returned.
    QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
  }
}

bool QtJobProgress::eventFilter(QObject* watched, QEvent* event) {
  if (!running_) return false;
  if (watched == window_ && event->type() == QEvent::Close) {
    // Closing mid-job: the entry being renamed finishes, the job records what
    // it did, and the window closes after.
    close_asked_ = true;
    AskToStop();
    event->ignore();
    return true;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  QWidget* top = widget->window();
  // Only modal windows (a message box the job shows, the progress window)
  // keep their input: an editor or paste window left open beside could
  // otherwise rename or rewrite rows in the middle of the job, and closing
  // the window that owns this one would destroy what the job works on.
  const bool answers = top->isModal() || (dialog_ && top == dialog_);
  const bool plain_window =
      widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog;
  if (event->type() == QEvent::Close && widget == top && plain_window && !answers) {
    event->ignore();
    return true;
  }
  if (!IsUserInput(event->type())) return false;
  bool ours = top == window_ || (dialog_ && top == dialog_);
  if (ours && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    AskToStop();
    return true;
  }
  return !answers;
}

}  // namespace qm
