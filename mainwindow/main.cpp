// The editor program: one main window and its dialogs, until the main window closes.
#include <QApplication>

#include "app_forms.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  quillet::ui::ApplicationForms forms = quillet::ui::CreateForms();
  forms.SDIAppForm->show();
  return QApplication::exec();
}
