#include "interface_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <algorithm>
#include <memory>

#include "editor_settings.h"

namespace quillet::ui {
namespace {

const QString kLanguageKey = QStringLiteral("interface/language");

// The editor's catalogue and Qt's; replaced together when the language changes.
struct InstalledTranslators {
  std::unique_ptr<QTranslator> editor;
  std::unique_ptr<QTranslator> qt;
  QString language = QStringLiteral("en");
};

InstalledTranslators& Installed() {
  static InstalledTranslators installed;
  return installed;
}

void Remove(std::unique_ptr<QTranslator>& translator) {
  if (translator) QCoreApplication::removeTranslator(translator.get());
  translator.reset();
}

}  // namespace

const QStringList& InterfaceLanguages() {
  static const QStringList languages{QStringLiteral("en"), QStringLiteral("ru"), QStringLiteral("zh_CN")};
  return languages;
}

QString LanguageForPreferences(const QStringList& uiLanguages) {
  for (const QString& preferred : uiLanguages) {
    const QStringList parts =
        QString(preferred).replace(QLatin1Char('_'), QLatin1Char('-')).split(QLatin1Char('-'));
    const QString language = parts.front().toLower();
    if (language == QLatin1String("en")) return QStringLiteral("en");
    if (language == QLatin1String("ru")) return QStringLiteral("ru");
    if (language == QLatin1String("zh")) {
      // Simplified is written in the mainland and Singapore; "zh" alone means it too.
      // Taiwan, Hong Kong and Macau write the traditional script.
      const QStringList traditional{QStringLiteral("hant"), QStringLiteral("tw"), QStringLiteral("hk"),
                                    QStringLiteral("mo")};
      const bool isTraditional =
          parts.size() > 1 && !parts.contains(QStringLiteral("Hans"), Qt::CaseInsensitive) &&
          std::any_of(parts.begin() + 1, parts.end(),
                      [&](const QString& part) { return traditional.contains(part.toLower()); });
      if (!isTraditional) return QStringLiteral("zh_CN");
    }
  }
  return QStringLiteral("en");
}

QString RememberedLanguage() {
  const QString value = EditorSettings::store().value(kLanguageKey).toString();
  return InterfaceLanguages().contains(value) ? value : QString();
}

void RememberLanguage(const QString& language) {
  QSettings settings = EditorSettings::store();
  if (language.isEmpty()) {
    settings.remove(kLanguageKey);
  } else {
    settings.setValue(kLanguageKey, language);
  }
}

QString UsualLanguage() {
  const QString remembered = RememberedLanguage();
  if (!remembered.isEmpty()) return remembered;
  return LanguageForPreferences(QLocale::system().uiLanguages());
}

QStringList TranslationFolders() {
  const QDir program(QCoreApplication::applicationDirPath());
  return {program.filePath(QStringLiteral("translations")),
          QDir::cleanPath(program.filePath(QStringLiteral(QUILLET_INSTALLED_TRANSLATIONS)))};
}

bool UseInterfaceLanguage(const QString& language, const QStringList& folders) {
  InstalledTranslators& installed = Installed();
  Remove(installed.editor);
  Remove(installed.qt);
  installed.language = QStringLiteral("en");
  if (language == QLatin1String("en") || !InterfaceLanguages().contains(language))
    return language == QLatin1String("en");
  auto editor = std::make_unique<QTranslator>();
  const QString name = QStringLiteral("quillet_") + language;
  const bool found = std::any_of(folders.begin(), folders.end(),
                                 [&](const QString& folder) { return editor->load(name, folder); });
  if (!found) return false;
  QCoreApplication::installTranslator(editor.get());
  installed.editor = std::move(editor);
  installed.language = language;
  // Qt's catalogue is a nicety: without it the standard buttons stay English.
  auto qt = std::make_unique<QTranslator>();
  if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt.get());
    installed.qt = std::move(qt);
  }
  return true;
}

QString CurrentInterfaceLanguage() { return Installed().language; }

}  // namespace quillet::ui
