#include "control_session.h"

#include <thread>

#include "p2k_constants.h"

namespace quillet::usb {

ControlSession::ControlSession(UsbDevice& device, std::uint8_t testInterface, unsigned transferTimeoutMs,
                               unsigned replyWindowMs, std::uint16_t lastPacketId)
    : P2KSession(device, testInterface, transferTimeoutMs, replyWindowMs, lastPacketId) {}

Status ControlSession::sendRequest(std::uint16_t packetId, std::uint16_t command,
                                   const std::vector<std::uint8_t>& args) {
  auto request = buildRequest(packetId, command, args);
  if (!request) return request.error();
  const UsbSetup setup{p2k::kRequestTypeOut, p2k::kRequestCommand, 0, testInterface()};
  const auto& bytes = request.value();
  const UsbOutcome sent =
      device_.controlOut(setup, bytes.data(), static_cast<std::uint16_t>(bytes.size()), transferTimeoutMs_);
  if (!sent.ok()) return transferError("sending", command, sent.error);
  if (sent.bytes != bytes.size()) return partlySent(command, sent.bytes, bytes.size());
  return Ok();
}

Result<std::vector<std::uint8_t>> ControlSession::awaitReply(std::uint16_t command,
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

Result<PendingReply> ControlSession::awaitPending(std::uint16_t command, Clock::time_point deadline) {
  const UsbSetup poll{p2k::kRequestTypeIn, p2k::kRequestPoll, 0, testInterface()};
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

Result<std::optional<ReplyPacket>> ControlSession::fetchReply(std::uint16_t command,
                                                              const PendingReply& pending) {
  const std::size_t length = pending.fetchLength();
  if (length > 0xFFFF) return phoneError("reply too long (" + std::to_string(length) + " bytes)");
  std::vector<std::uint8_t> reply(length);
  const UsbSetup fetch{p2k::kRequestTypeIn, p2k::kRequestReply, p2k::kReplyValue, testInterface()};
  const UsbOutcome fetched =
      device_.controlIn(fetch, reply.data(), static_cast<std::uint16_t>(length), transferTimeoutMs_);
  if (!fetched.ok()) return transferError("fetching the reply", command, fetched.error);
  return parseReply(reply.data(), fetched.bytes, lastPacketId());
}

}  // namespace quillet::usb
