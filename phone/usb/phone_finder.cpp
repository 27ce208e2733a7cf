#include "phone_finder.h"

#include <algorithm>
#include <string>

#include "p2k_constants.h"

namespace quillet::usb {
namespace {

bool listed(std::uint16_t productId, std::uint16_t p2k::ProductPair::*mode) {
  return std::any_of(p2k::kProductPairs.begin(), p2k::kProductPairs.end(), [&](const p2k::ProductPair& pair) {
    return pair.*mode != p2k::kNoAtMode && pair.*mode == productId;
  });
}

// A test-command interface with bulk endpoints carries the commands on them when it
// is in the p2k05 layout: subclass and protocol as those phones give them, one bulk
// endpoint each way and a packet size to tell the reply's padding by.
PhoneKind testCommandKind(const UsbInterface& interface) {
  if (!interface.hasBulkEndpoint()) return {PhoneMode::P2K, interface.number, 0, 0, 0};
  const UsbEndpoint* out = interface.bulkEndpoint(false);
  const UsbEndpoint* in = interface.bulkEndpoint(true);
  const bool p2k05 = interface.interfaceSubclass == p2k::kBulkTestSubclass &&
                     interface.interfaceProtocol == p2k::kBulkTestProtocol && out && in &&
                     in->packetSize() > 0;
  if (!p2k05) return {PhoneMode::UnknownBulkLayout, interface.number, 0, 0, 0};
  return {PhoneMode::P2K05, interface.number, out->address, in->address, in->packetSize()};
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
    if (testCommand) return testCommandKind(interface);
    const bool modemNamed = std::find(p2k::kAtInterfaceNames.begin(), p2k::kAtInterfaceNames.end(), name) !=
                            p2k::kAtInterfaceNames.end();
    const bool modemByClass =
        interface.interfaceClass == p2k::kCdcDataClass && listed(info.productId, &p2k::ProductPair::at);
    const UsbEndpoint* out = interface.bulkEndpoint(false);
    if (modem.mode == PhoneMode::NotAPhone && out && (modemNamed || modemByClass))
      modem = {PhoneMode::AtModem, interface.number, out->address, 0, 0};
  }
  if (modem.mode == PhoneMode::NotAPhone && listed(info.productId, &p2k::ProductPair::p2k))
    modem.mode = PhoneMode::NoTestCommand;
  return modem;
}

}  // namespace quillet::usb
