#include "bulk_session.h"

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {
namespace {

bool isFileWrite(std::uint16_t command, const std::vector<std::uint8_t>& args) {
  return command == p2k::kCommandFile && args.size() >= 4 && readU32(args.data()) == p2k::kFileWrite;
}

std::size_t wholePackets(std::size_t bytes, std::size_t packetSize) {
  return (bytes + packetSize - 1) / packetSize * packetSize;
}

}  // namespace

BulkSession::BulkSession(UsbDevice& device, std::uint8_t testInterface, std::uint8_t outEndpoint,
                         std::uint8_t inEndpoint, std::uint16_t packetSize, unsigned transferTimeoutMs,
                         unsigned replyWindowMs, std::uint16_t lastPacketId)
    : P2KSession(device, testInterface, transferTimeoutMs, replyWindowMs, lastPacketId),
      out_(outEndpoint),
      in_(inEndpoint),
      packetSize_(packetSize),
      readBuffer_(wholePackets(p2k::kBulkLongestReply, packetSize)) {}

Status BulkSession::drain(std::uint16_t command) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(transferTimeoutMs_);
  for (;;) {
    const UsbOutcome got = device_.bulkIn(in_, readBuffer_.data(), readBuffer_.size(), p2k::kBulkDrainMs);
    if (got.error == UsbError::Timeout && got.bytes == 0) break;
    if (!got.ok() && got.error != UsbError::Timeout)
      return transferError("clearing old replies before", command, got.error);
    if (Clock::now() >= deadline)
      return phoneError("the phone kept sending unasked bytes for " + std::to_string(transferTimeoutMs_) +
                        " ms before command " + hexWord(command));
  }
  leftovers_ = false;
  return Ok();
}

Status BulkSession::sendRequest(std::uint16_t packetId, std::uint16_t command,
                                const std::vector<std::uint8_t>& args) {
  if (leftovers_)
    if (Status drained = drain(command); !drained) return drained;
  const std::vector<std::uint8_t> bytes = buildBulkRequest(packetId, command, args);
  writing_ = isFileWrite(command, args);
  leftovers_ = true;  // until its reply has been read whole
  const UsbOutcome sent = device_.bulkOut(out_, bytes.data(), bytes.size(), transferTimeoutMs_);
  // No report says how these phones take a restart: leaving the bus while it is being
  // sent is taken for its answer.
  if (command == p2k::kCommandRestart && sent.error == UsbError::NoDevice) {
    markGone();
    return Ok();
  }
  if (!sent.ok()) return transferError("sending", command, sent.error);
  if (sent.bytes != bytes.size()) return partlySent(command, sent.bytes, bytes.size());
  return Ok();
}

Result<std::vector<std::uint8_t>> BulkSession::awaitReply(std::uint16_t command, Clock::time_point deadline) {
  BulkReply reply;
  while (!reply.complete() && !(reply.headerIn() && !reply.accepted())) {
    const unsigned budget = transferBudget(deadline);
    if (budget == 0) {
      if (reply.received() == 0) return transferError("waiting for the reply", command, UsbError::Timeout);
      const std::string expected = reply.headerIn() ? std::to_string(reply.announcedSize())
                                                    : "at least " + std::to_string(p2k::kBulkReplyHeaderSize);
      return transferError(
          "reading the reply (" + std::to_string(reply.received()) + " of " + expected + " bytes came)",
          command, UsbError::Timeout);
    }
    const UsbOutcome got = device_.bulkIn(in_, readBuffer_.data(), readBuffer_.size(), budget);
    reply.append(readBuffer_.data(), got.bytes);
    // A read that ran out or came short is read on until the reply is whole or the
    // window closes.
    if (!got.ok() && got.error != UsbError::Timeout)
      return transferError("reading the reply", command, got.error);
  }
  if (!reply.accepted())
    return phoneError("the phone refused command " + hexWord(command) + " (reply byte 0 is " +
                      hexByte(reply.status()) + ", not 0x80 or 0x82)");
  leftovers_ = reply.paddingPending(packetSize_);
  // These phones answer a file write in a form of their own: that it was taken is all
  // such an answer says here; the size check after the close and the read-back decide.
  if (writing_) return std::vector<std::uint8_t>();
  return reply.payload();
}

}  // namespace quillet::usb
