// The fake phone itself, pinned with bytes written out by hand from the protocol's facts:
// what the backend is tested against must be the phone, not the backend's own belief.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "fake_phone_bus.h"

namespace quillet::usb::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class FakePhoneBytes : public ::testing::Test {
 protected:
  void claim(FakePhoneBus& on) {
    UsbError error = UsbError::None;
    device = on.open(on.devices(0x22B8).at(0), error);
    ASSERT_TRUE(device);
    ASSERT_EQ(device->claimInterface(8), UsbError::None);
  }
  void command(const Bytes& packet) {
    const UsbOutcome sent =
        device->controlOut({0x41, 0x02, 0, 8}, packet.data(), static_cast<std::uint16_t>(packet.size()), 100);
    ASSERT_EQ(sent.bytes, packet.size());
  }
  Bytes in(std::uint8_t request, std::uint16_t value, std::uint16_t length, unsigned timeoutMs,
           UsbError* error = nullptr) {
    Bytes bytes(length);
    const UsbOutcome got = device->controlIn({0xC1, request, value, 8}, bytes.data(), length, timeoutMs);
    if (error) *error = got.error;
    bytes.resize(got.bytes);
    return bytes;
  }
  Bytes poll(unsigned timeoutMs = 100, UsbError* error = nullptr) {
    return in(0x00, 0, 34, timeoutMs, error);
  }
  Bytes fetch(std::uint16_t length) { return in(0x01, 1, length, 100); }
  FakePhoneFile file(const std::string& path) {
    return bus.withPhone([&](FakeP2KPhone& phone) { return phone.files[path]; });
  }

  FakePhoneBus bus;
  std::unique_ptr<UsbDevice> device;
};

TEST_F(FakePhoneBytes, OpenSetsTheAttributeNeverShortensAndDeleteRemoves) {
  claim(bus);
  bus.withPhone([](FakeP2KPhone& phone) { return phone.files["/a/x"] = {{1, 2, 3, 4, 5}, 0, 9}; });
  // Open "/a/x" with attribute 4: argument size 12, subcommand 0, attribute word, path.
  command({0x00, 0x01, 0x00, 0x4A, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x2F, 0x61, 0x2F, 0x78});
  EXPECT_EQ(poll(), (Bytes{0x00, 0x01, 0x00, 0x08}));
  EXPECT_EQ(fetch(14),
            (Bytes{0x01, 0x00, 0x00, 0x00, 0x00, 0x08, 0x80, 0x01, 0x60, 0x4A, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(file("/a/x").attributes, 4);
  EXPECT_EQ(file("/a/x").data, (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(poll(), (Bytes{0x00, 0x00})) << "nothing waits once fetched";
  command({0x00, 0x02, 0x00, 0x4A, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04});  // close
  EXPECT_EQ(poll(), (Bytes{0x00, 0x01, 0x00, 0x08}));
  EXPECT_EQ(fetch(14)[7], 0x02);
  // Delete "/a/x": argument size 8, subcommand 5, the path.
  command({0x00, 0x03, 0x00, 0x4A, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x2F, 0x61, 0x2F, 0x78});
  EXPECT_EQ(poll(), (Bytes{0x00, 0x01, 0x00, 0x08}));
  EXPECT_EQ(fetch(14)[8], 0x60);
  EXPECT_TRUE(bus.withPhone([](FakeP2KPhone& phone) { return phone.files.empty(); }));
  EXPECT_TRUE(bus.violations().empty()) << ::testing::PrintToString(bus.violations());
}

TEST_F(FakePhoneBytes, OneMessagePerFetchWithTheStaleReplyAhead) {
  claim(bus);
  bus.setReplyDelay(std::chrono::milliseconds(1));  // the first reply counts as late
  command({0x00, 0x01, 0x00, 0x4A, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A});  // volumes
  command({0x00, 0x02, 0x00, 0x4A, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A});
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  // Two messages of 20 bytes wait: 8 header bytes and "/a" 0xFFFE "/b" 0x0000 in UTF-16BE.
  EXPECT_EQ(poll(), (Bytes{0x00, 0x02, 0x00, 0x14, 0x00, 0x14}));
  EXPECT_EQ(fetch(26), (Bytes{0x01, 0x01, 0x00, 0x14, 0x00, 0x14, 0x80, 0x01, 0x80, 0x4A, 0x00, 0x0C, 0x00,
                              0x00, 0x00, 0x2F, 0x00, 0x61, 0xFF, 0xFE, 0x00, 0x2F, 0x00, 0x62, 0x00, 0x00}));
  EXPECT_EQ(poll(), (Bytes{0x00, 0x01, 0x00, 0x14}));
  const Bytes second = fetch(26);
  ASSERT_EQ(second.size(), 26u);
  EXPECT_EQ((Bytes{second[0], second[1], second[6], second[7]}), (Bytes{0x01, 0x00, 0x80, 0x02}));
  EXPECT_TRUE(bus.violations().empty()) << ::testing::PrintToString(bus.violations());
}

TEST_F(FakePhoneBytes, HeldPollAnswersWhenTheReplyExistsOrTimesOut) {
  FakeBusOptions options;
  options.holdPolls = true;
  FakePhoneBus holding(options);
  claim(holding);
  UsbError error = UsbError::None;
  EXPECT_TRUE(poll(30, &error).empty());
  EXPECT_EQ(error, UsbError::Timeout);
  holding.setReplyDelay(std::chrono::milliseconds(60));
  command({0x00, 0x01, 0x00, 0x4A, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A});
  const auto start = Clock::now();
  EXPECT_EQ(poll(1000, &error), (Bytes{0x00, 0x01, 0x00, 0x14}));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(40));
  EXPECT_EQ(error, UsbError::None);
  device.reset();
  EXPECT_TRUE(holding.violations().empty()) << ::testing::PrintToString(holding.violations());
}

TEST_F(FakePhoneBytes, SearchForOneNameThenListRecordsOf0x108Bytes) {
  claim(bus);
  bus.withPhone([](FakeP2KPhone& phone) {
    phone.files["/a/m/y"] = {{1}, 0, 0};
    return phone.files["/a/m/x"] = {{1, 2, 3}, 0x0004, 0x0009};
  });
  // Search "/a/m/" 0xFFFE "x" 0x0000: subcommand 7 and 16 pattern bytes.
  command({0x00, 0x01, 0x00, 0x4A, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x2F,
           0x00, 0x61, 0x00, 0x2F, 0x00, 0x6D, 0x00, 0x2F, 0xFF, 0xFE, 0x00, 0x78, 0x00, 0x00});
  EXPECT_EQ(poll(), (Bytes{0x00, 0x01, 0x00, 0x0A}));
  EXPECT_EQ(fetch(16), (Bytes{0x01, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x80, 0x01, 0x80, 0x4A, 0x00, 0x02, 0x00,
                              0x00, 0x00, 0x01}));
  // List next, three records wanted: count 1, two bytes, then name, attribute, owner, size.
  command({0x00, 0x02, 0x00, 0x4A, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x03});
  EXPECT_EQ(poll(), (Bytes{0x00, 0x01, 0x01, 0x14}));
  const Bytes list = fetch(6 + 0x114);
  ASSERT_EQ(list.size(), 6u + 0x114);
  const Bytes payload(list.begin() + 14, list.end());
  EXPECT_EQ(Bytes(payload.begin(), payload.begin() + 10),
            (Bytes{0x00, 0x01, 0x00, 0x00, '/', 'a', '/', 'm', '/', 'x'}));
  EXPECT_EQ(Bytes(payload.end() - 8, payload.end()), (Bytes{0x00, 0x04, 0x00, 0x09, 0x00, 0x00, 0x00, 0x03}));
  EXPECT_TRUE(bus.violations().empty()) << ::testing::PrintToString(bus.violations());
}

TEST_F(FakePhoneBytes, PathWithATrailingZeroIsRefusedUnanswered) {
  claim(bus);
  command({0x00, 0x01, 0x00, 0x4A, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x00, 0x2F, 0x61, 0x2F, 0x78, 0x00});
  EXPECT_EQ(bus.violations(), std::vector<std::string>{"open path holds a zero byte"});
  EXPECT_EQ(poll(), (Bytes{0x00, 0x00}));
  EXPECT_TRUE(bus.withPhone([](FakeP2KPhone& phone) { return phone.files.empty(); }));
}

// The p2k05 framing: 12-byte requests on bulk OUT 0x04, replies read from bulk IN 0x85.
class FakeBulkPhoneBytes : public ::testing::Test {
 protected:
  explicit FakeBulkPhoneBytes(std::uint16_t packetSize = 64, bool split = false)
      : bus([&] {
          FakeBusOptions options;
          options.p2k05 = true;
          options.testInterface = 3;
          options.bulkPacketSize = packetSize;
          options.splitReplies = split;
          return options;
        }()) {
    UsbError error = UsbError::None;
    device = bus.open(bus.devices(0x22B8).at(0), error);
    EXPECT_EQ(device->claimInterface(3), UsbError::None);
  }
  void command(const Bytes& packet) {
    const UsbOutcome sent = device->bulkOut(0x04, packet.data(), packet.size(), 100);
    ASSERT_EQ(sent.bytes, packet.size());
  }
  Bytes read(UsbError* error = nullptr) {
    Bytes bytes(1024);
    const UsbOutcome got = device->bulkIn(0x85, bytes.data(), bytes.size(), 30);
    if (error) *error = got.error;
    bytes.resize(got.bytes);
    return bytes;
  }
  // Byte 0, the length in bytes 10-11 and what follows: bytes 1-9 are not pinned.
  static Bytes counted(const Bytes& reply) {
    Bytes kept{reply.at(0)};
    kept.insert(kept.end(), reply.begin() + 10, reply.end());
    return kept;
  }
  void TearDown() override {
    device.reset();
    EXPECT_TRUE(bus.violations().empty()) << ::testing::PrintToString(bus.violations());
  }

  FakePhoneBus bus;
  std::unique_ptr<UsbDevice> device;
};

TEST_F(FakeBulkPhoneBytes, RequestsWithTheLengthInBytes8To11AreAnsweredOnTheInEndpoint) {
  bus.withPhone([](FakeP2KPhone& phone) { return phone.files["/a/x"] = {{1, 2, 3}, 0, 0}; });
  // Open "/a/x" with attribute 4: 12 argument bytes, subcommand 0, attribute word, path.
  command({0x00, 0x01, 0x00, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C,
           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x2F, 0x61, 0x2F, 0x78});
  const Bytes opened = read();
  ASSERT_EQ(opened.size(), 12u);
  EXPECT_EQ(counted(opened), (Bytes{0x82, 0x00, 0x00}));
  EXPECT_EQ(bus.withPhone([](FakeP2KPhone& phone) { return phone.files["/a/x"].attributes; }), 4);
  // Volumes: "/a" 0xFFFE "/b" 0x0000 in UTF-16BE, 12 payload bytes.
  command({0x00, 0x02, 0x00, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x0A});
  EXPECT_EQ(counted(read()), (Bytes{0x80, 0x00, 0x0C, 0x00, 0x2F, 0x00, 0x61, 0xFF, 0xFE, 0x00, 0x2F, 0x00,
                                    0x62, 0x00, 0x00}));
  // Nothing more waits: a read runs out.
  UsbError error = UsbError::None;
  EXPECT_TRUE(read(&error).empty());
  EXPECT_EQ(error, UsbError::Timeout);
  // A refusal is a byte 0 other than 0x80 and 0x82.
  bus.failNextCommands(1);
  command({0x00, 0x03, 0x00, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x0A});
  EXPECT_EQ(counted(read()), (Bytes{0x81, 0x00, 0x00}));
  EXPECT_EQ(bus.controlTransfers(), 0);
}

class FakeBulkPhoneSmallPackets : public FakeBulkPhoneBytes {
 protected:
  FakeBulkPhoneSmallPackets() : FakeBulkPhoneBytes(16, true) {}
};

// Packets of 16 bytes: a seem read of 3 bytes answers 12 + 4 bytes, whole packets, so
// two zero bytes follow; split replies come as header, payload and padding.
TEST_F(FakeBulkPhoneSmallPackets, AReplyOfWholePacketsEndsWithTwoZeroBytes) {
  command({0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x08, 0x01, 0x17, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03});
  const Bytes header = read();
  ASSERT_EQ(header.size(), 12u);
  EXPECT_EQ((Bytes{header[0], header[10], header[11]}), (Bytes{0x80, 0x00, 0x04}));
  EXPECT_EQ(read(), (Bytes{0x00, 0x00, 'E', 0x00}));  // status 0, then "E" in UTF-16BE
  EXPECT_EQ(read(), (Bytes{0x00, 0x00}));
  // 12 + 5 bytes are no whole packets: no padding.
  command({0x00, 0x02, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x08, 0x01, 0x17, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04});
  EXPECT_EQ(read().size(), 12u);
  EXPECT_EQ(read(), (Bytes{0x00, 0x00, 'E', 0x00, '3'}));
  UsbError error = UsbError::None;
  EXPECT_TRUE(read(&error).empty());
  EXPECT_EQ(error, UsbError::Timeout);
}

}  // namespace
}  // namespace quillet::usb::testing
