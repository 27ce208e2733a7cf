#include "p2k_packet.h"

#include <cstdio>

#include "p2k_constants.h"

namespace quillet::usb {

std::string hexWord(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

Error phoneError(std::string message) {
  return Error{ErrorCode::PhoneError, std::move(message), {}, {}, {}};
}

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

std::uint16_t readU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

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
  // Two bytes or fewer mean "nothing yet"; count and size need four.
  if (size < p2k::kPollHeaderSize) return std::nullopt;
  PendingReply pending{readU16(data), readU16(data + 2)};
  if (pending.count == 0) return std::nullopt;
  return pending;
}

Result<ReplyPacket> parseReply(const std::uint8_t* data, std::size_t size,
                               std::uint16_t expectedId) {
  if (size < p2k::kReplyPayloadOffset)
    return phoneError("reply too short (" + std::to_string(size) + " bytes)");
  const std::uint16_t idWord = readU16(data + p2k::kReplyIdOffset);
  if ((idWord & p2k::kReplyIdFlag) == 0 || (idWord & p2k::kPacketIdMask) != expectedId)
    return phoneError("reply for packet " + hexWord(idWord) + " while waiting for packet " +
                         hexWord(expectedId));
  ReplyPacket reply;
  reply.type = static_cast<std::uint8_t>(data[p2k::kReplyTypeOffset] >> 4);
  if (reply.type != p2k::kReplyTypeData && reply.type != p2k::kReplyTypeSuccess)
    return phoneError("phone refused the command (reply type " + hexWord(reply.type) + ")");
  const std::size_t length = readU16(data + p2k::kReplyLengthOffset);
  if (p2k::kReplyPayloadOffset + length > size)
    return phoneError("reply announces " + std::to_string(length) + " payload bytes but holds " +
                         std::to_string(size - p2k::kReplyPayloadOffset));
  reply.payload.assign(data + p2k::kReplyPayloadOffset,
                       data + p2k::kReplyPayloadOffset + length);
  return reply;
}

}  // namespace quillet::usb
