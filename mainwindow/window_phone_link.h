#pragma once
// The main window's side of the phone link: it owns the phone-access library and the
// link, shows what the link reports in the window's controls, and answers the window's
// own questions about the phone (start, status, restart at close).
#include <memory>
#include <string>

#include "p2k_library.h"
#include "phone_link.h"
#include "phone_port.h"

namespace quillet::ui {

class TSDIAppForm;

class WindowPhoneLink : public PhoneLinkPort, public PhoneLinkView {
 public:
  // Connection notices are queued on the window's event loop, so they change the
  // controls on the user-interface thread whichever thread the library uses.
  WindowPhoneLink(TSDIAppForm& window, std::unique_ptr<P2KLibrary> library);
  ~WindowPhoneLink() override;

  PhoneLink& link() { return link_; }

  // PhoneLinkPort
  void InitPhoneLink() override;
  std::int32_t P2K_GetStatus() override;
  void RestartPhone() override;
  void removeExchangeFile() override;

  // PhoneLinkView
  void setPhoneIndicator(bool connected) override;
  void setPhonePanelText(const std::string& text) override;
  void enablePhoneCommands(bool openAndRestart, bool saveToPhone) override;
  bool hasDocument() const override;
  void showStatusText(const std::string& text) override;
  // A box with an empty title, an OK button and the stop icon: the link's message as it
  // stands, then the reason and the file on lines of their own.
  void showPhoneError(const Error& error) override;

 private:
  TSDIAppForm& window_;
  std::unique_ptr<P2KLibrary> library_;  // outlives link_, which is declared after it
  PhoneLink link_;
};

}  // namespace quillet::ui
