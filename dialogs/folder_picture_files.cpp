#include "folder_picture_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMetaObject>

#include "phone_folder_files.h"

namespace quillet::ui {
namespace {

// The answers come after the call, as a phone's do, so the dialog has one way of waiting.
template <typename Value>
void Answer(std::function<void(Value)> done, Value value) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [done = std::move(done), value = std::move(value)]() mutable { done(std::move(value)); },
      Qt::QueuedConnection);
}

// A phone path that names a place inside the folder: no part may lead out of it.
bool StaysInside(const QString& path) {
  return path.startsWith(QLatin1Char('/')) && PhoneFolderParts(path).has_value();
}

}  // namespace

void FolderPictureFiles::list(std::function<void(Result<std::vector<PictureFile>>)> done) {
  std::vector<PictureFile> files;
  const QDir root(folder_);
  QDirIterator found(folder_ + QStringLiteral("/a/mobile"),
                     QDir::Files | QDir::Readable | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (found.hasNext()) {
    found.next();
    const QString path = QLatin1Char('/') + root.relativeFilePath(found.filePath());
    if (StaysInside(path)) files.push_back({path, static_cast<std::uint32_t>(found.fileInfo().size())});
  }
  Answer<Result<std::vector<PictureFile>>>(std::move(done), std::move(files));
}

void FolderPictureFiles::fetch(const QString& path, std::function<void(Result<QByteArray>)> done) {
  QFile file(folder_ + path);
  if (!StaysInside(path) || !file.open(QIODevice::ReadOnly)) {
    Answer<Result<QByteArray>>(
        std::move(done),
        Error{ErrorCode::FileNotReadable,
              "Cannot read " + file.fileName().toStdString() + ": " + file.errorString().toStdString(),
              file.fileName().toStdString(), std::nullopt, std::nullopt});
    return;
  }
  Answer<Result<QByteArray>>(std::move(done), file.readAll());
}

void FolderPictureFiles::put(const QString& path, const QByteArray&, PutDone done) {
  Answer<Status>([done = std::move(done)](Status refused) { done(std::move(refused), false); },
                 Error{ErrorCode::PhoneError, "No phone is connected to put " + path.toStdString() + " on.",
                       path.toStdString(), std::nullopt, std::nullopt});
}

}  // namespace quillet::ui
