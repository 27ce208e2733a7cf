// The USB backend over the fake phone bus passes the suite every phone backend passes,
// on both transports: control transfers, and the bulk endpoints of a p2k05 phone, to
// which no control transfer may go.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "backend_conformance.h"
#include "fake_phone_bus.h"
#include "usb_p2k_library.h"

namespace quillet::test {
namespace {

using usb::UsbP2KLibrary;
using usb::UsbP2KOptions;
using usb::testing::FakeBusOptions;
using usb::testing::FakeP2KPhone;
using usb::testing::FakePhoneBus;

FakeBusOptions busOptions(bool p2k05) {
  FakeBusOptions options;
  options.p2k05 = p2k05;
  return options;
}

template <bool P2K05>
class UsbPhoneHarness {
 public:
  static constexpr const char* kModel = "E398";

  UsbPhoneHarness() : bus_(busOptions(P2K05)) {
    UsbP2KOptions options;
    options.transferTimeoutMs = 200;
    options.replyWindowMs = 1000;
    options.rescanIntervalMs = 20;
    options.log = [](const std::string&) {};
    library_ = std::make_unique<UsbP2KLibrary>(bus_.makeTransport(), options);
  }
  ~UsbPhoneHarness() {
    library_.reset();
    EXPECT_TRUE(bus_.violations().empty()) << ::testing::PrintToString(bus_.violations());
    if (P2K05) {
      EXPECT_EQ(bus_.controlTransfers(), 0);
    }
  }

  void putFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    bus_.withPhone([&](FakeP2KPhone& phone) { return phone.files[path] = {bytes, 0, 0}; });
  }
  std::optional<std::vector<std::uint8_t>> phoneFile(const std::string& path) {
    return bus_.withPhone([&](FakeP2KPhone& phone) -> std::optional<std::vector<std::uint8_t>> {
      const auto found = phone.files.find(path);
      if (found == phone.files.end()) return std::nullopt;
      return found->second.data;
    });
  }
  P2KLibrary& library() { return *library_; }
  void pullCableAfterPieces(std::size_t pieces) {
    bus_.withPhone(
        [&](FakeP2KPhone& phone) { return phone.pullCableAfterWrites = phone.writeCalls + pieces; });
  }
  void reconnect() {
    waitForStatus(false);
    bus_.plug();
    waitForStatus(true);
  }
  void setReadOnly(const std::string& path) {
    bus_.withPhone([&](FakeP2KPhone& phone) { return phone.files[path].attributes |= 0x0001; });
  }
  // The phone connects on the library's watcher thread: wait for its notice.
  void start(PhoneStatusCallback notify) {
    ASSERT_EQ(library_->P2K_Init([this, notify](std::int32_t state) {
      notify(state);
      {
        std::lock_guard lock(mutex_);
        connected_ = state != 0;
      }
      signal_.notify_all();
    }),
              0);
    std::unique_lock lock(mutex_);
    ASSERT_TRUE(signal_.wait_for(lock, std::chrono::seconds(5), [this] { return connected_; }));
  }

 private:
  void waitForStatus(bool ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((library_->P2K_GetStatus() == 1) != ready && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(library_->P2K_GetStatus() == 1, ready);
  }

  FakePhoneBus bus_;
  std::unique_ptr<UsbP2KLibrary> library_;
  std::mutex mutex_;
  std::condition_variable signal_;
  bool connected_ = false;
};

INSTANTIATE_TYPED_TEST_SUITE_P(UsbPhone, PhoneBackendConformance, UsbPhoneHarness<false>);
INSTANTIATE_TYPED_TEST_SUITE_P(UsbPhone, PhoneBackendGuarded, UsbPhoneHarness<false>);
INSTANTIATE_TYPED_TEST_SUITE_P(UsbBulkPhone, PhoneBackendConformance, UsbPhoneHarness<true>);
INSTANTIATE_TYPED_TEST_SUITE_P(UsbBulkPhone, PhoneBackendGuarded, UsbPhoneHarness<true>);

}  // namespace
}  // namespace quillet::test
