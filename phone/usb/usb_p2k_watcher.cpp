// The watcher half of UsbP2KLibrary: follows the bus on its own thread, connects to the
// phone and reports connect and disconnect through the registered notice.
#include <algorithm>
#include <cstdio>

#include "bulk_session.h"
#include "control_session.h"
#include "p2k_packet.h"
#include "usb_p2k_library.h"

namespace quillet::usb {
namespace {

std::string deviceName(const UsbDeviceInfo& info) {
  char ids[16];
  std::snprintf(ids, sizeof ids, "%04x:%04x", info.vendorId, info.productId);
  return std::string("phone ") + ids + " at " + info.location;
}

}  // namespace

void UsbP2KLibrary::watch() {
  while (!stopping_) {
    scan();
    if (stopping_) break;
    transport_->waitForChange(options_.rescanIntervalMs);
  }
}

void UsbP2KLibrary::logOnce(const std::string& location, const std::string& line) {
  if (explained_.insert(location + '|' + line).second) log(line);
}

void UsbP2KLibrary::scan() {
  const std::vector<UsbDeviceInfo> found = transport_->devices(p2k::kVendorId);
  const auto present = [&found](const std::string& location) {
    return std::any_of(found.begin(), found.end(),
                       [&](const UsbDeviceInfo& d) { return d.location == location; });
  };
  // Devices that left may come back at the same place as something else.
  std::erase_if(settled_, [&](const std::string& location) { return !present(location); });
  std::erase_if(explained_, [&](const std::string& key) { return !present(key.substr(0, key.find('|'))); });

  const char* lost = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (connection_) {
      // A phone that ignored the restart is let go, then found again as a new phone.
      const bool restartIgnored =
          connection_->restartedAt && std::chrono::steady_clock::now() - *connection_->restartedAt >=
                                          std::chrono::milliseconds(options_.reenumerationWaitMs);
      if (restartIgnored)
        lost = "the phone stayed on the bus after the restart; connecting to it again";
      else if (!present(connection_->location) || connection_->session->deviceGone())
        lost = "the phone has left the bus";
      else
        return;
      lastPacketId_ = connection_->session->lastPacketId();
      connection_.reset();
      openFile_ = {};
    }
  }
  if (lost) {
    log(lost);
    if (notify_) notify_(0);
  }

  for (const auto& info : found) {
    if (stopping_) return;
    if (settled_.count(info.location)) continue;
    tryConnect(info);
    if (P2K_GetStatus() == kStatusReady) {
      switchDeadline_.reset();
      if (notify_) notify_(1);
      return;
    }
  }
  if (switchDeadline_ && std::chrono::steady_clock::now() >= *switchDeadline_) {
    switchDeadline_.reset();
    log("the phone did not come back in P2K mode within " +
        std::to_string(options_.reenumerationWaitMs / 1000) + " s after AT+MODE=8");
  }
}

void UsbP2KLibrary::tryConnect(const UsbDeviceInfo& info) {
  UsbError error = UsbError::None;
  std::unique_ptr<UsbDevice> device = transport_->open(info, error);
  if (!device) {
    // Kept unsettled: udev may grant access a moment after the phone appears.
    std::string line = "cannot open the " + deviceName(info) + ": " + describe(error);
    if (error == UsbError::Access)
      line += "; install 70-quillet-p2k.rules (see the README) and replug the phone";
    logOnce(info.location, line);
    return;
  }
  const PhoneKind kind = classifyPhone(info, *device);
  switch (kind.mode) {
    case PhoneMode::NotAPhone: settled_.insert(info.location); return;
    case PhoneMode::NoTestCommand:
      // Not settled: the interface names may just not be readable yet.
      logOnce(info.location, "the " + deviceName(info) +
                                 " shows no \"Motorola Test Command\" interface (flash mode?); "
                                 "it is left alone");
      return;
    case PhoneMode::UnknownBulkLayout:
      settled_.insert(info.location);
      log("the " + deviceName(info) +
          " has bulk endpoints on its test-command interface, but not one each way on "
          "subclass 3, protocol 0xFF as p2k05 phones have them; it is left alone");
      return;
    case PhoneMode::AtModem:
      settled_.insert(info.location);
      switchToP2K(info, *device, kind);
      return;
    case PhoneMode::P2K:
    case PhoneMode::P2K05: connectP2K(info, std::move(device), kind); return;
  }
}

void UsbP2KLibrary::connectP2K(const UsbDeviceInfo& info, std::unique_ptr<UsbDevice> device,
                               const PhoneKind& kind) {
  UsbError error = device->detachKernelDriver(kind.interfaceNumber);
  if (error == UsbError::None) error = device->claimInterface(kind.interfaceNumber);
  if (error != UsbError::None) {
    logOnce(info.location, "cannot claim the test-command interface " + std::to_string(kind.interfaceNumber) +
                               " of the " + deviceName(info) + ": " + describe(error));
    return;
  }
  auto connection = std::make_unique<Connection>();
  connection->location = info.location;
  if (kind.mode == PhoneMode::P2K05) {
    // Said at every connect: this transport rests on public descriptions alone, and the
    // line tells a bug report which endpoints were used.
    log("the " + deviceName(info) + " is a p2k05 phone: commands go over the bulk endpoints " +
        hexByte(kind.bulkOut) + " (out) and " + hexByte(kind.bulkIn) + " (in) of interface " +
        std::to_string(kind.interfaceNumber) + ", packets of " + std::to_string(kind.packetSize) + " bytes");
    connection->session = std::make_unique<BulkSession>(
        *device, kind.interfaceNumber, kind.bulkOut, kind.bulkIn, kind.packetSize, options_.transferTimeoutMs,
        options_.replyWindowMs, lastPacketId_);
  } else {
    connection->session = std::make_unique<ControlSession>(
        *device, kind.interfaceNumber, options_.transferTimeoutMs, options_.replyWindowMs, lastPacketId_);
  }
  connection->device = std::move(device);
  std::lock_guard lock(mutex_);
  connection_ = std::move(connection);
  openFile_ = {};
  quietUntil_ = {};
  listed_.clear();
}

void UsbP2KLibrary::switchToP2K(const UsbDeviceInfo& info, UsbDevice& device, const PhoneKind& kind) {
  // The modem driver (cdc_acm) holds the interface until it is detached.
  UsbError error = device.detachKernelDriver(kind.interfaceNumber);
  if (error == UsbError::None) error = device.claimInterface(kind.interfaceNumber);
  if (error == UsbError::None) {
    const auto& command = p2k::kModeSwitchCommand;
    const UsbOutcome sent =
        device.bulkOut(kind.bulkOut, reinterpret_cast<const std::uint8_t*>(command.data()), command.size(),
                       options_.transferTimeoutMs);
    device.releaseInterface(kind.interfaceNumber);
    error = sent.ok() && sent.bytes != command.size() ? UsbError::Other : sent.error;
  }
  if (error != UsbError::None) {
    log("cannot switch the " + deviceName(info) + " from modem to P2K mode: " + describe(error));
    return;
  }
  log("switched the " + deviceName(info) + " from modem to P2K mode; waiting up to " +
      std::to_string(options_.reenumerationWaitMs / 1000) + " s for it to return");
  switchDeadline_ =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.reenumerationWaitMs);
}

}  // namespace quillet::usb
