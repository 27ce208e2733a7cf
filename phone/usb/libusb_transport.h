#pragma once
// UsbTransport on libusb-1.0: real devices, with hotplug notices where libusb offers
// them and plain waiting (the caller polls) where it does not.
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "usb_transport.h"

struct libusb_context;

namespace quillet::usb {

class LibusbTransport : public UsbTransport {
 public:
  LibusbTransport() = default;
  ~LibusbTransport() override;
  LibusbTransport(const LibusbTransport&) = delete;
  LibusbTransport& operator=(const LibusbTransport&) = delete;

  UsbError start() override;
  std::vector<UsbDeviceInfo> devices(std::uint16_t vendorId) override;
  std::unique_ptr<UsbDevice> open(const UsbDeviceInfo& device, UsbError& error) override;
  void waitForChange(unsigned timeoutMs) override;
  void wake() override;

  // Called from libusb's hotplug callback.
  void deviceChanged();

 private:
  libusb_context* context_ = nullptr;
  bool hotplug_ = false;
  int hotplugHandle_ = 0;
  std::atomic<bool> changed_{false};
  std::atomic<bool> woken_{false};
  std::mutex waitMutex_;
  std::condition_variable waitSignal_;
};

}  // namespace quillet::usb
