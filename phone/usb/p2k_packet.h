#pragma once
// Framing of P2K command packets and replies, without any transfer: building the
// big-endian request and checking a fetched reply.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "result.h"

namespace quillet::usb {

// Appends big-endian numbers to a byte vector.
class BigEndianWriter {
 public:
  BigEndianWriter& u8(std::uint8_t v);
  BigEndianWriter& u16(std::uint16_t v);
  BigEndianWriter& u32(std::uint32_t v);
  BigEndianWriter& bytes(const std::uint8_t* data, std::size_t size);
  std::vector<std::uint8_t> take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

std::uint16_t readU16(const std::uint8_t* p);
std::uint32_t readU32(const std::uint8_t* p);

// "0x004A": command codes and ids in log lines.
std::string hexWord(unsigned value);
// "0x85": endpoint addresses and single reply bytes in log lines.
std::string hexByte(std::uint8_t value);
// A phone-link error with this message.
Error phoneError(std::string message);

// The id after `id`: only the low 12 bits count, wrapping to 0.
std::uint16_t nextPacketId(std::uint16_t id);

// The request packet, or an Error when the arguments do not fit its 16-bit size.
Result<std::vector<std::uint8_t>> buildRequest(std::uint16_t packetId, std::uint16_t command,
                                               const std::vector<std::uint8_t>& args);

// What a poll says is waiting: the size of each waiting message, as many as the poll's
// answer holds. The next fetch brings the first.
struct PendingReply {
  std::vector<std::uint16_t> sizes;  // never empty
  // Bytes to fetch for one message: the fetch header, its size word and the message.
  std::size_t fetchLength() const { return 2u * 1u + sizes.front() + 4u; }
};
// Empty while the phone has nothing to say (two bytes or fewer came back).
std::optional<PendingReply> parsePoll(const std::uint8_t* data, std::size_t size);

struct ReplyPacket {
  std::uint8_t type = 0;  // high nibble of byte 8: data follows or success
  std::vector<std::uint8_t> payload;
};
// Finds the message that answers `expectedId` in a fetched reply and cuts out its
// payload. Messages answering earlier requests (a reply that came too late) are skipped;
// empty when the fetch held only such messages.
Result<std::optional<ReplyPacket>> parseReply(const std::uint8_t* data, std::size_t size,
                                              std::uint16_t expectedId);

}  // namespace quillet::usb
