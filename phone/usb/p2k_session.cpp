#include "p2k_session.h"

#include <string>
#include <thread>

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {

P2KSession::P2KSession(UsbDevice& device, std::uint8_t testInterface, unsigned timeoutMs,
                       std::uint16_t lastPacketId)
    : device_(device), interface_(testInterface), timeoutMs_(timeoutMs), packetId_(lastPacketId) {}

unsigned P2KSession::leftUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<unsigned>(left.count()) : 0;
}

Error P2KSession::transferError(const char* step, std::uint16_t command, UsbError error) {
  if (error == UsbError::NoDevice) gone_ = true;
  std::string message =
      std::string(step) + " of command " + hexWord(command) + " failed: " + describe(error);
  if (error == UsbError::Timeout) {
    timedOut_ = true;
    message += " (no answer within " + std::to_string(timeoutMs_) + " ms)";
  }
  return phoneError(message);
}

Status P2KSession::send(std::uint16_t command, const std::vector<std::uint8_t>& args) {
  timedOut_ = false;
  return sendBy(command, args, Clock::now() + std::chrono::milliseconds(timeoutMs_));
}

Result<std::vector<std::uint8_t>> P2KSession::exchange(std::uint16_t command,
                                                       const std::vector<std::uint8_t>& args) {
  timedOut_ = false;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  if (Status sent = sendBy(command, args, deadline); !sent) return sent.error();
  return awaitReply(command, deadline);
}

Status P2KSession::sendBy(std::uint16_t command, const std::vector<std::uint8_t>& args,
                          Clock::time_point deadline) {
  packetId_ = nextPacketId(packetId_);
  auto request = buildRequest(packetId_, command, args);
  if (!request) return request.error();
  const UsbSetup setup{p2k::kRequestTypeOut, p2k::kRequestCommand, 0, interface_};
  const auto& bytes = request.value();
  // Every transfer gets a non-zero timeout: zero would mean "wait for ever" to libusb.
  const unsigned left = leftUntil(deadline);
  if (left == 0) return transferError("sending", command, UsbError::Timeout);
  const UsbOutcome sent =
      device_.controlOut(setup, bytes.data(), static_cast<std::uint16_t>(bytes.size()), left);
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
    auto packet = fetchReply(command, pending.value(), deadline);
    if (!packet) return packet.error();
    if (packet.value()) return std::move(packet.value()->payload);
  }
}

Result<PendingReply> P2KSession::awaitPending(std::uint16_t command, Clock::time_point deadline) {
  const UsbSetup poll{p2k::kRequestTypeIn, p2k::kRequestPoll, 0, interface_};
  std::uint8_t pollBytes[p2k::kPollLength] = {};
  for (;;) {
    const unsigned left = leftUntil(deadline);
    if (left == 0) return transferError("waiting for the reply", command, UsbError::Timeout);
    const UsbOutcome polled = device_.controlIn(poll, pollBytes, p2k::kPollLength, left);
    if (!polled.ok()) return transferError("polling for the reply", command, polled.error);
    if (auto pending = parsePoll(pollBytes, polled.bytes)) return *pending;
    std::this_thread::sleep_for(std::chrono::milliseconds(p2k::kReplyPollPauseMs));
  }
}

Result<std::optional<ReplyPacket>> P2KSession::fetchReply(std::uint16_t command,
                                                          const PendingReply& pending,
                                                          Clock::time_point deadline) {
  const std::size_t length = pending.fetchLength();
  if (length > 0xFFFF) return phoneError("reply too long (" + std::to_string(length) + " bytes)");
  const unsigned left = leftUntil(deadline);
  if (left == 0) return transferError("fetching the reply", command, UsbError::Timeout);
  std::vector<std::uint8_t> reply(length);
  const UsbSetup fetch{p2k::kRequestTypeIn, p2k::kRequestReply, p2k::kReplyValue, interface_};
  const UsbOutcome fetched =
      device_.controlIn(fetch, reply.data(), static_cast<std::uint16_t>(length), left);
  if (!fetched.ok()) return transferError("fetching the reply", command, fetched.error);
  return parseReply(reply.data(), fetched.bytes, packetId_);
}

}  // namespace quillet::usb
