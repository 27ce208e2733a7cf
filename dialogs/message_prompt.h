#pragma once
// What a message box of the editor says and offers; a Prompter (prompter.h) shows it.
#include <QMessageBox>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

class QWidget;

namespace quillet::ui {

struct MessageRequest {
  QWidget* owner = nullptr;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;  // plain text: markup in a caption or a file name shows as it is
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  // Long content (many load warnings) goes here, into the box's scrollable details
  // area, so that the box never grows taller than the screen.
  QString details = {};
  // A second paragraph under the text, in the box's informative area.
  QString informative = {};
  // The button Enter presses; NoButton leaves the platform's choice.
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  // Captions in place of the standard ones, for questions whose answers are not
  // Save or Discard in so many words; the button pressed is still the standard one.
  QList<QPair<QMessageBox::StandardButton, QString>> buttonTexts = {};
};

// The box for `request`, not yet shown.
std::unique_ptr<QMessageBox> buildMessageBox(const MessageRequest& request);

}  // namespace quillet::ui
