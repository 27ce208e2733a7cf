#pragma once
// The USB side of the fake phone: one Motorola phone on a fake bus, seen through the
// backend's UsbTransport. It checks the framing of every transfer (request types, ids,
// sizes, lengths), answers through FakeP2KPhone, and on command fails, goes silent,
// stalls, holds polls, leaves the bus, starts in modem mode or refuses access.
//
// Replies follow the phone's layouts: a poll gives a status byte (0x02 when more than
// three messages wait), the count of waiting messages and one 16-bit size per message,
// or two bytes when nothing waits; a fetch brings one message: messages in the fetch (1),
// messages still queued, queued bytes (16 bits), the message's size (16 bits), the message.
//
// A p2k05 phone (`p2k05`) takes the commands on the bulk OUT endpoint of its test-command
// interface (class 0xFF, subclass 3, protocol 0xFF) instead: a 12-byte header, id 16 |
// command 16 | 0000 | 0000 | argument length 32, then the arguments. Its replies are read
// from the bulk IN endpoint: byte 0 0x80 (data) or 0x82 (done) when the command was taken
// and 0x81 when not (any other value is a refusal; 0x81 shows that no single bit decides),
// bytes 1-9 filled with bytes nothing may rely on, the payload length in bytes 10-11, the
// payload from byte 12, and two zero bytes after a reply that fills whole packets. No
// control transfer is ever answered.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "fake_p2k_phone.h"
#include "usb_transport.h"

namespace quillet::usb::testing {

struct FakeBusOptions {
  bool plugged = true;
  bool startInAtMode = false;
  bool ignoreModeSwitch = false;      // the phone does not react to AT+MODE=8
  bool p2k05 = false;                 // bulk endpoints on the test-command interface
  std::uint16_t bulkPacketSize = 64;  // p2k05: the endpoints' largest packet
  std::uint8_t testSubclass = 0x03;   // of the test-command interface
  // p2k05: a reply comes in reads of its own for the header, the payload and the padding.
  bool splitReplies = false;
  bool restartCutsTransfer = false;  // p2k05: leaves the bus while the restart is sent
  // p2k05: what its answer to a file write holds. How these phones answer a write is not
  // described beyond its being different: bytes the older phones' check would take for
  // a failure.
  std::vector<std::uint8_t> bulkWriteAnswer = {0x01, 0x00, 0x04, 0x00};
  bool denyAccess = false;      // opening fails: no permission
  bool claimedByOther = false;  // claiming the test interface fails: busy
  bool failStart = false;       // the transport cannot start at all
  std::uint8_t testInterface = 8;
  std::uint16_t p2kProductId = 0x4901;
  std::uint16_t atProductId = 0x4902;
  std::chrono::milliseconds reenumerateDelay{50};        // after AT+MODE=8
  std::optional<std::chrono::milliseconds> rebootDelay;  // back after a restart, if set
  bool ignoreRestart = false;                            // stays on the bus after a restart
  bool holdPolls = false;  // a poll waits until a reply exists, up to its timeout
  // Every control transfer takes this long on the wire, as on a real phone.
  std::chrono::microseconds transferDelay{0};
};

class FakePhoneBus {
 public:
  explicit FakePhoneBus(FakeBusOptions options = {});

  // --- commands for the tests ---
  void plug();
  void unplug();
  void failNextCommands(int count);                     // answered with a refusal
  void setSilent(bool silent);                          // commands taken, never answered
  void setStalled(bool stalled);                        // every transfer waits out its timeout
  void setReplyDelay(std::chrono::milliseconds delay);  // replies show up this much later
  void disconnectAfterCommands(int count);              // leaves the bus on the count-th next command
  void cutNextReply(std::size_t keep);                  // p2k05: the next reply ends after `keep` bytes
  void setClaimedByOther(bool claimed);
  // Runs `change` on the phone's command side under the bus lock.
  template <typename F>
  auto withPhone(F&& change) {
    std::lock_guard lock(mutex_);
    return change(phone_);
  }

  // --- what happened ---
  std::vector<std::string> violations() const;
  std::vector<std::string> modemWrites() const;  // bulk OUT data on the modem interface
  int restarts() const;
  int controlTransfers() const;  // control transfers in either direction so far
  std::vector<std::vector<std::uint8_t>> commandPackets() const;  // every command as sent
  bool plugged() const;

  // --- the transport side, used through makeTransport() ---
  std::unique_ptr<UsbTransport> makeTransport();
  UsbError start();
  std::vector<UsbDeviceInfo> devices(std::uint16_t vendorId);
  std::unique_ptr<UsbDevice> open(const UsbDeviceInfo& device, UsbError& error);
  void waitForChange(unsigned timeoutMs);
  void wake();

  std::string stringDescriptor(int generation, std::uint8_t index);
  UsbOutcome controlIn(int generation, const UsbSetup& setup, std::uint8_t* data, std::uint16_t length,
                       unsigned timeoutMs);
  UsbOutcome controlOut(int generation, const UsbSetup& setup, const std::uint8_t* data, std::uint16_t length,
                        unsigned timeoutMs);
  UsbOutcome bulkOut(int generation, std::uint8_t endpoint, const std::uint8_t* data, std::size_t length,
                     unsigned timeoutMs);
  UsbOutcome bulkIn(int generation, std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                    unsigned timeoutMs);
  UsbError detachKernelDriver(int generation, std::uint8_t interfaceNumber);
  UsbError claimInterface(int generation, std::uint8_t interfaceNumber);
  void releaseInterface(int generation, std::uint8_t interfaceNumber);

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::uint8_t kModemData = 1;
  static constexpr std::uint8_t kModemOut = 0x02;
  static constexpr std::uint8_t kTestOut = 0x04;  // p2k05
  static constexpr std::uint8_t kTestIn = 0x85;

  // Transfers on a device that re-enumerated or left fail as on a real bus.
  bool reachable(int generation) const;
  // Waits out a stalled transfer's timeout with the lock released.
  UsbOutcome stall(std::unique_lock<std::mutex>& lock, unsigned timeoutMs);
  UsbOutcome poll(std::unique_lock<std::mutex>& lock, std::uint8_t* data, std::uint16_t length,
                  unsigned timeoutMs);
  UsbOutcome fetch(std::uint8_t* data, std::uint16_t length);
  void violation(std::string what);
  // Counts one control transfer and spends its time on the wire, lock released.
  void onTheWire();
  void appear(bool atMode);  // a new enumeration; callers hold the lock
  void leave();              // callers hold the lock
  void settleScheduled();    // brings back a phone whose comeback is due
  void queueReply(std::uint16_t id, std::uint16_t command, const FakeAnswer& answer);
  std::vector<std::uint8_t> bulkReply(std::uint16_t command, const std::vector<std::uint8_t>& args,
                                      const FakeAnswer& answer) const;
  std::size_t visiblePackets() const;
  // Checks the framing of a command packet, then answers it.
  void takeCommand(const std::vector<std::uint8_t>& packet);
  void takeBulkCommand(const std::vector<std::uint8_t>& packet);
  void answerCommand(std::uint16_t id, std::uint16_t command, const std::vector<std::uint8_t>& args);
  // A command packet on the claimed test-command interface, in the phone's framing; a
  // restart makes the phone leave the bus after it.
  UsbOutcome takePacket(int generation, const std::vector<std::uint8_t>& packet);

  FakeBusOptions options_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool changeFlag_ = false;
  FakeP2KPhone phone_;

  bool present_ = false;
  bool atMode_ = false;
  int generation_ = 0;
  std::optional<std::pair<Clock::time_point, bool>> comeback_;  // when, and in modem mode
  std::vector<bool> driverBound_;                               // per interface number
  std::vector<bool> claimed_;
  std::optional<std::uint16_t> lastId_;
  struct QueuedPacket {
    Clock::time_point visibleAt;
    std::vector<std::uint8_t> bytes;  // id, type and command, length, zero, payload
    bool late = false;                // held back by a reply delay
    std::size_t read = 0;             // p2k05: bytes already read from the IN endpoint
  };
  std::deque<QueuedPacket> replies_;
  std::size_t polledPackets_ = 0;  // messages the last poll announced
  std::chrono::milliseconds replyDelay_{0};

  int failNext_ = 0;
  bool silent_ = false;
  bool stalled_ = false;
  int disconnectAfter_ = 0;
  std::optional<std::size_t> cutNextReply_;
  int restarts_ = 0;
  int controlTransfers_ = 0;
  bool restartTaken_ = false;
  std::vector<std::string> violations_;
  std::vector<std::string> modemWrites_;
  std::vector<std::vector<std::uint8_t>> commandPackets_;
};

}  // namespace quillet::usb::testing
