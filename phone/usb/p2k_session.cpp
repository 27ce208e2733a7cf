#include "p2k_session.h"

#include <algorithm>

#include "p2k_packet.h"

namespace quillet::usb {

P2KSession::P2KSession(UsbDevice& device, std::uint8_t testInterface, unsigned transferTimeoutMs,
                       unsigned replyWindowMs, std::uint16_t lastPacketId)
    : device_(device),
      transferTimeoutMs_(transferTimeoutMs),
      interface_(testInterface),
      replyWindowMs_(replyWindowMs),
      packetId_(lastPacketId) {}

unsigned P2KSession::transferBudget(Clock::time_point deadline) const {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return 0;
  return std::min(transferTimeoutMs_, static_cast<unsigned>(left.count()));
}

Error P2KSession::transferError(const std::string& step, std::uint16_t command, UsbError error) {
  if (error == UsbError::NoDevice) gone_ = true;
  std::string message = step + " of command " + hexWord(command) + " failed: " + describe(error);
  if (error == UsbError::Timeout) {
    timedOut_ = true;
    message += " (no answer within " + std::to_string(transferTimeoutMs_) + " ms per transfer, " +
               std::to_string(replyWindowMs_) + " ms in all)";
  }
  return phoneError(message);
}

Error P2KSession::partlySent(std::uint16_t command, std::size_t sent, std::size_t size) {
  return phoneError("the phone took " + std::to_string(sent) + " of " + std::to_string(size) +
                    " bytes of command " + hexWord(command));
}

Status P2KSession::send(std::uint16_t command, const std::vector<std::uint8_t>& args) {
  timedOut_ = false;
  packetId_ = nextPacketId(packetId_);
  return sendRequest(packetId_, command, args);
}

Result<std::vector<std::uint8_t>> P2KSession::exchange(std::uint16_t command,
                                                       const std::vector<std::uint8_t>& args) {
  if (Status sent = send(command, args); !sent) return sent.error();
  return awaitReply(command, Clock::now() + std::chrono::milliseconds(replyWindowMs_));
}

}  // namespace quillet::usb
