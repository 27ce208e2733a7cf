#include "phone_folder_files.h"

#include <QBuffer>
#include <QImageReader>

namespace quillet::ui {

std::optional<QStringList> PhoneFolderParts(const QString& phonePath) {
  const QStringList parts = phonePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& part : parts)
    if (part == QLatin1String(".") || part == QLatin1String("..") || part.contains(QLatin1Char('\\')) ||
        part.contains(QLatin1Char(':')))
      return std::nullopt;
  return parts;
}

DecodedPicture DecodePicture(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);  // shares the bytes, copies nothing
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  DecodedPicture picture;
  picture.animated = reader.supportsAnimation() && reader.imageCount() > 1;
  picture.firstFrame = reader.read();
  if (picture.firstFrame.isNull()) picture.error = reader.errorString();
  return picture;
}

}  // namespace quillet::ui
