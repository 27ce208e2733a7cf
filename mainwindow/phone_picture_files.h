#pragma once
// "Choose icon" over the connected phone: the list and the thumbnails are read as phone
// work behind whatever runs (no progress dialog), a put is a phone job with the progress
// dialog that backs up a file it replaces and reads the new one back.
#include <functional>
#include <memory>

#include "picture_files.h"

namespace quillet::ui {

class WindowPhoneIconFiles;
class WindowPhoneLink;

class PhonePictureFiles : public PictureFiles {
 public:
  // `filesChanged` runs after a put changed the phone's files (the preview looks again).
  PhonePictureFiles(WindowPhoneLink& phone, std::function<void()> filesChanged);
  ~PhonePictureFiles() override;

  Place place() const override { return Place::Phone; }
  QString placeName() const override;
  void list(std::function<void(Result<std::vector<PictureFile>>)> done) override;
  void fetch(const QString& path, std::function<void(Result<QByteArray>)> done) override;
  void put(const QString& path, const QByteArray& bytes, PutDone done) override;

 private:
  WindowPhoneLink& phone_;
  std::function<void()> filesChanged_;
  // Reads the thumbnails as the preview reads its icons; shared with a put still running
  // when the dialog goes, which makes it list the phone again.
  std::shared_ptr<WindowPhoneIconFiles> icons_;
};

}  // namespace quillet::ui
