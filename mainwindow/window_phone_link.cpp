#include "window_phone_link.h"

#include <QApplication>
#include <QMetaObject>
#include <chrono>

namespace quillet::ui {

WindowPhoneLink::WindowPhoneLink(QWidget& owner, PhoneLinkListener& listener,
                                 std::unique_ptr<P2KLibrary> library)
    : owner_(owner),
      listener_(listener),
      library_(std::move(library)),
      link_(*library_, *this,
            PhoneLinkHooks{[this](int ms) { pause(ms); },
                           [this](std::function<void()> task) { post(std::move(task)); },
                           {},
                           [this](std::function<void()> task) { runPhoneWork(std::move(task), {}); },
                           [this] { return cancelled(); }}) {
  library_->setTransferProgress([this](std::size_t done, std::size_t total) {
    const PhoneStep step = step_;
    post([this, step, done, total] {
      if (dialog_) dialog_->showProgress(step, done, total);
    });
    return !cancelled();
  });
}

WindowPhoneLink::~WindowPhoneLink() {
  {
    std::lock_guard lock(pauseMutex_);
    stopping_ = true;
  }
  pauseWake_.notify_all();
  delete dialog_;  // the job's end, which would close it, is dropped with ui_
}

void WindowPhoneLink::post(std::function<void()> task) {
  QMetaObject::invokeMethod(&ui_, std::move(task), Qt::QueuedConnection);
}

void WindowPhoneLink::runPhoneWork(std::function<void()> task, std::function<void()> after) {
  ++pending_;
  worker_.post([this, task = std::move(task), after = std::move(after)]() mutable {
    task();
    // Queued behind every notice the work sent, so `after` sees their effects.
    post([this, after = std::move(after)] {
      if (after) after();
      --pending_;
    });
  });
}

void WindowPhoneLink::start(PhoneJob job, std::function<void()> work,
                            std::function<void(bool cancelled)> done) {
  busy_ = true;
  listener_.phoneBusyChanged();
  cancelRequested_ = false;
  cancelAllowed_ = job != PhoneJob::Restart;
  step_ = PhoneStep::Reading;
  auto* dialog = new PhoneProgressDialog(job, &owner_);
  dialog_ = dialog;
  QObject::connect(dialog, &QProgressDialog::canceled, dialog, [this, dialog] {
    dialog->showCancelling();
    cancelJob();
  });
  dialog->show();

  auto cancelled = std::make_shared<bool>(false);
  runPhoneWork(
      [this, work = std::move(work), cancelled] {
        work();
        *cancelled = this->cancelled();
        cancelAllowed_ = false;
      },
      [this, done = std::move(done), cancelled, dialog] {
        delete dialog;
        busy_ = false;
        done(*cancelled);
        listener_.phoneBusyChanged();
      });
}

std::function<void(const PhoneProgress&)> WindowPhoneLink::progressReporter() {
  return [this](const PhoneProgress& progress) {
    step_ = progress.step;
    // Once writing begins the phone's menu is changing: the job goes on to its end.
    if (progress.step == PhoneStep::Writing || progress.step == PhoneStep::Verifying) cancelAllowed_ = false;
    post([this, progress] {
      if (dialog_) dialog_->showProgress(progress.step, progress.done, progress.total);
    });
  };
}

bool WindowPhoneLink::cancelled() const { return cancelAllowed_ && (cancelRequested_ || stopping_); }

void WindowPhoneLink::cancelJob() {
  if (!busy_) return;
  {
    std::lock_guard lock(pauseMutex_);
    cancelRequested_ = true;
  }
  pauseWake_.notify_all();
}

void WindowPhoneLink::pause(int ms) {
  std::unique_lock lock(pauseMutex_);
  pauseWake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping_ || cancelled(); });
}

void WindowPhoneLink::waitUntilIdle() {
  while (working()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WindowPhoneLink::InitPhoneLink() {
  if (Status started = link_.InitPhoneLink(); !started) listener_.showPhoneError(started.error());
}

std::int32_t WindowPhoneLink::P2K_GetStatus() { return link_.status(); }

void WindowPhoneLink::RestartPhone() {
  start(
      PhoneJob::Restart, [this] { link_.RestartPhone(); }, [](bool) {});
  waitUntilIdle();
}

void WindowPhoneLink::removeExchangeFile() { link_.removeExchangeFile(); }

void WindowPhoneLink::phoneConnectionChanged(bool connected) {
  connected_ = connected;
  listener_.phoneConnectionChanged(connected);
}

void WindowPhoneLink::phoneModelRead(const std::string& model) { listener_.phoneModelRead(model); }

void WindowPhoneLink::showStatusText(const std::string& text) {
  // The texts come from the phone thread, in order with the job's other news.
  post([this, text] { listener_.showStatusText(text); });
}

void WindowPhoneLink::showPhoneError(const Error& error) { listener_.showPhoneError(error); }

}  // namespace quillet::ui
