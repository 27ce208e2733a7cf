#pragma once
// Every message box and every dialog that one window opens modally goes through the
// Prompter that window is given (as its file dialogs go through a FileChooser), so tests
// answer them without a person: they hand the windows a prompter that records each box
// and works each dialog's controls while it is shown.
#include <QDialog>
#include <QMessageBox>

#include "message_prompt.h"

namespace quillet::ui {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows a modal box and returns the button pressed.
  virtual QMessageBox::StandardButton showMessage(const MessageRequest& request) = 0;
  // Shows the dialog modally and returns its result, QDialog::Accepted or QDialog::Rejected.
  virtual int runModal(QDialog& dialog) = 0;
};

// The real boxes and modal loops: every window's prompter until it is given another.
Prompter& screenPrompter();

}  // namespace quillet::ui
