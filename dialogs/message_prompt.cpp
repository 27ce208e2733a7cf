#include "message_prompt.h"

#include <utility>

namespace quillet::ui {
namespace {
MessageHandler& installedHandler() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

QMessageBox::StandardButton showMessage(const MessageRequest& request) {
  if (installedHandler()) return installedHandler()(request);
  QMessageBox box(request.icon, request.title, request.text, request.buttons, request.owner);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setMessageHandler(MessageHandler handler) { installedHandler() = std::move(handler); }

}  // namespace quillet::ui
