#pragma once
// A UsbP2KLibrary on a fake phone bus, with its notices and log lines recorded.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fake_phone_bus.h"
#include "usb_p2k_library.h"

namespace quillet::usb::testing {

inline constexpr const char* kMenuPath = "/a/mobile/system/mma_ucp";

// Bytes that differ from chunk to chunk, so a misplaced or repeated chunk shows.
inline std::vector<std::uint8_t> patternBytes(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = seed;
  for (auto& b : bytes) {
    state = state * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(state >> 16);
  }
  return bytes;
}

// Notices and log lines arrive on the watcher thread.
class Recorder {
 public:
  void notice(std::int32_t state) {
    add([&] { notices_.push_back(state); });
  }
  void line(const std::string& text) {
    add([&] { lines_.push_back(text); });
  }
  std::vector<std::int32_t> notices() const { return read(notices_); }
  std::vector<std::string> lines() const { return read(lines_); }
  // Waits until `count` notices came; false after the timeout.
  bool waitForNotices(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    return signal_.wait_for(lock, timeout, [&] { return notices_.size() >= count; });
  }
  bool waitForLine(const std::string& part, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    return signal_.wait_for(lock, timeout, [&] {
      for (const auto& l : lines_)
        if (l.find(part) != std::string::npos) return true;
      return false;
    });
  }
  std::size_t linesContaining(const std::string& part) const {
    std::size_t n = 0;
    for (const auto& l : lines()) n += l.find(part) != std::string::npos;
    return n;
  }

 private:
  template <typename F>
  void add(F&& change) {
    {
      std::lock_guard lock(mutex_);
      change();
    }
    signal_.notify_all();
  }
  template <typename T>
  T read(const T& value) const {
    std::lock_guard lock(mutex_);
    return value;
  }
  mutable std::mutex mutex_;
  std::condition_variable signal_;
  std::vector<std::int32_t> notices_;
  std::vector<std::string> lines_;
};

class UsbLibraryTest : public ::testing::Test {
 protected:
  static constexpr unsigned kTimeoutMs = 200;  // per transfer
  static constexpr unsigned kWindowMs = 400;   // per reply
  static constexpr unsigned kHoldMs = 400;

  // Builds the library on a bus made with `options`; does not start it.
  void make(FakeBusOptions options = {}) {
    library.reset();
    bus = std::make_unique<FakePhoneBus>(options);
    UsbP2KOptions usb;
    usb.transferTimeoutMs = kTimeoutMs;
    usb.replyWindowMs = kWindowMs;
    usb.rescanIntervalMs = 20;
    usb.reenumerationWaitMs = 1000;
    usb.unresponsiveHoldMs = kHoldMs;
    usb.log = [this](const std::string& text) { recorder.line(text); };
    library = std::make_unique<UsbP2KLibrary>(bus->makeTransport(), usb);
  }

  // Builds, starts and waits for the connect notice.
  void connect(FakeBusOptions options = {}) {
    make(options);
    ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
    ASSERT_TRUE(recorder.waitForNotices(1)) << "no connect notice";
    ASSERT_EQ(recorder.notices().back(), 1);
    ASSERT_EQ(library->P2K_GetStatus(), 1);
  }

  void putFile(const std::string& path, std::vector<std::uint8_t> data, std::uint16_t attributes = 0,
               std::uint16_t owner = 0) {
    bus->withPhone([&](FakeP2KPhone& phone) {
      phone.files[path] = FakePhoneFile{std::move(data), attributes, owner};
      return 0;
    });
  }

  std::vector<std::uint8_t> fileOnPhone(const std::string& path) {
    return bus->withPhone([&](FakeP2KPhone& phone) { return phone.files[path].data; });
  }

  // A reply that comes after its window fails its call; once the hold is over, the next
  // call gets its own answer, not the late one.
  void lateReplyIsDroppedForTheNextCallsOwn() {
    putFile("/a/x", {1});
    bus->setReplyDelay(std::chrono::milliseconds(kWindowMs + 50));
    EXPECT_EQ(library->File_Count(), -1);
    bus->setReplyDelay(std::chrono::milliseconds(0));
    std::this_thread::sleep_for(std::chrono::milliseconds(kHoldMs));
    std::uint8_t buffer[64] = {};
    EXPECT_GT(library->Seem_Read(279, 1, 0, 0, buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[1], 'E') << "the late count reply was taken for the model";
  }

  void TearDown() override {
    library.reset();
    if (bus) {
      EXPECT_TRUE(bus->violations().empty()) << ::testing::PrintToString(bus->violations());
    }
  }

  Recorder recorder;
  std::unique_ptr<FakePhoneBus> bus;
  std::unique_ptr<UsbP2KLibrary> library;
};

}  // namespace quillet::usb::testing
