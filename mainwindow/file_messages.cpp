#include "file_messages.h"

#include <QFile>

#include "display_text.h"

namespace quillet::ui {

namespace {
constexpr int kLinesInTheBox = 8;
}  // namespace

const QString kErrorTitle = QStringLiteral("Quillet");

QString pathText(const std::string& path) { return QString::fromStdString(PrintableUtf8(path)); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

Error withPath(Error error, const std::string& path) {
  if (error.path.empty()) error.path = path;
  return error;
}

void listLines(MessageRequest& request, const QStringList& lines, const QString& counted) {
  if (lines.size() <= kLinesInTheBox) {
    request.text += QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
  } else {
    request.text += counted;
    request.details = lines.join(QLatin1Char('\n'));
  }
}

}  // namespace quillet::ui
