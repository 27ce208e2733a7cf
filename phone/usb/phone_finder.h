#pragma once
// Tells from a Motorola device's descriptors what it is: a P2K phone ready for
// commands over control transfers, a newer p2k05 phone taking the same commands over
// the bulk endpoints of its test-command interface, a phone in modem (AT) mode that can
// be switched, or none of these.
#include <cstdint>

#include "usb_transport.h"

namespace quillet::usb {

enum class PhoneMode {
  NotAPhone,      // some other device of the vendor
  P2K,            // test-command interface on the control endpoint
  AtModem,        // modem interfaces only: needs AT+MODE=8
  P2K05,          // test-command interface with a bulk IN and a bulk OUT endpoint
  NoTestCommand,  // a P2K-mode product id without the test-command interface (flash mode?)
  // Bulk endpoints on the test-command interface, but not in the layout p2k05 phones
  // are known by: nothing is sent to it.
  UnknownBulkLayout,
};

struct PhoneKind {
  PhoneMode mode = PhoneMode::NotAPhone;
  std::uint8_t interfaceNumber = 0;  // test-command interface, or the modem's data interface
  std::uint8_t bulkOut = 0;          // the modem's bulk OUT endpoint, or the p2k05 command endpoint
  std::uint8_t bulkIn = 0;           // p2k05: the endpoint the replies come from
  std::uint16_t packetSize = 0;      // p2k05: the largest packet of the reply endpoint
};

// `opened` is `info`'s device, open, so interface names can be read.
PhoneKind classifyPhone(const UsbDeviceInfo& info, UsbDevice& opened);

}  // namespace quillet::usb
