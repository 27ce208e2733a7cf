#include "prompter.h"

namespace quillet::ui {
namespace {

class ScreenPrompter : public Prompter {
 public:
  QMessageBox::StandardButton showMessage(const MessageRequest& request) override {
    return static_cast<QMessageBox::StandardButton>(buildMessageBox(request)->exec());
  }
  int runModal(QDialog& dialog) override { return dialog.exec(); }
};

}  // namespace

Prompter& screenPrompter() {
  static ScreenPrompter prompter;
  return prompter;
}

}  // namespace quillet::ui
