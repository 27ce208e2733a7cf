#include "message_prompt.h"

#include <QAbstractButton>

namespace quillet::ui {

std::unique_ptr<QMessageBox> buildMessageBox(const MessageRequest& request) {
  // An empty title makes the platform show the application's name instead; a blank
  // keeps a box that has no title untitled.
  const QString title = request.title.isEmpty() ? QStringLiteral(" ") : request.title;
  auto box = std::make_unique<QMessageBox>(request.icon, title, request.text, request.buttons, request.owner);
  box->setTextFormat(Qt::PlainText);
  if (!request.details.isEmpty()) box->setDetailedText(request.details);
  for (const auto& [button, text] : request.buttonTexts)
    if (QAbstractButton* shown = box->button(button)) shown->setText(text);
  return box;
}

}  // namespace quillet::ui
