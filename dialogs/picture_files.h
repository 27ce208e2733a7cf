#pragma once
// What "Choose icon" needs of the phone's files, whatever stands behind them: the
// connected phone, whose work runs on the phone thread, or the folder that stands for the
// phone's files when none is connected. Every answer comes back later, on the window's
// thread, so the dialog never waits for the phone.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "result.h"

namespace quillet::ui {

struct PictureFile {
  QString path;  // the phone path, "/a/mobile/picture/star.gif"
  std::uint32_t size = 0;
};

class PictureFiles {
 public:
  enum class Place { Phone, Folder, Nowhere };
  virtual ~PictureFiles() = default;

  virtual Place place() const = 0;
  // The phone's model (empty while it is not known) or the folder, for the dialog to name.
  virtual QString placeName() const = 0;
  // Every file the place holds below /a/mobile/, by phone path.
  virtual void list(std::function<void(Result<std::vector<PictureFile>>)> done) = 0;
  // The bytes of the file at the phone path `path`.
  virtual void fetch(const QString& path, std::function<void(Result<QByteArray>)> done) = 0;
  // Makes `bytes` the file at `path`, verified (a file it replaces is backed up first).
  // Only a phone takes files. `cancelled` is true for a put the user stopped (in its
  // progress dialog, before anything was written): the phone's file is as it was.
  using PutDone = std::function<void(Status put, bool cancelled)>;
  virtual void put(const QString& path, const QByteArray& bytes, PutDone done) = 0;
};

// Gives the place to browse at the moment "Choose icon" opens.
using PictureFilesSource = std::function<std::unique_ptr<PictureFiles>()>;

}  // namespace quillet::ui
