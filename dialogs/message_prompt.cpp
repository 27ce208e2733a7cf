#include "message_prompt.h"

#include <QAbstractButton>
#include <utility>

namespace quillet::ui {
namespace {
MessageHandler& installedHandler() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

std::unique_ptr<QMessageBox> buildMessageBox(const MessageRequest& request) {
  // An empty title makes the platform show the application's name instead; a blank
  // keeps a box that has no title untitled.
  const QString title = request.title.isEmpty() ? QStringLiteral(" ") : request.title;
  auto box = std::make_unique<QMessageBox>(request.icon, title, request.text, request.buttons, request.owner);
  box->setTextFormat(Qt::PlainText);
  if (!request.details.isEmpty()) box->setDetailedText(request.details);
  if (!request.informative.isEmpty()) box->setInformativeText(request.informative);
  for (const auto& [button, caption] : request.buttonTexts) {
    if (QAbstractButton* shown = box->button(button)) shown->setText(caption);
  }
  if (request.defaultButton != QMessageBox::NoButton) box->setDefaultButton(request.defaultButton);
  return box;
}

QMessageBox::StandardButton showMessage(const MessageRequest& request) {
  if (installedHandler()) return installedHandler()(request);
  return static_cast<QMessageBox::StandardButton>(buildMessageBox(request)->exec());
}

void setMessageHandler(MessageHandler handler) { installedHandler() = std::move(handler); }

}  // namespace quillet::ui
