#pragma once
// Tells from a Motorola device's descriptors what it is: a P2K phone ready for
// commands, a phone in modem (AT) mode that can be switched, a newer p2k05 phone, or
// none of these.
#include <cstdint>

#include "usb_transport.h"

namespace quillet::usb {

enum class PhoneMode {
  NotAPhone,  // some other device of the vendor
  P2K,        // test-command interface on the control endpoint
  AtModem,    // modem interfaces only: needs AT+MODE=8
  P2K05,      // test-command interface with bulk endpoints: not supported
  NoTestCommand,  // a P2K-mode product id without the test-command interface (flash mode?)
};

struct PhoneKind {
  PhoneMode mode = PhoneMode::NotAPhone;
  std::uint8_t interfaceNumber = 0;  // test-command interface, or the modem's data interface
  std::uint8_t bulkOut = 0;          // the modem's bulk OUT endpoint
};

// `opened` is `info`'s device, open, so interface names can be read.
PhoneKind classifyPhone(const UsbDeviceInfo& info, UsbDevice& opened);

}  // namespace quillet::usb
