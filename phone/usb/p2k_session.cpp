#include "p2k_session.h"

#include <chrono>
#include <string>
#include <thread>

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {
P2KSession::P2KSession(UsbDevice& device, std::uint8_t testInterface, unsigned timeoutMs)
    : device_(device), interface_(testInterface), timeoutMs_(timeoutMs) {}

Error P2KSession::transferError(const char* step, std::uint16_t command, UsbError error) {
  if (error == UsbError::NoDevice) gone_ = true;
  std::string message = std::string(step) + " of command " + hexWord(command) + " failed: " +
                         describe(error);
  if (error == UsbError::Timeout)
    message += " (no answer within " + std::to_string(timeoutMs_) + " ms)";
  return phoneError(message);
}

Status P2KSession::send(std::uint16_t command, const std::vector<std::uint8_t>& args) {
  packetId_ = nextPacketId(packetId_);
  auto request = buildRequest(packetId_, command, args);
  if (!request) return request.error();
  const UsbSetup setup{p2k::kRequestTypeOut, p2k::kRequestCommand, 0, interface_};
  const auto& bytes = request.value();
  const UsbOutcome sent = device_.controlOut(setup, bytes.data(),
                                             static_cast<std::uint16_t>(bytes.size()), timeoutMs_);
  if (!sent.ok()) return transferError("sending", command, sent.error);
  if (sent.bytes != bytes.size())
    return phoneError("the phone took " + std::to_string(sent.bytes) + " of " +
                      std::to_string(bytes.size()) + " bytes of command " + hexWord(command));
  return Ok();
}

Result<std::vector<std::uint8_t>> P2KSession::exchange(std::uint16_t command,
                                                       const std::vector<std::uint8_t>& args) {
  if (Status sent = send(command, args); !sent) return sent.error();
  return awaitReply(command);
}

Result<std::vector<std::uint8_t>> P2KSession::awaitReply(std::uint16_t command) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  const UsbSetup poll{p2k::kRequestTypeIn, p2k::kRequestPoll, 0, interface_};
  std::uint8_t pollBytes[p2k::kPollLength] = {};
  std::optional<PendingReply> pending;
  while (!pending) {
    const auto now = Clock::now();
    if (now >= deadline) return transferError("waiting for the reply", command, UsbError::Timeout);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
    const UsbOutcome polled = device_.controlIn(poll, pollBytes, p2k::kPollLength,
                                                static_cast<unsigned>(left.count()) + 1);
    if (!polled.ok()) return transferError("polling for the reply", command, polled.error);
    pending = parsePoll(pollBytes, polled.bytes);
    if (!pending) std::this_thread::sleep_for(std::chrono::milliseconds(p2k::kReplyPollPauseMs));
  }
  const std::size_t length = pending->fetchLength();
  if (length > 0xFFFF)
    return phoneError("reply too long (" + std::to_string(length) + " bytes)");
  std::vector<std::uint8_t> reply(length);
  const UsbSetup fetch{p2k::kRequestTypeIn, p2k::kRequestReply, p2k::kReplyValue, interface_};
  const UsbOutcome fetched = device_.controlIn(fetch, reply.data(),
                                               static_cast<std::uint16_t>(length), timeoutMs_);
  if (!fetched.ok()) return transferError("fetching the reply", command, fetched.error);
  auto packet = parseReply(reply.data(), fetched.bytes, packetId_);
  if (!packet) return packet.error();
  return std::move(packet.value().payload);
}

}  // namespace quillet::usb
