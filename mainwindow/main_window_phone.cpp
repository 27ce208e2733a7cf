// The phone commands of the main window (Open from phone, Save to phone, Restart Phone,
// Restore phone menu...):
// each runs as one job on the phone thread (see WindowPhoneLink) and finishes here, on
// the window's thread. Here too the window shows what its link reports.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

#include "backup_store.h"
#include "core_words.h"
#include "file_io.h"
#include "main_window.h"
#include "menu_writer.h"
#include "phone_indicator.h"
#include "phone_menu_guard.h"
#include "phone_preview_window.h"
#include "restore_phone_menu_dialog.h"
#include "window_phone_link.h"

namespace quillet::ui {

namespace {

const QColor kPhoneConnected(0, 255, 0);
const QColor kNoPhone(255, 0, 0);

// A save's answer and what it did to the phone's menu.
struct PhoneSaveOutcome {
  Result<std::string> sent;
  PhoneMenuWrite write;
};

}  // namespace

void TSDIAppForm::usePhoneLibrary(std::unique_ptr<P2KLibrary> library) {
  if (preview_ != nullptr) preview_->setPhone(nullptr);  // it reads through the link that goes
  phone_.reset();                                        // its thread ends before the next link starts
  PhoneLinkListener& listener = *this;  // the base is private: converted here, not in make_unique
  phone_ = std::make_unique<WindowPhoneLink>(*this, listener, std::move(library));
  connectPreviewToPhone();
}

void TSDIAppForm::connectPhoneCommands() {
  connect(PhoneOpen, &QAction::triggered, this, &TSDIAppForm::PhoneOpenExecute);
  connect(PhoneSave, &QAction::triggered, this, &TSDIAppForm::PhoneSaveExecute);
  connect(PhoneRestart, &QAction::triggered, this, &TSDIAppForm::PhoneRestartExecute);
  connect(PhoneRestoreMenu, &QAction::triggered, this, &TSDIAppForm::PhoneRestoreMenuExecute);
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
      [&phone, store = backups()]() mutable {
        PhoneMenuGuard guard(phone.link(), store, phone.progressReporter());
        return guard.open(phone.link().model());
      },
      [this](Result<PhoneRead> menu, bool cancelled) {
        if (cancelled) return;  // the open document stays as it was
        if (!menu) {
          showPhoneError(menu.error());
          return;
        }
        // A file the loader refuses is named by its place on the phone, where the user
        // can find it, not by the exchange file.
        openMenuBytes(menu->bytes, kPhoneMenuPath, tr("mma_ucp (phone)"));
        if (menu->damage) {
          offerRestore(*menu->damage);
          return;
        }
        if (!menu->backupError.empty())
          showPhoneError(Error{ErrorCode::PhoneError,
                               tr("The menu read from the phone could not be backed up.").toStdString(), "",
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
  // Only a write that reads back equal counts; the document stays as it is either way.
  // The phone then holds the document as it was when the job began.
  sendToPhone(PhoneJob::Save, std::move(menu.value()), [this] {
    documentSaved();
    showHint(tr("Menu written to the phone and checked"));
  });
}

void TSDIAppForm::sendToPhone(PhoneJob job, std::vector<std::uint8_t> bytes, std::function<void()> stored) {
  WindowPhoneLink& phone = *phone_;
  phone.run(
      job,
      [&phone, store = backups(), bytes = std::move(bytes)]() mutable {
        PhoneMenuGuard guard(phone.link(), store, phone.progressReporter());
        Result<std::string> sent = guard.save(phone.link().model(), bytes);
        return PhoneSaveOutcome{std::move(sent), guard.lastWrite()};
      },
      [this, stored = std::move(stored)](PhoneSaveOutcome outcome, bool cancelled) {
        // A save that sent nothing leaves the flag as it was.
        if (outcome.write != PhoneMenuWrite::None)
          StoredToPhone = outcome.write == PhoneMenuWrite::Stored ? 1 : 0;
        if (!outcome.sent) {
          if (!cancelled) showPhoneError(outcome.sent.error());
          return;
        }
        stored();
      });
}

void TSDIAppForm::PhoneRestoreMenuExecute() {
  if (!phone_ || phoneBusy()) return;
  const std::string model = phone_->link().model();
  BackupStore store = backups();
  PhoneMenuGuard chooser(phone_->link(), store);  // choosing reads and writes nothing
  const auto preferred = chooser.restoreChoice(model);
  RestorePhoneMenuDialog dialog(BackupChoicesFor(store, model), preferred ? preferred->path : "", this);
  if (prompter_->runModal(dialog) != QDialog::Accepted || dialog.chosenPath().empty()) return;
  restoreBackup(dialog.chosenPath());
}

void TSDIAppForm::offerRestore(const PhoneDamage& damage) {
  MessageRequest box;
  box.owner = this;
  box.icon = QMessageBox::Warning;
  box.text = tr("The last write to this phone did not finish: its menu holds %1 bytes where %2 "
                "were sent, so the phone may not show its menu.\nThe menu it had before was "
                "kept at %3.")
                 .arg(damage.heldBytes)
                 .arg(damage.sentBytes)
                 .arg(QString::fromStdString(damage.before.time));
  box.buttons = QMessageBox::Yes | QMessageBox::No;
  box.buttonTexts = {{QMessageBox::Yes, tr("Restore the menu the phone had before")},
                     {QMessageBox::No, tr("Not now")}};
  if (showMessage(box) == QMessageBox::Yes) restoreBackup(damage.before.path);
}

void TSDIAppForm::restoreBackup(const std::string& path) {
  if (!phone_ || phoneBusy()) return;
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    showFileError(bytes.error());
    return;
  }
  sendToPhone(PhoneJob::Restore, std::move(bytes.value()), [this, path] {
    StatusBar->showMessage(
        tr("The phone's menu was restored from %1").arg(QFile::decodeName(QByteArray::fromStdString(path))));
  });
}

void TSDIAppForm::PhoneRestartExecute() {
  if (!phone_ || phoneBusy()) return;
  WindowPhoneLink& phone = *phone_;
  phone.start(
      PhoneJob::Restart, [&phone] { phone.link().RestartPhone(); },
      [this](bool) {
        StoredToPhone = 0;
        showHint(tr("Phone restarting"));
      });
}

void TSDIAppForm::enablePhoneCommands() {
  const bool openAndRestart = phone_ && phone_->connected() && !phone_->busy();
  const bool saveToPhone = openAndRestart && document_.isOpen();
  ToolButton4->setEnabled(openAndRestart);
  Openfromphone1->setEnabled(openAndRestart);
  ToolButton7->setEnabled(openAndRestart);
  RestartPhone1->setEnabled(openAndRestart);
  ToolButton5->setEnabled(saveToPhone);
  Savetophone1->setEnabled(saveToPhone);
  RestorePhoneMenu1->setEnabled(openAndRestart);
}

void TSDIAppForm::phoneConnectionChanged(bool connected) {
  Shape1->setBrushColor(connected ? kPhoneConnected : kNoPhone);
  // A connected phone's panel waits for its model.
  if (!connected) StatusBar1Panel1->setText(tr("Phone: None "));
  enablePhoneCommands();
  tellPreviewPhoneChanged();
}

void TSDIAppForm::phoneModelRead(const std::string& model) {
  StatusBar1Panel1->setText(tr("Phone: %1 ").arg(QString::fromStdString(model)));
  // A job's own read looks at the journal; otherwise look now, without a progress dialog:
  // the journal is read on the phone thread and the phone's menu only when a write to
  // this model did not finish.
  if (!phone_ || phoneBusy()) return;
  WindowPhoneLink& phone = *phone_;
  phone.runQuietly(
      [&phone, model, store = backups()]() mutable {
        PhoneMenuGuard guard(phone.link(), store);
        // A menu that cannot be read now is looked at again by the next read of it.
        auto found = guard.check(model);
        return found ? found.value() : std::optional<PhoneDamage>();
      },
      [this](std::optional<PhoneDamage> damage) {
        if (damage && !phoneBusy()) offerRestore(*damage);
      });
}

void TSDIAppForm::showStatusText(const std::string& text) { StatusBar->showMessage(PhoneStatusWords(text)); }

void TSDIAppForm::showPhoneError(const Error& error) {
  MessageRequest box;
  box.owner = this;
  box.icon = QMessageBox::Critical;
  box.text = ErrorReport(error);
  box.buttons = QMessageBox::Ok;
  showMessage(box);
}

void TSDIAppForm::phoneBusyChanged() { enablePhoneCommands(); }

}  // namespace quillet::ui
