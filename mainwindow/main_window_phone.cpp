// The phone commands of the main window (Open from phone, Save to phone, Restart Phone)
// and the window's side of the phone link: indicator, phone panel, phone controls,
// progress line and the link's error boxes.
#include <QAction>
#include <QLabel>
#include <QMetaObject>
#include <QStatusBar>
#include <QToolButton>

#include "main_window.h"
#include "message_prompt.h"
#include "phone_indicator.h"
#include "phone_library_factory.h"
#include "window_phone_link.h"

namespace quillet::ui {

namespace {

const QColor kPhoneConnected(0, 255, 0);
const QColor kNoPhone(255, 0, 0);

}  // namespace

WindowPhoneLink::WindowPhoneLink(TSDIAppForm& window, std::unique_ptr<P2KLibrary> library)
    : window_(window),
      library_(std::move(library)),
      link_(*library_, *this, window.TempFilePath, window.StoredToPhone,
            PhoneLinkHooks{{}, [&window](std::function<void()> task) {
                             QMetaObject::invokeMethod(&window, std::move(task), Qt::QueuedConnection);
                           }}) {}

WindowPhoneLink::~WindowPhoneLink() = default;

void WindowPhoneLink::InitPhoneLink() { link_.InitPhoneLink(); }

std::int32_t WindowPhoneLink::P2K_GetStatus() { return link_.status(); }

void WindowPhoneLink::RestartPhone() { link_.RestartPhone(); }

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

void WindowPhoneLink::showPhoneError(const std::string& message) {
  MessageRequest box;
  box.owner = &window_;
  box.icon = QMessageBox::Critical;
  box.text = QString::fromStdString(message);
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
  usePhoneLibrary(makePhoneLibraryFromEnvironment());
}

void TSDIAppForm::PhoneOpenExecute() {
  if (!phone_) return;
  ClearDocument();
  clearAndHideSummary();
  std::string path;
  phone_->link().ReadPhoneFile(path);
  if (path.empty()) {
    // The link has said why; the old document is gone either way.
    disableDocumentCommands();
    return;
  }
  openMenuFile(path);
}

void TSDIAppForm::PhoneSaveExecute() {
  // A stale exchange file must not reach the phone when the new one was not written.
  if (!phone_ || !document_.isOpen() || !saveMenuFile(TempFilePath)) return;
  phone_->link().WritePhoneFile();
}

void TSDIAppForm::PhoneRestartExecute() {
  if (phone_) phone_->link().RestartPhone();
}

}  // namespace quillet::ui
