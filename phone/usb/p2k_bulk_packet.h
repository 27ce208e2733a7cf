#pragma once
// Framing of P2K commands on the bulk endpoints of p2k05 phones, without any transfer:
// the request's 12-byte header and what the bytes read so far make of a reply.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillet::usb {

// The request: packet id, command, two zero words, the argument size in 32 bits, the
// arguments.
std::vector<std::uint8_t> buildBulkRequest(std::uint16_t packetId, std::uint16_t command,
                                           const std::vector<std::uint8_t>& args);

// A reply as far as it has been read. Only byte 0 and the length in bytes 10-11 count:
// the bytes between carry nothing these phones are known to keep the same.
class BulkReply {
 public:
  void append(const std::uint8_t* data, std::size_t size);
  std::size_t received() const { return bytes_.size(); }
  bool headerIn() const;
  // Byte 0 says the phone took the command; only with the header in.
  bool accepted() const;
  std::uint8_t status() const { return bytes_.front(); }
  // Header and payload, as bytes 10-11 announce them; only with the header in.
  std::size_t announcedSize() const;
  bool complete() const { return headerIn() && received() >= announcedSize(); }
  // The payload; only when complete. Bytes after it (the padding) are not part of it.
  std::vector<std::uint8_t> payload() const;
  // A complete reply that ends on a packet boundary is followed by padding, which has
  // not been read yet when nothing came after the payload.
  bool paddingPending(std::size_t packetSize) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace quillet::usb
