#include "libusb_transport.h"

#include <libusb.h>

#include <chrono>
#include <cstdio>

namespace quillet::usb {
namespace {

UsbError fromLibusb(int code) {
  switch (code) {
    case LIBUSB_SUCCESS: return UsbError::None;
    case LIBUSB_ERROR_TIMEOUT: return UsbError::Timeout;
    case LIBUSB_ERROR_NO_DEVICE: return UsbError::NoDevice;
    case LIBUSB_ERROR_ACCESS: return UsbError::Access;
    case LIBUSB_ERROR_BUSY: return UsbError::Busy;
    case LIBUSB_ERROR_NOT_FOUND: return UsbError::NotFound;
    case LIBUSB_ERROR_PIPE: return UsbError::Pipe;
    default: return UsbError::Other;
  }
}

UsbOutcome outcome(int result) {
  if (result < 0) return {fromLibusb(result), 0};
  return {UsbError::None, static_cast<std::size_t>(result)};
}

int onHotplug(libusb_context*, libusb_device*, libusb_hotplug_event, void* transport) {
  static_cast<LibusbTransport*>(transport)->deviceChanged();
  return 0;  // stay registered
}

std::string locationOf(libusb_device* device) {
  char text[32];
  std::snprintf(text, sizeof text, "bus %03u address %03u", libusb_get_bus_number(device),
                libusb_get_device_address(device));
  return text;
}

std::vector<UsbInterface> interfacesOf(libusb_device* device) {
  std::vector<UsbInterface> result;
  libusb_config_descriptor* config = nullptr;
  if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS) return result;
  for (int i = 0; i < config->bNumInterfaces; ++i) {
    const libusb_interface& alternates = config->interface[i];
    if (alternates.num_altsetting < 1) continue;
    const libusb_interface_descriptor& first = alternates.altsetting[0];
    UsbInterface interface {
      first.bInterfaceNumber, first.bInterfaceClass, first.bInterfaceSubClass, first.bInterfaceProtocol,
          first.iInterface, {}
    };
    for (int e = 0; e < first.bNumEndpoints; ++e)
      interface.endpoints.push_back({first.endpoint[e].bEndpointAddress, first.endpoint[e].bmAttributes,
                                     first.endpoint[e].wMaxPacketSize});
    result.push_back(std::move(interface));
  }
  libusb_free_config_descriptor(config);
  return result;
}

class LibusbDevice : public UsbDevice {
 public:
  explicit LibusbDevice(libusb_device_handle* handle) : handle_(handle) {}
  ~LibusbDevice() override { libusb_close(handle_); }
  LibusbDevice(const LibusbDevice&) = delete;
  LibusbDevice& operator=(const LibusbDevice&) = delete;

  std::string stringDescriptor(std::uint8_t index) override {
    unsigned char text[256] = {};
    const int length = libusb_get_string_descriptor_ascii(handle_, index, text, sizeof text);
    if (length <= 0) return {};
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
  }

  UsbOutcome controlIn(const UsbSetup& setup, std::uint8_t* data, std::uint16_t length,
                       unsigned timeoutMs) override {
    return outcome(libusb_control_transfer(handle_, setup.requestType, setup.request, setup.value,
                                           setup.index, data, length, timeoutMs));
  }

  UsbOutcome controlOut(const UsbSetup& setup, const std::uint8_t* data, std::uint16_t length,
                        unsigned timeoutMs) override {
    // libusb takes a non-const buffer for both directions; it only reads it here.
    return outcome(libusb_control_transfer(handle_, setup.requestType, setup.request, setup.value,
                                           setup.index, const_cast<std::uint8_t*>(data), length, timeoutMs));
  }

  UsbOutcome bulkOut(std::uint8_t endpoint, const std::uint8_t* data, std::size_t length,
                     unsigned timeoutMs) override {
    int transferred = 0;
    const int result = libusb_bulk_transfer(handle_, endpoint, const_cast<std::uint8_t*>(data),
                                            static_cast<int>(length), &transferred, timeoutMs);
    return {fromLibusb(result), static_cast<std::size_t>(transferred)};
  }

  UsbOutcome bulkIn(std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                    unsigned timeoutMs) override {
    int transferred = 0;
    const int result =
        libusb_bulk_transfer(handle_, endpoint, data, static_cast<int>(length), &transferred, timeoutMs);
    return {fromLibusb(result), static_cast<std::size_t>(transferred)};
  }

  UsbError detachKernelDriver(std::uint8_t interfaceNumber) override {
    const int active = libusb_kernel_driver_active(handle_, interfaceNumber);
    if (active == 0 || active == LIBUSB_ERROR_NOT_SUPPORTED) return UsbError::None;
    if (active < 0) return fromLibusb(active);
    const int result = libusb_detach_kernel_driver(handle_, interfaceNumber);
    return result == LIBUSB_ERROR_NOT_FOUND ? UsbError::None : fromLibusb(result);
  }

  UsbError claimInterface(std::uint8_t interfaceNumber) override {
    return fromLibusb(libusb_claim_interface(handle_, interfaceNumber));
  }

  void releaseInterface(std::uint8_t interfaceNumber) override {
    libusb_release_interface(handle_, interfaceNumber);
  }

 private:
  libusb_device_handle* handle_;
};

}  // namespace

LibusbTransport::~LibusbTransport() {
  if (!context_) return;
  if (hotplug_) libusb_hotplug_deregister_callback(context_, hotplugHandle_);
  libusb_exit(context_);
}

UsbError LibusbTransport::start() {
  if (context_) return UsbError::None;
  if (const int result = libusb_init(&context_); result != LIBUSB_SUCCESS) {
    context_ = nullptr;
    return fromLibusb(result);
  }
  if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
    const auto events = static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                                          LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT);
    hotplug_ = libusb_hotplug_register_callback(context_, events, static_cast<libusb_hotplug_flag>(0),
                                                LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
                                                LIBUSB_HOTPLUG_MATCH_ANY, onHotplug, this,
                                                &hotplugHandle_) == LIBUSB_SUCCESS;
  }
  return UsbError::None;
}

std::vector<UsbDeviceInfo> LibusbTransport::devices(std::uint16_t vendorId) {
  std::vector<UsbDeviceInfo> result;
  if (!context_) return result;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_, &list);
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS) continue;
    if (descriptor.idVendor != vendorId) continue;
    result.push_back({locationOf(list[i]), descriptor.idVendor, descriptor.idProduct, interfacesOf(list[i])});
  }
  if (list) libusb_free_device_list(list, 1);
  return result;
}

std::unique_ptr<UsbDevice> LibusbTransport::open(const UsbDeviceInfo& device, UsbError& error) {
  error = UsbError::NoDevice;
  if (!context_) return nullptr;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_, &list);
  std::unique_ptr<UsbDevice> opened;
  for (ssize_t i = 0; i < count; ++i) {
    if (locationOf(list[i]) != device.location) continue;
    libusb_device_handle* handle = nullptr;
    error = fromLibusb(libusb_open(list[i], &handle));
    if (error == UsbError::None) opened = std::make_unique<LibusbDevice>(handle);
    break;
  }
  if (list) libusb_free_device_list(list, 1);
  return opened;
}

void LibusbTransport::deviceChanged() { changed_ = true; }

void LibusbTransport::waitForChange(unsigned timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  if (!hotplug_ || !context_) {
    std::unique_lock lock(waitMutex_);
    waitSignal_.wait_until(lock, deadline, [this] { return woken_.load(); });
    woken_ = false;
    return;
  }
  // Hotplug callbacks run inside libusb's event handling, so wait there.
  while (!changed_ && !woken_ && Clock::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    timeval tv{static_cast<time_t>(left.count() / 1000000), static_cast<suseconds_t>(left.count() % 1000000)};
    libusb_handle_events_timeout_completed(context_, &tv, nullptr);
  }
  changed_ = false;
  woken_ = false;
}

void LibusbTransport::wake() {
  {
    std::lock_guard lock(waitMutex_);
    woken_ = true;
  }
  waitSignal_.notify_all();
  if (context_ && hotplug_) libusb_interrupt_event_handler(context_);
}

}  // namespace quillet::usb
