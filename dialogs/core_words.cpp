#include "core_words.h"

#include <QCoreApplication>
#include <array>

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

const char* const kPhonePrefix = "Phone: ";
const char* const kNoPhoneModel = "None";

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

QString PhonePanelWords(const std::string& coreText) {
  const QString text = QString::fromStdString(coreText);
  if (!text.startsWith(QLatin1String(kPhonePrefix))) return text;
  const QString model = text.mid(static_cast<qsizetype>(std::char_traits<char>::length(kPhonePrefix))).trimmed();
  if (model == QLatin1String(kNoPhoneModel)) return QCoreApplication::translate("CoreWords", "Phone: None ");
  return QCoreApplication::translate("CoreWords", "Phone: %1 ").arg(model);
}

}  // namespace quillet::ui
