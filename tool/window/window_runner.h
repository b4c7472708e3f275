// Runs each device call on the call worker while the window's thread turns a local event loop:
// the window keeps painting and answering the desktop and assistive technology, user input that
// arrives during the call is dropped (not kept for later), and after a short moment the busy
// cursor shows. The handlers still see one call after another, each returning its result.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "call_runner.h"
#include "call_worker.h"

class QEventLoop;

class WindowRunner final : public QObject, public xtool::CallRunner {
  Q_OBJECT

 public:
  explicit WindowRunner(QObject* parent = nullptr);
  ~WindowRunner() override;

  int32_t run(const std::function<int32_t()>& call) override;
  bool busy() const override { return running_; }

  // How long a call may run before the busy cursor shows.
  static constexpr int kBusyCursorDelayMs = 150;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void finished();

  xtool::CallWorker worker_;
  QTimer cursor_timer_;
  QEventLoop* loop_ = nullptr;
  bool running_ = false;
  bool done_ = false;
  bool cursor_shown_ = false;
};
