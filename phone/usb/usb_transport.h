#pragma once
// The few USB operations the phone backend needs, as an interface: the protocol code is
// written against it, the libusb transport drives real hardware and the tests drive a
// fake phone through the very same calls.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillet::usb {

enum class UsbError {
  None,
  Timeout,   // the transfer did not finish in time
  NoDevice,  // the device has left the bus
  Access,    // no permission to open the device
  Busy,      // another driver or program holds the interface
  NotFound,  // no such interface, endpoint or driver
  Pipe,      // the device refused the request (stall)
  Other,
};

// A short reason for a log line, e.g. "timed out".
const char* describe(UsbError error);

struct UsbOutcome {
  UsbError error = UsbError::None;
  std::size_t bytes = 0;  // bytes actually moved
  bool ok() const { return error == UsbError::None; }
};

struct UsbEndpoint {
  static constexpr std::uint8_t kDirectionIn = 0x80;
  static constexpr std::uint8_t kTransferTypeMask = 0x03;
  static constexpr std::uint8_t kTransferBulk = 0x02;
  // wMaxPacketSize: the size in the low 11 bits, above them extra transactions per
  // microframe, which bulk endpoints do not use.
  static constexpr std::uint16_t kPacketSizeMask = 0x07FF;
  std::uint8_t address = 0;
  std::uint8_t attributes = 0;
  std::uint16_t maxPacketSize = 0;
  bool isBulk() const { return (attributes & kTransferTypeMask) == kTransferBulk; }
  bool isOut() const { return (address & kDirectionIn) == 0; }
  std::uint16_t packetSize() const { return maxPacketSize & kPacketSizeMask; }
};

// First alternate setting of one interface of the active configuration.
struct UsbInterface {
  std::uint8_t number = 0;
  std::uint8_t interfaceClass = 0;
  std::uint8_t interfaceSubclass = 0;
  std::uint8_t interfaceProtocol = 0;
  std::uint8_t nameIndex = 0;  // string descriptor index, 0 when unnamed
  std::vector<UsbEndpoint> endpoints;
  bool hasBulkEndpoint() const;
  // The first bulk endpoint of that direction, or null.
  const UsbEndpoint* bulkEndpoint(bool in) const;
};

struct UsbDeviceInfo {
  std::string location;  // unique while the device stays on the bus (bus and address)
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::vector<UsbInterface> interfaces;
};

struct UsbSetup {
  std::uint8_t requestType = 0;
  std::uint8_t request = 0;
  std::uint16_t value = 0;
  std::uint16_t index = 0;
};

// An opened device. Closing happens in the destructor.
class UsbDevice {
 public:
  virtual ~UsbDevice() = default;
  // The string descriptor in ASCII; empty when it cannot be read.
  virtual std::string stringDescriptor(std::uint8_t index) = 0;
  virtual UsbOutcome controlIn(const UsbSetup& setup, std::uint8_t* data, std::uint16_t length,
                               unsigned timeoutMs) = 0;
  virtual UsbOutcome controlOut(const UsbSetup& setup, const std::uint8_t* data, std::uint16_t length,
                                unsigned timeoutMs) = 0;
  virtual UsbOutcome bulkOut(std::uint8_t endpoint, const std::uint8_t* data, std::size_t length,
                             unsigned timeoutMs) = 0;
  // Bytes may have arrived also when the outcome is an error (a timeout mid-transfer).
  virtual UsbOutcome bulkIn(std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                            unsigned timeoutMs) = 0;
  // Unbinds the kernel driver from the interface; None also when no driver was bound.
  virtual UsbError detachKernelDriver(std::uint8_t interfaceNumber) = 0;
  virtual UsbError claimInterface(std::uint8_t interfaceNumber) = 0;
  virtual void releaseInterface(std::uint8_t interfaceNumber) = 0;
};

class UsbTransport {
 public:
  virtual ~UsbTransport() = default;
  // Prepares the transport; an error means no USB access at all on this machine.
  virtual UsbError start() = 0;
  // The devices on the bus with this vendor id, with their interface descriptors.
  virtual std::vector<UsbDeviceInfo> devices(std::uint16_t vendorId) = 0;
  virtual std::unique_ptr<UsbDevice> open(const UsbDeviceInfo& device, UsbError& error) = 0;
  // Returns when a device arrived or left, or after timeoutMs. Without hotplug support
  // it simply waits: the caller rescans either way.
  virtual void waitForChange(unsigned timeoutMs) = 0;
  // Makes a pending waitForChange return at once.
  virtual void wake() = 0;
};

// Where the backend's one-line explanations go (stderr unless a test listens).
using UsbLog = std::function<void(const std::string& line)>;

}  // namespace quillet::usb
