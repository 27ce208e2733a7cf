#include "file_chooser.h"

#include <QFileDialog>

namespace quillet::ui {

// The pattern "*.*" would hide files without a dot, among them the menu file
// "mma_ucp" itself, so the filter that means "every file" is written as "*".
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind) {
  if (kind == FileDialogKind::Open) {
    return QFileDialog::getOpenFileName(owner, QString(), QString(), kAllFilesFilter);
  }
  return QFileDialog::getSaveFileName(owner, QString(), QString(), kAllFilesFilter);
}

}  // namespace quillet::ui
