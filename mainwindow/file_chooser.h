#pragma once
// The file dialogs of the main window as a replaceable function, so tests pick paths
// without a person at a dialog. An empty result means the user cancelled.
#include <QString>
#include <functional>

class QWidget;

namespace quillet::ui {

enum class FileDialogKind { Open, Save };

// The filter of both dialogs: every file, with or without a dot in its name.
extern const QString kAllFilesFilter;

using FileChooser = std::function<QString(QWidget* owner, FileDialogKind kind)>;

// The real dialogs (OpenDialog, SaveDialog).
QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind);

}  // namespace quillet::ui
