#include "window_phone_link.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMetaObject>
#include <QStatusBar>
#include <QToolButton>
#include <chrono>

#include "main_window.h"
#include "message_prompt.h"
#include "phone_indicator.h"

namespace quillet::ui {

namespace {

const QColor kPhoneConnected(0, 255, 0);
const QColor kNoPhone(255, 0, 0);

}  // namespace

WindowPhoneLink::WindowPhoneLink(TSDIAppForm& window, std::unique_ptr<P2KLibrary> library)
    : window_(window),
      library_(std::move(library)),
      link_(*library_, *this, window.StoredToPhone,
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
  setPhoneCommands(false, false);
  cancelRequested_ = false;
  cancelAllowed_ = job != PhoneJob::Restart;
  step_ = PhoneStep::Reading;
  auto* dialog = new PhoneProgressDialog(job, &window_);
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
        setPhoneCommands(connected_, connected_ && hasDocument());
      });
}

std::function<void(const PhoneProgress&)> WindowPhoneLink::progressReporter() {
  return [this](const PhoneProgress& progress) {
    step_ = progress.step;
    // Once writing begins the phone's menu is changing: the job goes on to its end.
    if (progress.step == PhoneStep::Writing || progress.step == PhoneStep::Verifying)
      cancelAllowed_ = false;
    post([this, progress] {
      if (dialog_) dialog_->showProgress(progress.step, progress.done, progress.total);
    });
  };
}

bool WindowPhoneLink::cancelled() const {
  return cancelAllowed_ && (cancelRequested_ || stopping_);
}

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
  pauseWake_.wait_for(lock, std::chrono::milliseconds(ms),
                      [this] { return stopping_ || cancelled(); });
}

void WindowPhoneLink::waitUntilIdle() {
  while (working()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WindowPhoneLink::InitPhoneLink() {
  if (Status started = link_.InitPhoneLink(); !started) showPhoneError(started.error());
}

std::int32_t WindowPhoneLink::P2K_GetStatus() { return link_.status(); }

void WindowPhoneLink::RestartPhone() {
  start(PhoneJob::Restart, [this] { link_.RestartPhone(); }, [](bool) {});
  waitUntilIdle();
}

void WindowPhoneLink::removeExchangeFile() { link_.removeExchangeFile(); }

void WindowPhoneLink::setPhoneIndicator(bool connected) {
  window_.Shape1->setBrushColor(connected ? kPhoneConnected : kNoPhone);
}

void WindowPhoneLink::setPhonePanelText(const std::string& text) {
  window_.StatusBar1Panel1->setText(QString::fromStdString(text));
}

void WindowPhoneLink::enablePhoneCommands(bool openAndRestart, bool saveToPhone) {
  connected_ = openAndRestart;
  setPhoneCommands(openAndRestart && !busy_, saveToPhone && !busy_);
}

void WindowPhoneLink::setPhoneCommands(bool openAndRestart, bool saveToPhone) {
  window_.ToolButton4->setEnabled(openAndRestart);
  window_.Openfromphone1->setEnabled(openAndRestart);
  window_.ToolButton7->setEnabled(openAndRestart);
  window_.RestartPhone1->setEnabled(openAndRestart);
  window_.ToolButton5->setEnabled(saveToPhone);
  window_.Savetophone1->setEnabled(saveToPhone);
  window_.RestorePhoneMenu1->setEnabled(openAndRestart);
}

void WindowPhoneLink::phoneModelRead(const std::string& model) {
  if (busy_) return;
  auto damage = std::make_shared<std::optional<PhoneDamage>>();
  runPhoneWork(
      [this, model, damage, store = window_.backups()]() mutable {
        PhoneMenuGuard guard(link_, store, window_.StoredToPhone);
        // A menu that cannot be read now is looked at again by the next read of it.
        if (auto found = guard.check(model); found && found.value()) *damage = found.value();
      },
      [this, damage] {
        if (*damage && !busy_) window_.offerRestore(**damage);
      });
}

bool WindowPhoneLink::hasDocument() const { return window_.document().isOpen(); }

void WindowPhoneLink::showStatusText(const std::string& text) {
  // The texts come from the phone thread, in order with the job's other news.
  post([this, line = QString::fromStdString(text)] { window_.StatusBar->showMessage(line); });
}

void WindowPhoneLink::showPhoneError(const Error& error) {
  MessageRequest box;
  box.owner = &window_;
  box.icon = QMessageBox::Critical;
  box.text = QString::fromStdString(error.message);
  if (!error.detail.empty()) box.text += QLatin1Char('\n') + QString::fromStdString(error.detail);
  for (const std::string& note : error.notes) box.text += QLatin1Char('\n') + QString::fromStdString(note);
  if (!error.path.empty())
    box.text += QStringLiteral("\nFile: ") + QFile::decodeName(QByteArray::fromStdString(error.path));
  box.buttons = QMessageBox::Ok;
  showMessage(box);
}

}  // namespace quillet::ui
