#include "phone_library_factory.h"

#include <cstdlib>
#include <string>

#include "emulated_phone.h"
#include "no_phone.h"
#ifdef QUILLET_HAS_USB
#include "libusb_transport.h"
#include "usb_p2k_library.h"
#endif

namespace quillet {

std::unique_ptr<P2KLibrary> makePhoneLibraryFromEnvironment() {
  const char* folder = std::getenv("QUILLET_PHONE_DIR");
  if (folder != nullptr && *folder != '\0') return std::make_unique<EmulatedPhone>(folder);
  return makeDefaultPhoneLibrary();
}

std::unique_ptr<P2KLibrary> makeDefaultPhoneLibrary() {
#ifdef QUILLET_HAS_USB
  return std::make_unique<usb::UsbP2KLibrary>(std::make_unique<usb::LibusbTransport>());
#else
  return std::make_unique<NoPhone>();
#endif
}

}  // namespace quillet
