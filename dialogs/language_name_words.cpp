#include "language_name_words.h"

#include <QCoreApplication>
#include <array>
#include <string_view>

#include "language_tables.h"

namespace quillet::ui {
namespace {

// The language table's names once more, where the catalogue tools can see them.
constexpr std::array<std::string_view, kLanguageCount> kTranslatedNames = {
    QT_TRANSLATE_NOOP("LanguageNames", "English US"),
    QT_TRANSLATE_NOOP("LanguageNames", "Arabic"),
    QT_TRANSLATE_NOOP("LanguageNames", "English UK"),
    QT_TRANSLATE_NOOP("LanguageNames", "Chinese Complex"),
    QT_TRANSLATE_NOOP("LanguageNames", "Chinese Simple"),
    QT_TRANSLATE_NOOP("LanguageNames", "French"),
    QT_TRANSLATE_NOOP("LanguageNames", "German"),
    QT_TRANSLATE_NOOP("LanguageNames", "Hebrew"),
    QT_TRANSLATE_NOOP("LanguageNames", "Italian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Spanish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Thai"),
    QT_TRANSLATE_NOOP("LanguageNames", "Vietnamese"),
    QT_TRANSLATE_NOOP("LanguageNames", "Canadian French"),
    QT_TRANSLATE_NOOP("LanguageNames", "American Spanish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Bahasa"),
    QT_TRANSLATE_NOOP("LanguageNames", "Bulgarian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Croatian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Czech"),
    QT_TRANSLATE_NOOP("LanguageNames", "Danish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Dutch"),
    QT_TRANSLATE_NOOP("LanguageNames", "Estonian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Finnish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Greek"),
    QT_TRANSLATE_NOOP("LanguageNames", "Hungarian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Japanese"),
    QT_TRANSLATE_NOOP("LanguageNames", "Korean"),
    QT_TRANSLATE_NOOP("LanguageNames", "Latvian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Lithuanian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Malay"),
    QT_TRANSLATE_NOOP("LanguageNames", "Norwegian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Polish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Portuguese"),
    QT_TRANSLATE_NOOP("LanguageNames", "American Portuguese"),
    QT_TRANSLATE_NOOP("LanguageNames", "Romanian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Russian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Serbian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Slovak"),
    QT_TRANSLATE_NOOP("LanguageNames", "Slovenian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Tagalog"),
    QT_TRANSLATE_NOOP("LanguageNames", "Turkish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Ukrainian"),
    QT_TRANSLATE_NOOP("LanguageNames", "Brazilian Portuguese"),
    QT_TRANSLATE_NOOP("LanguageNames", "Swedish"),
    QT_TRANSLATE_NOOP("LanguageNames", "Farsi"),
    QT_TRANSLATE_NOOP("LanguageNames", "Urdu"),
    QT_TRANSLATE_NOOP("LanguageNames", "Hindi"),
    QT_TRANSLATE_NOOP("LanguageNames", "Bahasa Malay"),
};

constexpr bool SameNames() {
  for (std::size_t i = 0; i < kLanguageCount; ++i) {
    if (kTranslatedNames[i] != LanguageNames[i]) return false;
  }
  return true;
}
static_assert(SameNames(), "the translated names follow the language table");

}  // namespace

QString LanguageChoiceText(std::size_t position) {
  const std::string_view english = kTranslatedNames.at(position);
  const QString name = QString::fromLatin1(english.data(), static_cast<qsizetype>(english.size()));
  const QString translated = QCoreApplication::translate("LanguageNames", english.data());
  return translated == name ? name : QStringLiteral("%1 \u2014 %2").arg(name, translated);
}

QString LanguageWords(std::uint8_t language) {
  if (language >= 1 && language <= kLanguageCount) return LanguageChoiceText(language - 1u);
  return QCoreApplication::translate("LanguageNames", "Language %1").arg(language);
}

}  // namespace quillet::ui
