#pragma once
// Every dialog that one dialog opens from another is shown through runModal, so tests
// can act on the opened dialog without a person: they install a handler that receives
// the dialog (already shown, not modal), works its controls and returns its result.
#include <QDialog>
#include <functional>

namespace quillet::ui {

using ModalHandler = std::function<int(QDialog&)>;

// Shows the dialog modally (or hands it to the installed handler) and returns its
// result, QDialog::Accepted or QDialog::Rejected.
int runModal(QDialog& dialog);

// Installs a handler in place of modal loops; an empty handler restores them.
void setModalHandler(ModalHandler handler);

}  // namespace quillet::ui
