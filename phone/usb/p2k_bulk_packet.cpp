#include "p2k_bulk_packet.h"

#include <algorithm>

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {

std::vector<std::uint8_t> buildBulkRequest(std::uint16_t packetId, std::uint16_t command,
                                           const std::vector<std::uint8_t>& args) {
  BigEndianWriter w;
  w.u16(static_cast<std::uint16_t>(packetId & p2k::kPacketIdMask))
      .u16(command)
      .u16(0)
      .u16(0)
      .u32(static_cast<std::uint32_t>(args.size()))
      .bytes(args.data(), args.size());
  return w.take();
}

void BulkReply::append(const std::uint8_t* data, std::size_t size) {
  bytes_.insert(bytes_.end(), data, data + size);
}

bool BulkReply::headerIn() const { return bytes_.size() >= p2k::kBulkReplyHeaderSize; }

bool BulkReply::accepted() const {
  return std::find(p2k::kBulkAccepted.begin(), p2k::kBulkAccepted.end(), bytes_.front()) !=
         p2k::kBulkAccepted.end();
}

std::size_t BulkReply::announcedSize() const {
  return p2k::kBulkReplyHeaderSize + readU16(bytes_.data() + p2k::kBulkReplyLengthOffset);
}

std::vector<std::uint8_t> BulkReply::payload() const {
  const auto begin = bytes_.begin() + static_cast<long>(p2k::kBulkReplyHeaderSize);
  return std::vector<std::uint8_t>(begin, bytes_.begin() + static_cast<long>(announcedSize()));
}

bool BulkReply::paddingPending(std::size_t packetSize) const {
  return received() == announcedSize() && announcedSize() % packetSize == 0;
}

}  // namespace quillet::usb
