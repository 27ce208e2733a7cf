// The editor program: one main window and its dialogs, until the main window closes.
#include <QApplication>

#include "app_forms.h"
#include "default_phone.h"
#include "editor_settings.h"
#include "main_window.h"
#include "phone_library_factory.h"
#include "start_arguments.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
  // Lets the desktop match the window with the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quillet.Quillet"));
  const quillet::ui::StartArguments start = quillet::ui::ReadStartArguments(QApplication::arguments());
  if (start.resetSettings) quillet::ui::EditorSettings::resetAll();
  quillet::ui::ApplicationForms forms = quillet::ui::CreateForms();
  forms.SDIAppForm->usePhoneLibrary(
      quillet::makePhoneLibraryFromEnvironment(quillet::makeDefaultPhoneLibrary));
  forms.SDIAppForm->show();
  // After the show, so that a failure's message box stands over the window.
  if (!start.file.isEmpty()) forms.SDIAppForm->openFile(start.file);
  return QApplication::exec();
}
