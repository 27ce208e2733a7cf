// The libusb transport on this machine, phone or not: it starts (or says why not), lists
// without failing, and its wait ends at the timeout or at once when woken.
#include "libusb_transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace quillet::usb {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(LibusbTransport, WaitEndsAtItsTimeoutOrWhenWoken) {
  LibusbTransport transport;
  if (transport.start() != UsbError::None) GTEST_SKIP() << "no USB access on this machine";
  for (const UsbDeviceInfo& device : transport.devices(0x22B8)) EXPECT_EQ(device.vendorId, 0x22B8);

  auto start = Clock::now();
  transport.waitForChange(150);
  EXPECT_LT(Clock::now() - start, 1s);

  start = Clock::now();
  std::thread waker([&] {
    std::this_thread::sleep_for(50ms);
    transport.wake();
  });
  transport.waitForChange(5000);
  waker.join();
  EXPECT_LT(Clock::now() - start, 2s);
}

}  // namespace
}  // namespace quillet::usb
