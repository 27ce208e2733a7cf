#pragma once
// The P2K session of p2k05 phones: the same commands, carried by the bulk endpoints of
// the test-command interface. A request goes out on the OUT endpoint; its reply is read
// straight from the IN endpoint, as many reads as it takes within the reply window.
#include <cstdint>
#include <vector>

#include "p2k_bulk_packet.h"
#include "p2k_session.h"

namespace quillet::usb {

class BulkSession : public P2KSession {
 public:
  // `packetSize` is the IN endpoint's largest packet, as its descriptor gives it.
  BulkSession(UsbDevice& device, std::uint8_t testInterface, std::uint8_t outEndpoint,
              std::uint8_t inEndpoint, std::uint16_t packetSize, unsigned transferTimeoutMs,
              unsigned replyWindowMs, std::uint16_t lastPacketId = 0);

 private:
  Status sendRequest(std::uint16_t packetId, std::uint16_t command,
                     const std::vector<std::uint8_t>& args) override;
  Result<std::vector<std::uint8_t>> awaitReply(std::uint16_t command, Clock::time_point deadline) override;
  // These replies carry no id to tell an old one by, so whatever waits on the IN
  // endpoint before a request (a reply that came after its window, padding still on its
  // way, an answer to a restart the phone ignored) is read off and dropped.
  Status drain(std::uint16_t command);

  std::uint8_t out_;
  std::uint8_t in_;
  std::uint16_t packetSize_;
  // Every read asks for room for the longest reply, in whole packets: a read that ended
  // on a packet boundary inside a reply would leave its padding for the next one.
  std::vector<std::uint8_t> readBuffer_;
  bool leftovers_ = true;  // bytes may wait on the IN endpoint (also from before the claim)
  bool writing_ = false;   // the request last sent writes to a file
};

}  // namespace quillet::usb
