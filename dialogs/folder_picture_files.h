#pragma once
// The phone's files as a folder of this computer holds them (the phone files folder of
// the preview): the phone path "/a/mobile/picture/star.gif" is the file
// a/mobile/picture/star.gif in that folder. It is read only: files are put on a phone.
// An empty folder name stands for no folder at all.
#include <QDir>

#include "picture_files.h"

namespace quillet::ui {

class FolderPictureFiles : public PictureFiles {
 public:
  explicit FolderPictureFiles(QString folder) : folder_(std::move(folder)) {}

  Place place() const override { return folder_.isEmpty() ? Place::Nowhere : Place::Folder; }
  QString placeName() const override { return QDir::toNativeSeparators(folder_); }
  void list(std::function<void(Result<std::vector<PictureFile>>)> done) override;
  void fetch(const QString& path, std::function<void(Result<QByteArray>)> done) override;
  void put(const QString& path, const QByteArray& bytes, PutDone done) override;

 private:
  QString folder_;
};

}  // namespace quillet::ui
