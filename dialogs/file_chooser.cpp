#include "file_chooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillet::ui {

// The pattern "*.*" would hide files without a dot, among them the menu file
// "mma_ucp" itself, so the filter that means "every file" is written as "*".
QString AllFilesFilter() { return QCoreApplication::translate("FileChooser", "All Files (*)"); }

QString backupsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/quillet/backups");
}

bool IsInBackups(const QString& path) {
  const QString folder = QFileInfo(backupsFolder()).canonicalFilePath();
  // A file not yet made has no canonical path: its folder decides.
  const QFileInfo file(path);
  const QString canonical =
      file.exists() ? file.canonicalFilePath() : QFileInfo(file.absolutePath()).canonicalFilePath();
  return !folder.isEmpty() && !canonical.isEmpty() &&
         (canonical + QLatin1Char('/')).startsWith(folder + QLatin1Char('/'));
}

QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind, const QString& start) {
  if (kind == FileDialogKind::OpenBackup) {
    // Made if missing, so the dialog starts there even before the first backup.
    QDir().mkpath(backupsFolder());
    return QFileDialog::getOpenFileName(owner, QString(), backupsFolder(), AllFilesFilter());
  }
  if (kind == FileDialogKind::PhoneFilesFolder) {
    return QFileDialog::getExistingDirectory(
        owner, QCoreApplication::translate("FileChooser", "Phone files folder"));
  }
  if (kind == FileDialogKind::OpenJavaApplication) {
    const QString filter = QCoreApplication::translate("FileChooser", "Java applications (*.jad *.jar)") +
                           QStringLiteral(";;") + AllFilesFilter();
    return QFileDialog::getOpenFileName(
        owner, QCoreApplication::translate("FileChooser", "Choose Java application"), QString(), filter);
  }
  if (kind == FileDialogKind::OpenPicture) {
    const QString filter =
        QCoreApplication::translate("FileChooser", "Pictures (*.gif *.png *.jpg *.jpeg *.bmp *.wbmp)") +
        QStringLiteral(";;") + AllFilesFilter();
    return QFileDialog::getOpenFileName(
        owner, QCoreApplication::translate("FileChooser", "Put a picture on the phone"), QString(), filter);
  }
  if (kind == FileDialogKind::Open) {
    return QFileDialog::getOpenFileName(owner, QString(), start, AllFilesFilter());
  }
  return QFileDialog::getSaveFileName(owner, QString(), start, AllFilesFilter());
}

}  // namespace quillet::ui
