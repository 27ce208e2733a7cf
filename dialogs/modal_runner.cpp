#include "modal_runner.h"

#include <utility>

namespace quillet::ui {
namespace {
ModalHandler& installedHandler() {
  static ModalHandler handler;
  return handler;
}
}  // namespace

int runModal(QDialog& dialog) {
  if (!installedHandler()) return dialog.exec();
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  const int result = installedHandler()(dialog);
  dialog.hide();
  return result;
}

void setModalHandler(ModalHandler handler) { installedHandler() = std::move(handler); }

}  // namespace quillet::ui
