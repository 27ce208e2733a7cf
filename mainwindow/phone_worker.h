#pragma once
// The thread the window's phone work runs on: tasks run one at a time, in the order
// they were posted, so the phone library only ever has one caller.
#include <QObject>
#include <QThread>
#include <functional>

namespace quillet::ui {

class PhoneWorker {
 public:
  PhoneWorker();
  // Lets the running task end (a write is never cut short), drops the tasks still
  // waiting and ends the thread.
  ~PhoneWorker();
  PhoneWorker(const PhoneWorker&) = delete;
  PhoneWorker& operator=(const PhoneWorker&) = delete;

  void post(std::function<void()> task);

 private:
  QThread thread_;
  QObject* context_;  // lives on thread_: tasks queued to it run there
};

}  // namespace quillet::ui
