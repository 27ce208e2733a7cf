// The editor program: one main window and its dialogs, until the main window closes.
#include <QApplication>

#include "app_forms.h"
#include "default_phone.h"
#include "editor_settings.h"
#include "interface_language.h"
#include "main_window.h"
#include "phone_library_factory.h"
#include "start_arguments.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
  // Lets the desktop match the window with the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quillet.Quillet"));
  // The usual language first, so that --help speaks it; --lang then overrides it.
  const QStringList folders = quillet::ui::TranslationFolders();
  const QString usual = quillet::ui::UsualLanguage();
  quillet::ui::UseInterfaceLanguage(usual, folders);
  const quillet::ui::StartArguments start = quillet::ui::ReadStartArguments(QApplication::arguments());
  // --reset-settings forgets the remembered language too: then the system's applies.
  if (start.resetSettings) quillet::ui::EditorSettings::resetAll();
  const QString language = !start.language.isEmpty() ? start.language
                           : start.resetSettings     ? quillet::ui::UsualLanguage()
                                                     : usual;
  if (language != usual) quillet::ui::UseInterfaceLanguage(language, folders);
  quillet::ui::ApplicationForms forms = quillet::ui::CreateForms();
  forms.SDIAppForm->usePhoneLibrary(
      quillet::makePhoneLibraryFromEnvironment(quillet::makeDefaultPhoneLibrary));
  forms.SDIAppForm->show();
  // After the show, so that a failure's message box stands over the window.
  if (!start.file.isEmpty()) forms.SDIAppForm->openFile(start.file);
  return QApplication::exec();
}
