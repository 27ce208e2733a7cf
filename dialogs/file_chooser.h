#pragma once
// The file dialogs of the editor (the main window's, and the custom item type dialog's
// for a Java application) as a replaceable function, so tests pick paths without a
// person at a dialog. An empty result means the user cancelled.
#include <QString>
#include <functional>

class QWidget;

namespace quillet::ui {

// OpenBackup is an Open dialog that starts in the backups folder; OpenJavaApplication
// one that shows Java applications (.jad and .jar) first; PhoneFilesFolder asks for a
// folder (the one that stands for the phone's files in the preview); OpenPicture shows
// pictures first (one to put on the phone).
enum class FileDialogKind { Open, Save, OpenBackup, OpenJavaApplication, PhoneFilesFolder, OpenPicture };

// The filter of the dialogs: every file, with or without a dot in its name, in the
// interface language.
QString AllFilesFilter();

// `start` is where the dialog opens: a folder, or a file's path to open in its folder
// with its name filled in; empty for the platform's choice. OpenBackup and
// OpenJavaApplication, PhoneFilesFolder and OpenPicture ignore it.
using FileChooser = std::function<QString(QWidget* owner, FileDialogKind kind, const QString& start)>;

// Where the phone menus' backups are kept: the platform's data folder, then
// "quillet/backups" (~/.local/share/quillet/backups on Linux).
QString backupsFolder();
// Whether `path` lies in backupsFolder(), however it is spelled.
bool IsInBackups(const QString& path);

// The real dialogs (OpenDialog, SaveDialog).
QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind, const QString& start);

}  // namespace quillet::ui
