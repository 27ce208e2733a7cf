#include "default_phone.h"
#include "libusb_transport.h"
#include "usb_p2k_library.h"

namespace quillet {

std::unique_ptr<P2KLibrary> makeDefaultPhoneLibrary() {
  return std::make_unique<usb::UsbP2KLibrary>(std::make_unique<usb::LibusbTransport>());
}

}  // namespace quillet
