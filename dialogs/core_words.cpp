#include "core_words.h"

#include <QCoreApplication>
#include <QFile>
#include <array>
#include <string_view>

#include "result.h"
#include "save_options.h"

namespace quillet::ui {
namespace {

// One sentence per error code, in the order of ErrorCode.
constexpr std::array<const char*, 11> kCodeSentences = {
    QT_TRANSLATE_NOOP("CoreWords", "The file could not be read."),
    QT_TRANSLATE_NOOP("CoreWords", "The file could not be written."),
    QT_TRANSLATE_NOOP("CoreWords", "The file is too short to be a menu file."),
    QT_TRANSLATE_NOOP("CoreWords", "The file's record table cannot be read."),
    QT_TRANSLATE_NOOP("CoreWords", "An item's data lies outside the file's data area."),
    QT_TRANSLATE_NOOP("CoreWords", "The menu has more items than a menu file can hold."),
    QT_TRANSLATE_NOOP("CoreWords", "The item data are longer than a menu file can address."),
    QT_TRANSLATE_NOOP("CoreWords", "A value is larger than an item can hold."),
    QT_TRANSLATE_NOOP("CoreWords", "A value cannot be used here."),
    QT_TRANSLATE_NOOP("CoreWords", "There is no menu to work on."),
    QT_TRANSLATE_NOOP("CoreWords", "The phone could not do what was asked."),
};

// One sentence per kind of load warning, in the order of LoadWarningKind.
constexpr std::array<const char*, 8> kWarningSentences = {
    QT_TRANSLATE_NOOP("CoreWords", "A list of the menu runs into a record already read and ends there."),
    QT_TRANSLATE_NOOP("CoreWords",
                      "A submenu link leads to a record that cannot be used and is not followed."),
    QT_TRANSLATE_NOOP("CoreWords", "Records of the file belong to no menu list and are not loaded."),
    QT_TRANSLATE_NOOP("CoreWords",
                      "Items announce item data, but the file has none; they are loaded without data."),
    QT_TRANSLATE_NOOP("CoreWords", "The file cannot be saved as it is: remove items or item data first."),
    QT_TRANSLATE_NOOP("CoreWords", "An item's data end inside a data block; the rest is not kept."),
    QT_TRANSLATE_NOOP(
        "CoreWords",
        "A data block cannot be read; it is kept as unsupported data, saved only with \"Save all data\"."),
    QT_TRANSLATE_NOOP("CoreWords", "A data block does not fit into its item and is not kept."),
};

// The core's English message, after the translated sentence of its kind when the
// interface has a translation for it.
QString Worded(const char* sentence, const std::string& message) {
  const QString english = QString::fromStdString(message);
  const QString translated = QCoreApplication::translate("CoreWords", sentence);
  // An interface without a catalogue speaks the core's own English.
  if (translated == QLatin1String(sentence)) return english;
  return translated + QLatin1Char('\n') + english;
}

// The phone link's progress texts with a fixed wording, and the prefix of its file count.
constexpr std::array<const char*, 2> kPhoneSteps = {
    QT_TRANSLATE_NOOP("CoreWords", "Getting file count"),
    QT_TRANSLATE_NOOP("CoreWords", "Getting file list"),
};
constexpr std::string_view kFilesFound = "Files found: ";

}  // namespace

QString ErrorWords(const Error& error) {
  const auto code = static_cast<std::size_t>(error.code);
  if (code >= kCodeSentences.size()) return QString::fromStdString(error.message);
  return Worded(kCodeSentences[code], error.message);
}

QString ErrorReport(const Error& error) {
  QString text = ErrorWords(error);
  if (!error.detail.empty()) text += QLatin1Char('\n') + QString::fromStdString(error.detail);
  for (const std::string& note : error.notes) text += QLatin1Char('\n') + QString::fromStdString(note);
  if (!error.path.empty())
    text += QCoreApplication::translate("CoreWords", "\nFile: %1")
                .arg(QFile::decodeName(QByteArray::fromStdString(error.path)));
  return text;
}

QString JavaApplicationWords(const Error& error) {
  if (error.code == ErrorCode::FileNotReadable) return ErrorWords(error);
  return Worded(QT_TRANSLATE_NOOP("CoreWords", "The file cannot be used as a Java application."),
                error.message);
}

QString LoadWarningWords(const LoadWarning& warning) {
  const auto kind = static_cast<std::size_t>(warning.kind);
  if (kind >= kWarningSentences.size()) return QString::fromStdString(warning.message);
  return Worded(kWarningSentences[kind], warning.message);
}

QString DocumentSummaryWords(int recordSize, int mainMenuEntries) {
  return QCoreApplication::translate("CoreWords", "Format: %1-byte   Main menu entries: %2")
      .arg(recordSize)
      .arg(mainMenuEntries);
}

QString PhoneStatusWords(const std::string& text) {
  for (const char* step : kPhoneSteps)
    if (text == step) return QCoreApplication::translate("CoreWords", step);
  if (text.starts_with(kFilesFound))
    return QCoreApplication::translate("CoreWords", "Files found: %1")
        .arg(QString::fromStdString(text.substr(kFilesFound.size())));
  return QString::fromStdString(text);
}

}  // namespace quillet::ui
