#include "phone_finder.h"

#include <algorithm>
#include <string>

#include "p2k_constants.h"

namespace quillet::usb {
namespace {

template <typename List>
bool listed(const List& list, std::uint16_t productId) {
  return std::find(list.begin(), list.end(), productId) != list.end();
}

const UsbEndpoint* bulkOutOf(const UsbInterface& interface) {
  for (const auto& endpoint : interface.endpoints)
    if (endpoint.isBulk() && endpoint.isOut()) return &endpoint;
  return nullptr;
}

}  // namespace

PhoneKind classifyPhone(const UsbDeviceInfo& info, UsbDevice& opened) {
  if (info.vendorId != p2k::kVendorId) return {};
  PhoneKind modem;
  for (const auto& interface : info.interfaces) {
    const std::string name =
        interface.nameIndex != 0 ? opened.stringDescriptor(interface.nameIndex) : std::string();
    // The test-command interface is found by its name; when names cannot be read, a
    // vendor-specific interface of a known P2K product id stands in for it.
    const bool testCommand = interface.interfaceClass == p2k::kVendorSpecificClass &&
                             (name == p2k::kTestCommandName ||
                              (name.empty() && listed(p2k::kP2KProductIds, info.productId)));
    if (testCommand) {
      const PhoneMode mode = interface.hasBulkEndpoint() ? PhoneMode::P2K05 : PhoneMode::P2K;
      return {mode, interface.number, 0};
    }
    const bool modemNamed = std::find(p2k::kAtInterfaceNames.begin(), p2k::kAtInterfaceNames.end(),
                                      name) != p2k::kAtInterfaceNames.end();
    const bool modemByClass = interface.interfaceClass == p2k::kCdcDataClass &&
                              listed(p2k::kAtProductIds, info.productId);
    const UsbEndpoint* out = bulkOutOf(interface);
    if (modem.mode == PhoneMode::NotAPhone && out && (modemNamed || modemByClass))
      modem = {PhoneMode::AtModem, interface.number, out->address};
  }
  return modem;
}

}  // namespace quillet::usb
