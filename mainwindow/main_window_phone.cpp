// The phone commands of the main window (Open from phone, Save to phone, Restart Phone)
// and the window's side of the phone link: indicator, phone panel, phone controls,
// progress line and the link's error boxes.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMetaObject>
#include <QStatusBar>
#include <QToolButton>

#include "backup_store.h"
#include "main_window.h"
#include "message_prompt.h"
#include "menu_writer.h"
#include "phone_indicator.h"
#include "phone_menu_guard.h"
#include "window_phone_link.h"

namespace quillet::ui {

namespace {

const QColor kPhoneConnected(0, 255, 0);
const QColor kNoPhone(255, 0, 0);

}  // namespace

WindowPhoneLink::WindowPhoneLink(TSDIAppForm& window, std::unique_ptr<P2KLibrary> library)
    : window_(window),
      library_(std::move(library)),
      link_(*library_, *this, window.StoredToPhone,
            PhoneLinkHooks{{},
                           [&window](std::function<void()> task) {
                             QMetaObject::invokeMethod(&window, std::move(task), Qt::QueuedConnection);
                           },
                           {}}) {}

WindowPhoneLink::~WindowPhoneLink() = default;

void WindowPhoneLink::InitPhoneLink() {
  if (Status started = link_.InitPhoneLink(); !started) showPhoneError(started.error());
}

std::int32_t WindowPhoneLink::P2K_GetStatus() { return link_.status(); }

void WindowPhoneLink::RestartPhone() { link_.RestartPhone(); }

void WindowPhoneLink::removeExchangeFile() { link_.removeExchangeFile(); }

void WindowPhoneLink::setPhoneIndicator(bool connected) {
  window_.Shape1->setBrushColor(connected ? kPhoneConnected : kNoPhone);
}

void WindowPhoneLink::setPhonePanelText(const std::string& text) {
  window_.StatusBar1Panel1->setText(QString::fromStdString(text));
}

void WindowPhoneLink::enablePhoneCommands(bool openAndRestart, bool saveToPhone) {
  window_.ToolButton4->setEnabled(openAndRestart);
  window_.Openfromphone1->setEnabled(openAndRestart);
  window_.ToolButton7->setEnabled(openAndRestart);
  window_.RestartPhone1->setEnabled(openAndRestart);
  window_.ToolButton5->setEnabled(saveToPhone);
  window_.Savetophone1->setEnabled(saveToPhone);
}

bool WindowPhoneLink::hasDocument() const { return window_.document().isOpen(); }

void WindowPhoneLink::showStatusText(const std::string& text) {
  window_.StatusBar->showMessage(QString::fromStdString(text));
}

void WindowPhoneLink::showPhoneError(const Error& error) {
  MessageRequest box;
  box.owner = &window_;
  box.icon = QMessageBox::Critical;
  box.text = QString::fromStdString(error.message);
  if (!error.detail.empty()) box.text += QLatin1Char('\n') + QString::fromStdString(error.detail);
  if (!error.path.empty())
    box.text += QStringLiteral("\nFile: ") + QFile::decodeName(QByteArray::fromStdString(error.path));
  box.buttons = QMessageBox::Ok;
  showMessage(box);
}

void TSDIAppForm::usePhoneLibrary(std::unique_ptr<P2KLibrary> library) {
  phone_ = std::make_unique<WindowPhoneLink>(*this, std::move(library));
  setPhoneLink(phone_.get());
}

void TSDIAppForm::connectPhoneCommands() {
  connect(PhoneOpen, &QAction::triggered, this, &TSDIAppForm::PhoneOpenExecute);
  connect(PhoneSave, &QAction::triggered, this, &TSDIAppForm::PhoneSaveExecute);
  connect(PhoneRestart, &QAction::triggered, this, &TSDIAppForm::PhoneRestartExecute);
}

BackupStore TSDIAppForm::backups() const {
  return BackupStore(QFile::encodeName(backupsFolder()).toStdString());
}

void TSDIAppForm::PhoneOpenExecute() {
  if (!phone_ || !settleUnsavedChanges()) return;
  BackupStore store = backups();
  PhoneMenuGuard guard(phone_->link(), store, StoredToPhone);
  const Result<PhoneRead> menu = guard.open(phone_->link().model());
  if (!menu) {
    phone_->showPhoneError(menu.error());  // the open document stays as it was
    return;
  }
  // A file the loader refuses is named by its place on the phone, where the user can
  // find it, not by the exchange file.
  openMenuBytes(menu->bytes, kPhoneMenuPath);
  if (!menu->backupError.empty())
    phone_->showPhoneError(Error{ErrorCode::PhoneError,
                                 "The menu read from the phone could not be backed up.", "",
                                 std::nullopt, std::nullopt, menu->backupError});
}

void TSDIAppForm::PhoneSaveExecute() {
  if (!phone_ || !document_.isOpen()) return;
  const SaveOptions options = saveOptions();
  Result<std::vector<std::uint8_t>> menu = SerializeMenu(document_, options);
  if (!menu) {
    // Nothing reaches the phone when the menu could not be written.
    Error error = menu.error();
    error.path = kPhoneMenuPath;
    showFileError(error);
    return;
  }
  BackupStore store = backups();
  PhoneMenuGuard guard(phone_->link(), store, StoredToPhone);
  // Only a write that reads back equal counts; the document stays as it is either way.
  if (auto sent = guard.save(phone_->link().model(), menu.value()); !sent) {
    phone_->showPhoneError(sent.error());
    return;
  }
  documentSaved();  // the phone holds the document as it is now
}

void TSDIAppForm::PhoneRestartExecute() {
  if (phone_) phone_->link().RestartPhone();
}

}  // namespace quillet::ui
