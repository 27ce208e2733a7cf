#include "start_arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace quillet::ui {

StartArguments ReadStartArguments(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Editor of the main menu file (mma_ucp) of Motorola P2K phones."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The menu file to open."),
                               QStringLiteral("[file]"));
  const QCommandLineOption reset(QStringLiteral("reset-settings"),
                                 QStringLiteral("Start with the remembered settings (recent files, folders, "
                                                "window position) forgotten."));
  parser.addOption(reset);
  parser.process(arguments);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    // The same form as the parser's own complaints about unknown options.
    std::fprintf(stderr, "%s: The editor opens one file at a time.\n",
                 qPrintable(QCoreApplication::applicationName()));
    std::exit(EXIT_FAILURE);
  }
  return {files.isEmpty() ? QString() : files.front(), parser.isSet(reset)};
}

}  // namespace quillet::ui
