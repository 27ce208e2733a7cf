#pragma once
// How the main window names files and lists many lines in its message boxes; shared by
// loading, saving and the recent files.
#include <QString>
#include <QStringList>
#include <string>

#include "message_prompt.h"
#include "result.h"

namespace quillet::ui {

// The title of the window's file messages and questions.
extern const QString kErrorTitle;

// File names are bytes; a person sees them printable (see display_text.h).
QString pathText(const std::string& path);
std::string localPath(const QString& path);
// Every file error names its file, even when the failing step did not.
Error withPath(Error error, const std::string& path);

// Appends `lines` to the request's text when a few fit in the box; else `counted` (which
// starts on a line of its own and gives their number) is appended and they are listed in
// the box's scrollable details area, so the box never grows taller than the screen.
void listLines(MessageRequest& request, const QStringList& lines, const QString& counted);

}  // namespace quillet::ui
