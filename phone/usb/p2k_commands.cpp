#include "p2k_commands.h"

#include <algorithm>

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {
namespace {

// Runs one file-system subcommand and returns the reply's payload.
Result<std::vector<std::uint8_t>> fileCommand(P2KSession& session, std::uint32_t subcommand,
                                              BigEndianWriter args, const char* what) {
  BigEndianWriter packet;
  packet.u32(subcommand);
  const auto tail = args.take();
  packet.bytes(tail.data(), tail.size());
  auto reply = session.exchange(p2k::kCommandFile, packet.take());
  if (!reply) return phoneError(std::string(what) + ": " + reply.error().message);
  return reply;
}

// Subcommands that only report success: an empty reply or a zero status byte.
Status expectSuccess(Result<std::vector<std::uint8_t>> reply, const char* what) {
  if (!reply) return reply.error();
  if (!reply->empty() && reply->front() != 0)
    return phoneError(std::string(what) + ": the phone reported status " +
                      std::to_string(reply->front()));
  return Ok();
}

}  // namespace

Status openFile(P2KSession& session, std::string_view path, std::uint32_t attributes) {
  BigEndianWriter args;
  args.u32(attributes)
      .bytes(reinterpret_cast<const std::uint8_t*>(path.data()), path.size())
      .u8(0);  // the phone reads the path up to its zero byte
  return expectSuccess(fileCommand(session, p2k::kFileOpen, std::move(args), "opening a file"),
                       "opening a file");
}

Result<std::vector<std::uint8_t>> readChunk(P2KSession& session, std::uint32_t bytes) {
  if (bytes > p2k::kFileChunk) return phoneError("read of more than one chunk refused");
  BigEndianWriter args;
  args.u32(bytes);
  auto reply = fileCommand(session, p2k::kFileRead, std::move(args), "reading the file");
  if (reply && reply->size() > bytes)
    return phoneError("reading the file: the phone sent " + std::to_string(reply->size()) +
                      " bytes for " + std::to_string(bytes));
  return reply;
}

Status writeChunk(P2KSession& session, const std::uint8_t* data, std::uint32_t bytes) {
  if (bytes > p2k::kFileChunk) return phoneError("write of more than one chunk refused");
  BigEndianWriter args;
  args.u32(bytes).bytes(data, bytes);
  return expectSuccess(fileCommand(session, p2k::kFileWrite, std::move(args), "writing the file"),
                       "writing the file");
}

Status seekFile(P2KSession& session, std::uint32_t offsetFromStart) {
  BigEndianWriter args;
  args.u32(offsetFromStart).u8(p2k::kSeekFromStart);
  return expectSuccess(fileCommand(session, p2k::kFileSeek, std::move(args), "seeking"), "seeking");
}

Status closeFile(P2KSession& session) {
  return expectSuccess(fileCommand(session, p2k::kFileClose, {}, "closing the file"),
                       "closing the file");
}

Result<std::uint16_t> searchFiles(P2KSession& session) {
  BigEndianWriter args;
  for (std::uint16_t unit : p2k::kSearchAllPattern) args.u16(unit);
  args.u16(0);  // the pattern ends like every wide text: two zero bytes
  auto reply = fileCommand(session, p2k::kFileSearch, std::move(args), "counting files");
  if (!reply) return reply.error();
  if (reply->size() < 2) return phoneError("counting files: reply without a count");
  return readU16(reply->data());
}

Result<std::vector<PhoneFileRecord>> listNext(P2KSession& session, std::uint8_t wanted) {
  BigEndianWriter args;
  args.u8(wanted);
  auto reply = fileCommand(session, p2k::kFileListNext, std::move(args), "listing files");
  if (!reply) return reply.error();
  const auto& bytes = reply.value();
  if (bytes.size() < p2k::kListReplyHeaderSize)
    return phoneError("listing files: reply without a count");
  const std::size_t count = readU16(bytes.data());
  if (count == 0 || count > wanted)
    return phoneError("listing files: the phone sent " + std::to_string(count) + " records for " +
                      std::to_string(wanted));
  // The record layout varies between phones: its size follows from the reply itself.
  const std::size_t body = bytes.size() - p2k::kListReplyHeaderSize;
  const std::size_t recordSize = body / count;
  if (body % count != 0 || recordSize <= p2k::kListRecordTailSize)
    return phoneError("listing files: " + std::to_string(body) + " bytes do not split into " +
                      std::to_string(count) + " records");
  std::vector<PhoneFileRecord> records;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* record = bytes.data() + p2k::kListReplyHeaderSize + i * recordSize;
    const std::size_t nameField = recordSize - p2k::kListRecordTailSize;
    const auto* nameEnd = std::find(record, record + nameField, std::uint8_t{0});
    const std::uint8_t* tail = record + nameField;
    records.push_back(
        {std::string(record, nameEnd), readU16(tail), readU16(tail + 2), readU32(tail + 4)});
  }
  return records;
}

Result<std::vector<std::uint8_t>> readSeem(P2KSession& session, std::uint16_t seem,
                                           std::uint16_t record, std::uint16_t offset,
                                           std::uint16_t bytes) {
  BigEndianWriter args;
  args.u16(seem).u16(record).u16(offset).u16(bytes);
  auto reply = session.exchange(p2k::kCommandSeemRead, args.take());
  if (!reply) return phoneError("reading seem " + hexWord(seem) + ": " + reply.error().message);
  if (reply->size() < p2k::kSeemStatusSize)
    return phoneError("reading seem " + hexWord(seem) + ": reply without a status");
  if (reply->front() != 0)
    return phoneError("reading seem " + hexWord(seem) + ": the phone reported status " +
                      std::to_string(reply->front()));
  reply->erase(reply->begin(), reply->begin() + p2k::kSeemStatusSize);
  return reply;
}

Status restartPhone(P2KSession& session) { return session.send(p2k::kCommandRestart, {}); }

}  // namespace quillet::usb
