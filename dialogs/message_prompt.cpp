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
  if (!request.informative.isEmpty()) box->setInformativeText(request.informative);
  for (const auto& [button, caption] : request.buttonTexts) {
    if (QAbstractButton* shown = box->button(button)) shown->setText(caption);
  }
  if (request.defaultButton != QMessageBox::NoButton) box->setDefaultButton(request.defaultButton);
  return box;
}

}  // namespace quillet::ui
