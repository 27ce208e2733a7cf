#include "usb_transport.h"

#include <algorithm>

namespace quillet::usb {

const char* describe(UsbError error) {
  switch (error) {
    case UsbError::None: return "no error";
    case UsbError::Timeout: return "timed out";
    case UsbError::NoDevice: return "the phone is no longer connected";
    case UsbError::Access: return "no permission to use the USB device";
    case UsbError::Busy: return "the interface is claimed by another driver or program";
    case UsbError::NotFound: return "no such interface or endpoint";
    case UsbError::Pipe: return "the phone refused the request";
    case UsbError::Other: return "USB error";
  }
  return "USB error";
}

bool UsbInterface::hasBulkEndpoint() const {
  return std::any_of(endpoints.begin(), endpoints.end(), [](const UsbEndpoint& e) { return e.isBulk(); });
}

const UsbEndpoint* UsbInterface::bulkEndpoint(bool in) const {
  for (const auto& endpoint : endpoints)
    if (endpoint.isBulk() && endpoint.isOut() != in) return &endpoint;
  return nullptr;
}

}  // namespace quillet::usb
