#include "core_words.h"

#include <QCoreApplication>
#include <array>
#include <string_view>

#include "result.h"

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

// The phone link's progress texts with a fixed wording, and the prefix of its file count.
constexpr std::array<const char*, 2> kPhoneSteps = {
    QT_TRANSLATE_NOOP("CoreWords", "Getting file count"),
    QT_TRANSLATE_NOOP("CoreWords", "Getting file list"),
};
constexpr std::string_view kFilesFound = "Files found: ";

}  // namespace

QString ErrorWords(const Error& error) {
  const QString message = QString::fromStdString(error.message);
  const auto code = static_cast<std::size_t>(error.code);
  if (code >= kCodeSentences.size()) return message;
  const QString sentence = QCoreApplication::translate("CoreWords", kCodeSentences[code]);
  // An interface without a catalogue speaks the core's own English.
  if (sentence == QLatin1String(kCodeSentences[code])) return message;
  return sentence + QLatin1Char('\n') + message;
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
