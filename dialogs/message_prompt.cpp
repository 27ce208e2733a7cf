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
  // An empty title makes the platform show the application's name instead; a blank
  // keeps a box that has no title untitled.
  const QString title = request.title.isEmpty() ? QStringLiteral(" ") : request.title;
  QMessageBox box(request.icon, title, request.text, request.buttons, request.owner);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setMessageHandler(MessageHandler handler) { installedHandler() = std::move(handler); }

}  // namespace quillet::ui
