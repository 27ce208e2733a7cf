#include "phone_worker.h"

#include <QMetaObject>
#include <utility>

namespace quillet::ui {

PhoneWorker::PhoneWorker() : context_(new QObject) {
  thread_.setObjectName(QStringLiteral("phone"));
  context_->moveToThread(&thread_);
  thread_.start();
}

PhoneWorker::~PhoneWorker() {
  thread_.quit();
  thread_.wait();
  delete context_;  // the thread has ended: nothing runs on it any more
}

void PhoneWorker::post(std::function<void()> task) {
  QMetaObject::invokeMethod(context_, std::move(task), Qt::QueuedConnection);
}

}  // namespace quillet::ui
