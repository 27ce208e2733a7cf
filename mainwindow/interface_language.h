#pragma once
// The language the editor's windows speak. It is chosen once, at start: the command
// line's --lang first, then the choice remembered from the Help menu, then the first of
// the system's preferred languages that the editor has a catalogue for; English (the
// texts of the sources) when none matches. The catalogues are found relative to the
// program, in the build tree and in the installed data folder.
#include <QString>
#include <QStringList>

namespace quillet::ui {

// The languages the editor speaks, by catalogue name: "en" first (no catalogue), then
// "ru" and "zh_CN".
const QStringList& InterfaceLanguages();

// The editor's language for a list of preferred languages in BCP 47 form, as
// QLocale::uiLanguages() gives it ("ru-RU", "zh-Hans-CN", "en-GB"): the first one it
// speaks. Chinese in the traditional script has no catalogue and falls through.
QString LanguageForPreferences(const QStringList& uiLanguages);

// The Help menu's remembered choice: one of InterfaceLanguages(), or empty for "follow
// the system". A value the settings hold that is none of them reads as empty.
QString RememberedLanguage();
void RememberLanguage(const QString& language);

// The language to start in unless the command line names one: the remembered choice,
// else the system's.
QString UsualLanguage();

// Folders searched for quillet_<language>.qm: beside the program (build tree) and the
// installed data folder, both relative to the running program.
QStringList TranslationFolders();

// Installs the editor's catalogue for `language`, found in the first of `folders`
// that holds it, and Qt's own (standard buttons, file dialogs) from Qt's translations
// folder, in place of any installed before. Returns false when the editor's catalogue
// of a language other than English was not found; the windows then speak English.
bool UseInterfaceLanguage(const QString& language, const QStringList& folders);

// The language installed last ("en" before any).
QString CurrentInterfaceLanguage();

}  // namespace quillet::ui
