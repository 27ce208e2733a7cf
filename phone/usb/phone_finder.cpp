#include "phone_finder.h"

#include <algorithm>
#include <string>

#include "p2k_constants.h"

namespace quillet::usb {
namespace {

bool listed(std::uint16_t productId, std::uint16_t p2k::ProductPair::*mode) {
  return std::any_of(p2k::kProductPairs.begin(), p2k::kProductPairs.end(),
                     [&](const p2k::ProductPair& pair) {
                       return pair.*mode != p2k::kNoAtMode && pair.*mode == productId;
                     });
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
    // The test-command interface is known by its name: a product id is shared with other
    // modes (0x1001 also serves a flash mode), so it never stands in for the name.
    const bool testCommand =
        interface.interfaceClass == p2k::kVendorSpecificClass && name == p2k::kTestCommandName;
    if (testCommand) {
      const PhoneMode mode = interface.hasBulkEndpoint() ? PhoneMode::P2K05 : PhoneMode::P2K;
      return {mode, interface.number, 0};
    }
    const bool modemNamed = std::find(p2k::kAtInterfaceNames.begin(), p2k::kAtInterfaceNames.end(),
                                      name) != p2k::kAtInterfaceNames.end();
    const bool modemByClass = interface.interfaceClass == p2k::kCdcDataClass &&
                              listed(info.productId, &p2k::ProductPair::at);
    const UsbEndpoint* out = bulkOutOf(interface);
    if (modem.mode == PhoneMode::NotAPhone && out && (modemNamed || modemByClass))
      modem = {PhoneMode::AtModem, interface.number, out->address};
  }
  if (modem.mode == PhoneMode::NotAPhone && listed(info.productId, &p2k::ProductPair::p2k))
    modem.mode = PhoneMode::NoTestCommand;
  return modem;
}

}  // namespace quillet::usb
