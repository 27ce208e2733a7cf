#include "p2k_session.h"

#include <algorithm>
#include <string>
#include <thread>

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {

P2KSession::P2KSession(UsbDevice& device, std::uint8_t testInterface, unsigned transferTimeoutMs,
                       unsigned replyWindowMs, std::uint16_t lastPacketId)
    : device_(device),
      interface_(testInterface),
      transferTimeoutMs_(transferTimeoutMs),
      replyWindowMs_(replyWindowMs),
      packetId_(lastPacketId) {}

unsigned P2KSession::transferBudget(Clock::time_point deadline) const {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return 0;
  return std::min(transferTimeoutMs_, static_cast<unsigned>(left.count()));
}

Error P2KSession::transferError(const char* step, std::uint16_t command, UsbError error) {
  if (error == UsbError::NoDevice) gone_ = true;
  std::string message =
      std::string(step) + " of command " + hexWord(command) + " failed: " + describe(error);
  if (error == UsbError::Timeout) {
    timedOut_ = true;
    message += " (no answer within " + std::to_string(transferTimeoutMs_) + " ms per transfer, " +
               std::to_string(replyWindowMs_) + " ms in all)";
  }
  return phoneError(message);
}

Status P2KSession::send(std::uint16_t command, const std::vector<std::uint8_t>& args) {
  timedOut_ = false;
  return sendCommand(command, args);
}

Result<std::vector<std::uint8_t>> P2KSession::exchange(std::uint16_t command,
                                                       const std::vector<std::uint8_t>& args) {
  timedOut_ = false;
  if (Status sent = sendCommand(command, args); !sent) return sent.error();
  return awaitReply(command, Clock::now() + std::chrono::milliseconds(replyWindowMs_));
}

Status P2KSession::sendCommand(std::uint16_t command, const std::vector<std::uint8_t>& args) {
  packetId_ = nextPacketId(packetId_);
  auto request = buildRequest(packetId_, command, args);
  if (!request) return request.error();
  const UsbSetup setup{p2k::kRequestTypeOut, p2k::kRequestCommand, 0, interface_};
  const auto& bytes = request.value();
  const UsbOutcome sent = device_.controlOut(
      setup, bytes.data(), static_cast<std::uint16_t>(bytes.size()), transferTimeoutMs_);
  if (!sent.ok()) return transferError("sending", command, sent.error);
  if (sent.bytes != bytes.size())
    return phoneError("the phone took " + std::to_string(sent.bytes) + " of " +
                      std::to_string(bytes.size()) + " bytes of command " + hexWord(command));
  return Ok();
}

Result<std::vector<std::uint8_t>> P2KSession::awaitReply(std::uint16_t command,
                                                         Clock::time_point deadline) {
  // Replies that answer earlier, timed-out requests are fetched and dropped.
  for (;;) {
    auto pending = awaitPending(command, deadline);
    if (!pending) return pending.error();
    auto packet = fetchReply(command, pending.value());
    if (!packet) return packet.error();
    if (packet.value()) return std::move(packet.value()->payload);
  }
}

Result<PendingReply> P2KSession::awaitPending(std::uint16_t command, Clock::time_point deadline) {
  const UsbSetup poll{p2k::kRequestTypeIn, p2k::kRequestPoll, 0, interface_};
  std::uint8_t pollBytes[p2k::kPollLength] = {};
  for (;;) {
    // Every transfer gets a non-zero timeout: zero would mean "wait for ever" to libusb.
    const unsigned budget = transferBudget(deadline);
    if (budget == 0) return transferError("waiting for the reply", command, UsbError::Timeout);
    const UsbOutcome polled = device_.controlIn(poll, pollBytes, p2k::kPollLength, budget);
    // A phone may hold the poll until the reply exists: a poll that ran out is asked again.
    if (polled.error == UsbError::Timeout) continue;
    if (!polled.ok()) return transferError("polling for the reply", command, polled.error);
    if (auto pending = parsePoll(pollBytes, polled.bytes)) return *pending;
    std::this_thread::sleep_for(std::chrono::milliseconds(p2k::kReplyPollPauseMs));
  }
}

Result<std::optional<ReplyPacket>> P2KSession::fetchReply(std::uint16_t command,
                                                          const PendingReply& pending) {
  const std::size_t length = pending.fetchLength();
  if (length > 0xFFFF) return phoneError("reply too long (" + std::to_string(length) + " bytes)");
  std::vector<std::uint8_t> reply(length);
  const UsbSetup fetch{p2k::kRequestTypeIn, p2k::kRequestReply, p2k::kReplyValue, interface_};
  const UsbOutcome fetched = device_.controlIn(
      fetch, reply.data(), static_cast<std::uint16_t>(length), transferTimeoutMs_);
  if (!fetched.ok()) return transferError("fetching the reply", command, fetched.error);
  return parseReply(reply.data(), fetched.bytes, packetId_);
}

}  // namespace quillet::usb
