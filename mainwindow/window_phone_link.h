#pragma once
// The main window's side of the phone link: it owns the phone-access library and the
// link, runs every piece of phone work on a thread of its own while the window goes on
// painting, shows the work's progress in a window-modal dialog, and passes what the link
// reports on to the window, which decides what its controls show and enable.
#include <QObject>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "p2k_library.h"
#include "phone_link.h"
#include "phone_link_listener.h"
#include "phone_menu_guard.h"
#include "phone_progress_dialog.h"
#include "phone_worker.h"

class QWidget;

namespace quillet::ui {

class WindowPhoneLink : public PhoneLinkView {
 public:
  // Connection notices and everything the link reports are queued on the window's
  // event loop, so `listener` hears them on the user-interface thread whichever thread
  // the library or the phone work uses. The progress dialog stands over `owner`.
  WindowPhoneLink(QWidget& owner, PhoneLinkListener& listener, std::unique_ptr<P2KLibrary> library);
  // Lets a running job end (a read stops early, a write runs to its end) before the
  // library goes.
  ~WindowPhoneLink() override;

  // For the phone work only: the link is used on the phone thread.
  PhoneLink& link() { return link_; }

  // Runs `work` on the phone thread as one job while the progress dialog shows and the
  // phone commands are disabled; then, on the user-interface thread, `done` gets what
  // `work` returned and whether the user cancelled the job before it wrote anything.
  template <typename Work, typename Done>
  void run(PhoneJob job, Work work, Done done) {
    using Value = std::invoke_result_t<Work&>;
    auto value = std::make_shared<std::optional<Value>>();
    start(
        job, [value, work = std::move(work)]() mutable { value->emplace(work()); },
        [value, done = std::move(done)](bool cancelled) mutable { done(std::move(**value), cancelled); });
  }
  void start(PhoneJob job, std::function<void()> work, std::function<void(bool cancelled)> done);
  // Runs `work` on the phone thread behind any job, with no progress dialog and the
  // commands left as they are (a short look after a connection); then `done` gets what
  // it returned on the user-interface thread.
  template <typename Work, typename Done>
  void runQuietly(Work work, Done done) {
    using Value = std::invoke_result_t<Work&>;
    auto value = std::make_shared<std::optional<Value>>();
    runPhoneWork([value, work = std::move(work)]() mutable { value->emplace(work()); },
                 [value, done = std::move(done)]() mutable { done(std::move(**value)); });
  }
  // The guard's progress callback for the running job: its step and bytes reach the
  // dialog. Called on the phone thread.
  std::function<void(const PhoneProgress&)> progressReporter();

  // Phone work of the window's own that needs no progress dialog and leaves the phone
  // commands as they are (the preview's icon files): `work` runs on the phone thread
  // after the work queued before it, then `done` on the user-interface thread.
  void runInBackground(std::function<void()> work, std::function<void()> done) {
    runPhoneWork(std::move(work), std::move(done));
  }
  // The library, for such work only: it is used on the phone thread.
  P2KLibrary& library() { return *library_; }

  // A job runs (from its start until its `done` has run).
  bool busy() const { return busy_; }
  // A phone is connected, as the last connection notice said.
  bool connected() const { return connected_; }
  // Phone work runs or waits: a job or a model read after a connection notice.
  bool working() const { return pending_ > 0; }
  // Asks the running job to stop, which a read does and a write does not.
  void cancelJob();
  // Runs the window's event loop until no phone work runs or waits.
  void waitUntilIdle();

  // Starts the library; a failure goes to the listener.
  void InitPhoneLink();
  // The library's status: 1 while a phone is connected and ready for file access.
  std::int32_t P2K_GetStatus();
  // At close: restarts the phone on the phone thread and waits for it.
  void RestartPhone();
  // Removes the link's exchange file and its private folder.
  void removeExchangeFile();

  // PhoneLinkView
  void phoneConnectionChanged(bool connected) override;
  void phoneModelRead(const std::string& model) override;
  // Queued for the user-interface thread.
  void showStatusText(const std::string& text) override;
  void showPhoneError(const Error& error) override;

 private:
  // Runs `task` on the user-interface thread after what was queued before it.
  void post(std::function<void()> task);
  // Runs `task` on the phone thread, counted as phone work until it has ended.
  void runPhoneWork(std::function<void()> task, std::function<void()> after);
  // Whether the running job was cancelled and may still stop (phone thread).
  bool cancelled() const;
  void pause(int ms);

  QWidget& owner_;
  PhoneLinkListener& listener_;
  // Receives everything queued for the user-interface thread; what is still queued when
  // it goes is dropped with it.
  QObject ui_;
  std::unique_ptr<P2KLibrary> library_;  // outlives link_, which is declared after it
  PhoneLink link_;

  // User-interface thread.
  bool busy_ = false;
  int pending_ = 0;
  bool connected_ = false;  // the last connection state the link reported
  QPointer<PhoneProgressDialog> dialog_;

  // Shared with the phone thread.
  std::atomic<bool> cancelRequested_{false};
  std::atomic<bool> cancelAllowed_{false};  // the job reads; false from its first write on
  std::atomic<bool> stopping_{false};
  std::atomic<PhoneStep> step_{PhoneStep::Reading};
  std::mutex pauseMutex_;
  std::condition_variable pauseWake_;

  PhoneWorker worker_;  // declared last: its thread ends first
};

}  // namespace quillet::ui
