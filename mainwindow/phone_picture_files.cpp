#include "phone_picture_files.h"

#include <QFile>

#include "backup_store.h"
#include "choose_icon_dialog.h"
#include "file_chooser.h"
#include "phone_file_guard.h"
#include "phone_icon_files.h"
#include "phone_progress_dialog.h"
#include "window_phone_link.h"

namespace quillet::ui {

// The dialog refuses what the link could not send as one file, and nothing less.
static_assert(ChooseIconDialog::kMaxPutBytes == PhoneLink::kMaxTransferBytes);

PhonePictureFiles::PhonePictureFiles(WindowPhoneLink& phone, std::function<void()> filesChanged)
    : phone_(phone),
      filesChanged_(std::move(filesChanged)),
      icons_(std::make_shared<WindowPhoneIconFiles>(phone)) {}

PhonePictureFiles::~PhonePictureFiles() = default;

QString PhonePictureFiles::placeName() const { return QString::fromStdString(phone_.link().model()); }

void PhonePictureFiles::list(std::function<void(Result<std::vector<PictureFile>>)> done) {
  WindowPhoneLink* phone = &phone_;  // outlives the phone thread's work
  phone_.runQuietly([phone] { return phone->link().ListFiles(); },
                    [done = std::move(done)](Result<std::vector<PhoneFileInfo>> listed) {
                      if (!listed) {
                        done(listed.error());
                        return;
                      }
                      std::vector<PictureFile> files;
                      for (const PhoneFileInfo& file : listed.value())
                        files.push_back({QString::fromStdString(file.path), file.size});
                      done(std::move(files));
                    });
}

void PhonePictureFiles::fetch(const QString& path, std::function<void(Result<QByteArray>)> done) {
  icons_->read(path.toStdString(), [done = std::move(done)](Result<PhoneIconFiles::Bytes> bytes) {
    if (!bytes) {
      done(bytes.error());
      return;
    }
    done(QByteArray(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size())));
  });
}

void PhonePictureFiles::put(const QString& path, const QByteArray& bytes, PutDone done) {
  WindowPhoneLink& phone = phone_;
  if (phone.busy()) {
    // One job at a time: its progress dialog stands for it.
    done(Error{ErrorCode::PhoneError, "The phone is busy with another job; put the file once it has ended.",
               path.toStdString(), std::nullopt, std::nullopt},
         false);
    return;
  }
  std::weak_ptr<WindowPhoneIconFiles> icons = icons_;
  phone.run(
      PhoneJob::PutFile,
      [&phone, store = BackupStore(QFile::encodeName(backupsFolder()).toStdString()),
       path = path.toStdString(), data = std::vector<std::uint8_t>(bytes.begin(), bytes.end())]() mutable {
        PhoneFileGuard guard(phone.link(), store, phone.progressReporter());
        return guard.put(phone.link().model(), path, data);
      },
      [icons, filesChanged = filesChanged_, done = std::move(done)](Result<PhoneFilePut> put,
                                                                    bool cancelled) {
        // The phone's file list changed (or may have): what was read of it is dropped.
        if (auto shared = icons.lock()) shared->connectionChanged();
        if (filesChanged) filesChanged();
        if (!put) {
          done(put.error(), cancelled);
          return;
        }
        done(Ok(), false);
      });
}

}  // namespace quillet::ui
