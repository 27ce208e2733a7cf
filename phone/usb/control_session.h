#pragma once
// The P2K session of the older phones: each request is a vendor control transfer to the
// test-command interface; the phone is polled until it says a reply waits, which is
// then fetched with a control transfer of its own.
#include <cstdint>
#include <optional>
#include <vector>

#include "p2k_packet.h"
#include "p2k_session.h"

namespace quillet::usb {

class ControlSession : public P2KSession {
 public:
  ControlSession(UsbDevice& device, std::uint8_t testInterface, unsigned transferTimeoutMs,
                 unsigned replyWindowMs, std::uint16_t lastPacketId = 0);

 private:
  Status sendRequest(std::uint16_t packetId, std::uint16_t command,
                     const std::vector<std::uint8_t>& args) override;
  Result<std::vector<std::uint8_t>> awaitReply(std::uint16_t command, Clock::time_point deadline) override;
  // Polls until the phone says a reply waits.
  Result<PendingReply> awaitPending(std::uint16_t command, Clock::time_point deadline);
  // Fetches the waiting reply; empty when it answered only earlier requests.
  Result<std::optional<ReplyPacket>> fetchReply(std::uint16_t command, const PendingReply& pending);
};

}  // namespace quillet::usb
