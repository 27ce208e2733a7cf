#pragma once
// One command exchange with a P2K phone over its test-command interface: send the
// request, poll until a reply waits, fetch it and check it. Everything the phone can
// do is built from this (see p2k_commands.h).
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "p2k_packet.h"
#include "result.h"
#include "usb_transport.h"

namespace quillet::usb {

class P2KSession {
 public:
  // `device` must outlive the session. Every transfer may take `transferTimeoutMs`; the
  // reply to a command is awaited for `replyWindowMs` after sending it.
  // Packet ids go on from `lastPacketId`, so a reply still queued from an earlier session
  // with the same phone cannot pass for an answer of this one.
  P2KSession(UsbDevice& device, std::uint8_t testInterface, unsigned transferTimeoutMs,
             unsigned replyWindowMs, std::uint16_t lastPacketId = 0);

  // Sends one command and returns the reply's payload.
  Result<std::vector<std::uint8_t>> exchange(std::uint16_t command,
                                             const std::vector<std::uint8_t>& args);
  // Sends one command without waiting for its answer (the phone may leave the bus).
  Status send(std::uint16_t command, const std::vector<std::uint8_t>& args);

  // True once a transfer found the phone gone from the bus.
  bool deviceGone() const { return gone_; }
  // True when the last exchange ran out of time.
  bool timedOut() const { return timedOut_; }
  std::uint8_t testInterface() const { return interface_; }
  std::uint16_t lastPacketId() const { return packetId_; }

 private:
  using Clock = std::chrono::steady_clock;

  Status sendCommand(std::uint16_t command, const std::vector<std::uint8_t>& args);
  Result<std::vector<std::uint8_t>> awaitReply(std::uint16_t command, Clock::time_point deadline);
  // Polls until the phone says a reply waits.
  Result<PendingReply> awaitPending(std::uint16_t command, Clock::time_point deadline);
  // Fetches the waiting reply; empty when it answered only earlier requests.
  Result<std::optional<ReplyPacket>> fetchReply(std::uint16_t command, const PendingReply& pending);
  // Milliseconds for the next transfer: the transfer timeout, cut to what is left of the
  // window; 0 when the window has closed.
  unsigned transferBudget(Clock::time_point deadline) const;
  Error transferError(const char* step, std::uint16_t command, UsbError error);

  UsbDevice& device_;
  std::uint8_t interface_;
  unsigned transferTimeoutMs_;
  unsigned replyWindowMs_;
  std::uint16_t packetId_ = 0;
  bool gone_ = false;
  bool timedOut_ = false;
};

}  // namespace quillet::usb
