#pragma once
// One command exchange with a P2K phone over its test-command interface: send the
// request, wait for its reply and check it. Everything the phone can do is built from
// this (see p2k_commands.h). How the bytes travel is the transport's: control transfers
// with a poll and a fetch (ControlSession) or the interface's bulk endpoints
// (BulkSession); packet ids, waiting and the errors they end in are shared here.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "result.h"
#include "usb_transport.h"

namespace quillet::usb {

class P2KSession {
 public:
  virtual ~P2KSession() = default;
  P2KSession(const P2KSession&) = delete;
  P2KSession& operator=(const P2KSession&) = delete;

  // Sends one command and returns the reply's payload.
  Result<std::vector<std::uint8_t>> exchange(std::uint16_t command, const std::vector<std::uint8_t>& args);
  // Sends one command without waiting for its answer (the phone may leave the bus).
  Status send(std::uint16_t command, const std::vector<std::uint8_t>& args);

  // True once a transfer found the phone gone from the bus.
  bool deviceGone() const { return gone_; }
  // True when the last exchange ran out of time.
  bool timedOut() const { return timedOut_; }
  std::uint8_t testInterface() const { return interface_; }
  std::uint16_t lastPacketId() const { return packetId_; }

 protected:
  using Clock = std::chrono::steady_clock;

  // `device` must outlive the session. Every transfer may take `transferTimeoutMs`; the
  // reply to a command is awaited for `replyWindowMs` after sending it.
  // Packet ids go on from `lastPacketId`, so a reply still queued from an earlier session
  // with the same phone cannot pass for an answer of this one.
  P2KSession(UsbDevice& device, std::uint8_t testInterface, unsigned transferTimeoutMs,
             unsigned replyWindowMs, std::uint16_t lastPacketId);

  // Puts the request for `command` with id `packetId` on the wire.
  virtual Status sendRequest(std::uint16_t packetId, std::uint16_t command,
                             const std::vector<std::uint8_t>& args) = 0;
  // Waits until `deadline` for the reply to the request last sent and returns its payload.
  virtual Result<std::vector<std::uint8_t>> awaitReply(std::uint16_t command, Clock::time_point deadline) = 0;

  // Milliseconds for the next transfer: the transfer timeout, cut to what is left of the
  // window; 0 when the window has closed.
  unsigned transferBudget(Clock::time_point deadline) const;
  // The error of a failed transfer in `step`; notes a phone gone or a timeout.
  Error transferError(const std::string& step, std::uint16_t command, UsbError error);
  // The error when the phone took only part of a request.
  static Error partlySent(std::uint16_t command, std::size_t sent, std::size_t size);
  void markGone() { gone_ = true; }

  UsbDevice& device_;
  const unsigned transferTimeoutMs_;

 private:
  std::uint8_t interface_;
  unsigned replyWindowMs_;
  std::uint16_t packetId_ = 0;
  bool gone_ = false;
  bool timedOut_ = false;
};

}  // namespace quillet::usb
