#pragma once
// The core's results in the window's words. The core speaks English to mmatool and the
// window alike; here its error codes, load warnings, document counts and phone progress become texts
// of the interface language. In English they read exactly as the core's own.
#include <QString>
#include <string>

namespace quillet {
struct Error;
struct LoadWarning;
}  // namespace quillet

namespace quillet::ui {

// An error's message: in English the core's sentence; in a translated interface the
// translated sentence of its code, then the core's sentence, which names the place and
// the numbers, for the record.
QString ErrorWords(const Error& error);

// The whole error for a box: its message (ErrorWords), then the reason, the notes and
// the file on lines of their own.
QString ErrorReport(const Error& error);

// A Java application file the MIDlet reader refused: in English the reader's sentence
// (which names the file and the reason); in a translated interface a translated sentence
// first. A file that cannot be read at all is worded as any unreadable file.
QString JavaApplicationWords(const Error& error);

// A load warning: in English the core's sentence; in a translated interface the
// translated sentence of its kind, then the core's sentence with the item and numbers.
QString LoadWarningWords(const LoadWarning& warning);

// The document summary of status panel 0: "Format: 36-byte   Main menu entries: 20".
QString DocumentSummaryWords(int recordSize, int mainMenuEntries);

// A progress text of the phone link for the status line ("Getting file count",
// "Files found: 12"); a text the link does not send reads as it came.
QString PhoneStatusWords(const std::string& text);

}  // namespace quillet::ui
