#pragma once
// What the main window itself needs of the phone link: starting it when the window is
// first shown, whether a phone is connected and ready, and at close removing the
// exchange file and restarting the phone. The phone commands wire the link in behind this port; without one the
// window behaves as if no phone were ever connected.
#include <cstdint>

namespace quillet::ui {

class PhoneLinkPort {
 public:
  virtual ~PhoneLinkPort() = default;
  virtual void InitPhoneLink() = 0;
  // 1 while a phone is connected and ready for file access.
  virtual std::int32_t P2K_GetStatus() = 0;
  // Restarts the phone; the link clears the window's StoredToPhone.
  virtual void RestartPhone() = 0;
  // Removes the link's exchange file and its private folder.
  virtual void removeExchangeFile() = 0;
};

}  // namespace quillet::ui
