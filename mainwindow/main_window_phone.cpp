// The phone commands of the main window (Open from phone, Save to phone, Restart Phone):
// each runs as one job on the phone thread (see WindowPhoneLink) and finishes here, on
// the window's thread.
#include <QAction>
#include <QFile>

#include "backup_store.h"
#include "main_window.h"
#include "menu_writer.h"
#include "phone_menu_guard.h"
#include "window_phone_link.h"

namespace quillet::ui {

void TSDIAppForm::usePhoneLibrary(std::unique_ptr<P2KLibrary> library) {
  phone_.reset();  // its thread ends before the next link starts
  phone_ = std::make_unique<WindowPhoneLink>(*this, std::move(library));
  setPhoneLink(phone_.get());
}

void TSDIAppForm::connectPhoneCommands() {
  connect(PhoneOpen, &QAction::triggered, this, &TSDIAppForm::PhoneOpenExecute);
  connect(PhoneSave, &QAction::triggered, this, &TSDIAppForm::PhoneSaveExecute);
  connect(PhoneRestart, &QAction::triggered, this, &TSDIAppForm::PhoneRestartExecute);
}

bool TSDIAppForm::phoneBusy() const { return phone_ && phone_->busy(); }

bool TSDIAppForm::phoneWorking() const { return phone_ && phone_->working(); }

BackupStore TSDIAppForm::backups() const {
  return BackupStore(QFile::encodeName(backupsFolder()).toStdString());
}

void TSDIAppForm::PhoneOpenExecute() {
  if (!phone_ || phoneBusy() || !settleUnsavedChanges()) return;
  WindowPhoneLink& phone = *phone_;
  phone.run(
      PhoneJob::Open,
      [this, &phone, store = backups()]() mutable {
        PhoneMenuGuard guard(phone.link(), store, StoredToPhone, phone.progressReporter());
        return guard.open(phone.link().model());
      },
      [this, &phone](Result<PhoneRead> menu, bool cancelled) {
        if (cancelled) return;  // the open document stays as it was
        if (!menu) {
          phone.showPhoneError(menu.error());
          return;
        }
        // A file the loader refuses is named by its place on the phone, where the user
        // can find it, not by the exchange file.
        openMenuBytes(menu->bytes, kPhoneMenuPath, tr("mma_ucp (phone)"));
        if (!menu->backupError.empty())
          phone.showPhoneError(Error{ErrorCode::PhoneError,
                                     "The menu read from the phone could not be backed up.", "",
                                     std::nullopt, std::nullopt, menu->backupError});
      });
}

void TSDIAppForm::PhoneSaveExecute() {
  if (!phone_ || phoneBusy() || !document_.isOpen() || !settleDataLeftOut()) return;
  const SaveOptions options = saveOptions();
  Result<std::vector<std::uint8_t>> menu = SerializeMenu(document_, options);
  if (!menu) {
    // Nothing reaches the phone when the menu could not be written.
    Error error = menu.error();
    error.path = kPhoneMenuPath;
    showFileError(error);
    return;
  }
  WindowPhoneLink& phone = *phone_;
  phone.run(
      PhoneJob::Save,
      [this, &phone, store = backups(), bytes = std::move(menu.value())]() mutable {
        PhoneMenuGuard guard(phone.link(), store, StoredToPhone, phone.progressReporter());
        return guard.save(phone.link().model(), bytes);
      },
      [this, &phone](Result<std::string> sent, bool cancelled) {
        // Only a write that reads back equal counts; the document stays as it is either way.
        if (!sent) {
          if (!cancelled) phone.showPhoneError(sent.error());
          return;
        }
        documentSaved();  // the phone holds the document as it was when the job began
        showHint(tr("Menu written to the phone and checked"));
      });
}

void TSDIAppForm::PhoneRestartExecute() {
  if (!phone_ || phoneBusy()) return;
  WindowPhoneLink& phone = *phone_;
  phone.start(PhoneJob::Restart, [&phone] { phone.link().RestartPhone(); },
              [this](bool) { showHint(tr("Phone restarting")); });
}

}  // namespace quillet::ui
