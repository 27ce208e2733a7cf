#include "file_chooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace quillet::ui {

// The pattern "*.*" would hide files without a dot, among them the menu file
// "mma_ucp" itself, so the filter that means "every file" is written as "*".
QString AllFilesFilter() { return QCoreApplication::translate("FileChooser", "All Files (*)"); }

QString backupsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/quillet/backups");
}

QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind) {
  if (kind == FileDialogKind::OpenBackup) {
    // Made if missing, so the dialog starts there even before the first backup.
    QDir().mkpath(backupsFolder());
    return QFileDialog::getOpenFileName(owner, QString(), backupsFolder(), AllFilesFilter());
  }
  if (kind == FileDialogKind::PhoneFilesFolder) {
    return QFileDialog::getExistingDirectory(owner, QCoreApplication::translate("FileChooser", "Phone files folder"));
  }
  if (kind == FileDialogKind::OpenJavaApplication) {
    const QString filter = QCoreApplication::translate("FileChooser", "Java applications (*.jad *.jar)") +
                           QStringLiteral(";;") + AllFilesFilter();
    return QFileDialog::getOpenFileName(owner, QCoreApplication::translate("FileChooser", "Choose Java application"),
                                        QString(), filter);
  }
  if (kind == FileDialogKind::Open) {
    return QFileDialog::getOpenFileName(owner, QString(), QString(), AllFilesFilter());
  }
  return QFileDialog::getSaveFileName(owner, QString(), QString(), AllFilesFilter());
}

}  // namespace quillet::ui
