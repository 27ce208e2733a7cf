#include "p2k_packet.h"

#include <cstdio>

#include "p2k_constants.h"

namespace quillet::usb {

std::string hexWord(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

std::string hexByte(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

Error phoneError(std::string message) { return Error{ErrorCode::PhoneError, std::move(message), {}, {}, {}}; }

BigEndianWriter& BigEndianWriter::u8(std::uint8_t v) {
  out_.push_back(v);
  return *this;
}

BigEndianWriter& BigEndianWriter::u16(std::uint16_t v) {
  out_.push_back(static_cast<std::uint8_t>(v >> 8));
  out_.push_back(static_cast<std::uint8_t>(v & 0xFF));
  return *this;
}

BigEndianWriter& BigEndianWriter::u32(std::uint32_t v) {
  u16(static_cast<std::uint16_t>(v >> 16));
  return u16(static_cast<std::uint16_t>(v & 0xFFFF));
}

BigEndianWriter& BigEndianWriter::bytes(const std::uint8_t* data, std::size_t size) {
  out_.insert(out_.end(), data, data + size);
  return *this;
}

std::uint16_t readU16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

std::uint32_t readU32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(readU16(p)) << 16) | readU16(p + 2);
}

std::uint16_t nextPacketId(std::uint16_t id) {
  return static_cast<std::uint16_t>((id + 1) & p2k::kPacketIdMask);
}

Result<std::vector<std::uint8_t>> buildRequest(std::uint16_t packetId, std::uint16_t command,
                                               const std::vector<std::uint8_t>& args) {
  if (args.size() > 0xFFFF - p2k::kRequestHeaderSize)
    return phoneError("command " + hexWord(command) + " has too many argument bytes (" +
                      std::to_string(args.size()) + ")");
  BigEndianWriter w;
  w.u16(static_cast<std::uint16_t>(packetId & p2k::kPacketIdMask))
      .u16(command)
      .u16(static_cast<std::uint16_t>(args.size()))
      .u16(0)
      .bytes(args.data(), args.size());
  return w.take();
}

std::optional<PendingReply> parsePoll(const std::uint8_t* data, std::size_t size) {
  // Status and count alone mean "nothing yet"; each waiting message brings its size.
  PendingReply pending;
  for (std::size_t at = p2k::kPollHeaderSize;
       size >= p2k::kPollHeaderSize && pending.sizes.size() < data[1] && at + 2 <= size; at += 2)
    pending.sizes.push_back(readU16(data + at));
  if (pending.sizes.empty()) return std::nullopt;
  return pending;
}

Result<std::optional<ReplyPacket>> parseReply(const std::uint8_t* data, std::size_t size,
                                              std::uint16_t expectedId) {
  if (size < p2k::kFetchHeaderSize) return phoneError("reply too short (" + std::to_string(size) + " bytes)");
  const std::size_t count = data[0];
  std::size_t offset = p2k::kFetchHeaderSize;
  for (std::size_t i = 0; i < count; ++i) {
    if (offset + p2k::kMessageSizeWord > size)
      return phoneError("reply too short (" + std::to_string(size) + " bytes for " + std::to_string(count) +
                        " messages)");
    const std::size_t messageSize = readU16(data + offset);
    const std::size_t messageAt = offset + p2k::kMessageSizeWord;
    if (messageSize < p2k::kMessageHeaderSize || messageAt + messageSize > size)
      return phoneError("reply announces a message of " + std::to_string(messageSize) + " bytes but holds " +
                        std::to_string(size - messageAt));
    offset = messageAt + messageSize;
    const std::uint8_t* message = data + messageAt;
    const std::size_t length = readU16(message + p2k::kMessageLengthOffset);
    if (p2k::kMessageHeaderSize + length > messageSize)
      return phoneError("reply announces " + std::to_string(length) + " payload bytes but holds " +
                        std::to_string(messageSize - p2k::kMessageHeaderSize));
    const std::uint16_t idWord = readU16(message);
    if ((idWord & p2k::kReplyIdFlag) == 0 || (idWord & p2k::kPacketIdMask) != expectedId) continue;
    ReplyPacket reply;
    reply.type = static_cast<std::uint8_t>(message[p2k::kMessageTypeOffset] >> 4);
    if (reply.type != p2k::kReplyTypeData && reply.type != p2k::kReplyTypeSuccess)
      return phoneError("phone refused the command (reply type " + hexWord(reply.type) + ")");
    const std::uint8_t* payload = message + p2k::kMessageHeaderSize;
    reply.payload.assign(payload, payload + length);
    return std::optional<ReplyPacket>(std::move(reply));
  }
  return std::optional<ReplyPacket>();
}

}  // namespace quillet::usb
