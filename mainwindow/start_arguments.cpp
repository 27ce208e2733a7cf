#include "start_arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "interface_language.h"

namespace quillet::ui {
namespace {

// The same form as the parser's own complaints about unknown options.
[[noreturn]] void Refuse(const QString& reason) {
  std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(reason));
  std::exit(EXIT_FAILURE);
}

}  // namespace

StartArguments ReadStartArguments(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QCoreApplication::translate(
      "StartArguments", "Editor of the main menu file (mma_ucp) of Motorola P2K phones."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption lang(QStringLiteral("lang"),
                                QCoreApplication::translate("StartArguments", "The interface language: %1.")
                                    .arg(InterfaceLanguages().join(QLatin1String(", "))),
                                QStringLiteral("language"));
  parser.addOption(lang);
  parser.addPositionalArgument(QStringLiteral("file"),
                               QCoreApplication::translate("StartArguments", "The menu file to open."),
                               QStringLiteral("[file]"));
  const QCommandLineOption reset(
      QStringLiteral("reset-settings"),
      QCoreApplication::translate("StartArguments",
                                  "Start with the remembered settings (recent files, folders, "
                                  "window position, language) forgotten."));
  parser.addOption(reset);
  parser.process(arguments);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    Refuse(QCoreApplication::translate("StartArguments", "The editor opens one file at a time."));
  StartArguments start;
  start.file = files.isEmpty() ? QString() : files.front();
  if (parser.isSet(lang)) {
    start.language = parser.value(lang);
    if (!InterfaceLanguages().contains(start.language)) {
      Refuse(QCoreApplication::translate("StartArguments", "Unknown language \"%1\"; the editor speaks %2.")
                 .arg(start.language, InterfaceLanguages().join(QLatin1String(", "))));
    }
  }
  start.resetSettings = parser.isSet(reset);
  return start;
}

}  // namespace quillet::ui
