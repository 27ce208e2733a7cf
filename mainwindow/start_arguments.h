#pragma once
// The editor's command line: at most one menu file to open at start, the interface
// language, --reset-settings, and the usual --help and --version.
#include <QString>
#include <QStringList>

namespace quillet::ui {

struct StartArguments {
  QString file;                // the menu file to open at start, or empty
  QString language;            // from --lang: one of InterfaceLanguages(), or empty to choose as usual
  bool resetSettings = false;  // start with every remembered setting forgotten
};

// Reads `arguments` (the program's name first). --help and --version print and end the
// program, as does a command line the editor cannot follow (with the reason on the
// error stream).
StartArguments ReadStartArguments(const QStringList& arguments);

}  // namespace quillet::ui
