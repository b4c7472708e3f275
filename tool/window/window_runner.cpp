#include "window_runner.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

WindowRunner::WindowRunner(QObject* parent) : QObject(parent) {
  cursor_timer_.setSingleShot(true);
  cursor_timer_.setInterval(kBusyCursorDelayMs);
  connect(&cursor_timer_, &QTimer::timeout, this, [this] {
    if (!running_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_shown_ = true;
  });
}

WindowRunner::~WindowRunner() { worker_.wait_idle(); }

int32_t WindowRunner::run(const std::function<int32_t()>& call) {
  if (running_) return xtool::kBusy;
  // Without a running window (start-up checks, another thread) there is nothing to keep alive.
  if (!qApp || QThread::currentThread() != qApp->thread()) return call();

  int32_t result = xtool::kBusy;
  running_ = true;
  done_ = false;
  QEventLoop loop;
  loop_ = &loop;
  const bool posted = worker_.post([&result, &call] { result = call(); },
                                   [this] {
                                     QMetaObject::invokeMethod(this, &WindowRunner::finished,
                                                               Qt::QueuedConnection);
                                   });
  if (posted) {
    qApp->installEventFilter(this);
    cursor_timer_.start();
    while (!done_) loop.exec();
    cursor_timer_.stop();
    qApp->removeEventFilter(this);
  }
  loop_ = nullptr;
  running_ = false;
  if (cursor_shown_) {
    QApplication::restoreOverrideCursor();
    cursor_shown_ = false;
  }
  return result;
}

void WindowRunner::finished() {
  done_ = true;
  if (loop_) loop_->quit();
}

bool WindowRunner::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
      return true;  // dropped: input during a call is not delivered later either
    default:
      return QObject::eventFilter(watched, event);
  }
}
