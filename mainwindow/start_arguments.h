#pragma once
// The editor's command line: at most one menu file to open at start, and the usual
// --help and --version.
#include <QString>
#include <QStringList>

namespace quillet::ui {

// Reads `arguments` (the program's name first). --help and --version print and end the
// program, as does a command line the editor cannot follow (with the reason on the
// error stream); otherwise returns the file to open at start, or an empty string.
QString FileToOpenAtStart(const QStringList& arguments);

}  // namespace quillet::ui
