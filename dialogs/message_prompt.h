#pragma once
// Every message box of the editor goes through showMessage, so tests can answer
// modal boxes without a person: they install a handler that records the request and
// returns the button to press.
#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace quillet::ui {

struct MessageRequest {
  QWidget* owner = nullptr;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

// Shows a modal box (or asks the installed handler) and returns the button pressed.
QMessageBox::StandardButton showMessage(const MessageRequest& request);

// Installs a handler in place of real boxes; an empty handler restores real boxes.
void setMessageHandler(MessageHandler handler);

}  // namespace quillet::ui
