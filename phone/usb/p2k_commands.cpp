#include "p2k_commands.h"

#include <algorithm>

#include "p2k_constants.h"
#include "p2k_packet.h"

namespace quillet::usb {
namespace {

// Runs one file-system subcommand and returns the reply's payload.
Result<std::vector<std::uint8_t>> fileCommand(P2KSession& session, std::uint32_t subcommand,
                                              const std::vector<std::uint8_t>& args, const char* what) {
  BigEndianWriter packet;
  packet.u32(subcommand).bytes(args.data(), args.size());
  auto reply = session.exchange(p2k::kCommandFile, packet.take());
  if (!reply) return phoneError(std::string(what) + ": " + reply.error().message);
  return reply;
}

// Subcommands that only report success: an empty reply or a zero status byte.
Status expectSuccess(Result<std::vector<std::uint8_t>> reply, const char* what) {
  if (!reply) return reply.error();
  if (!reply->empty() && reply->front() != 0)
    return phoneError(std::string(what) + ": the phone reported status " + std::to_string(reply->front()));
  return Ok();
}

// The phone takes the path as plain bytes, its end given by the argument size.
Status checkPath(std::string_view path, std::size_t maxPath, const char* what) {
  if (path.empty()) return phoneError(std::string(what) + ": no path given");
  if (path.size() > maxPath)
    return phoneError(std::string(what) + ": the path is " + std::to_string(path.size()) +
                      " bytes long; this phone's file names hold at most " + std::to_string(maxPath) +
                      " bytes");
  return Ok();
}

const std::uint8_t* bytesOf(std::string_view text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

}  // namespace

Status openFile(P2KSession& session, std::string_view path, std::uint16_t attribute, std::size_t maxPath) {
  if (Status fits = checkPath(path, maxPath, "opening a file"); !fits) return fits;
  BigEndianWriter args;
  args.u32(attribute).bytes(bytesOf(path), path.size());
  return expectSuccess(fileCommand(session, p2k::kFileOpen, args.take(), "opening a file"), "opening a file");
}

Status deleteFile(P2KSession& session, std::string_view path, std::size_t maxPath) {
  if (Status fits = checkPath(path, maxPath, "deleting a file"); !fits) return fits;
  BigEndianWriter args;
  args.bytes(bytesOf(path), path.size());
  return expectSuccess(fileCommand(session, p2k::kFileDelete, args.take(), "deleting a file"),
                       "deleting a file");
}

Result<std::uint32_t> freeSpace(P2KSession& session, std::string_view volume,
                                const p2k::FreeSpaceLayout& layout) {
  BigEndianWriter args;
  args.u16(layout.leadWord);
  for (char c : volume) args.u16(static_cast<std::uint8_t>(c));
  if (layout.zeroUnit) args.u16(0);
  auto field = args.take();
  if (layout.argumentSize != 0) {
    const std::size_t fieldSize = layout.argumentSize - 4;  // less the subcommand
    if (field.size() > fieldSize) return phoneError("asking for free space: volume name too long");
    field.resize(fieldSize, 0);
  }
  auto reply = fileCommand(session, p2k::kFileFreeSpace, field, "asking for free space");
  if (!reply) return reply.error();
  if (reply->size() < 4) return phoneError("asking for free space: reply without a size");
  return readU32(reply->data());
}

Result<std::vector<std::uint8_t>> readChunk(P2KSession& session, std::uint32_t bytes) {
  if (bytes > p2k::kFileChunk) return phoneError("read of more than one chunk refused");
  BigEndianWriter args;
  args.u32(bytes);
  auto reply = fileCommand(session, p2k::kFileRead, args.take(), "reading the file");
  if (reply && reply->size() > bytes)
    return phoneError("reading the file: the phone sent " + std::to_string(reply->size()) + " bytes for " +
                      std::to_string(bytes));
  return reply;
}

Status writeChunk(P2KSession& session, const std::uint8_t* data, std::uint32_t bytes) {
  if (bytes > p2k::kFileChunk) return phoneError("write of more than one chunk refused");
  BigEndianWriter args;
  args.u32(bytes).bytes(data, bytes);
  return expectSuccess(fileCommand(session, p2k::kFileWrite, args.take(), "writing the file"),
                       "writing the file");
}

Status seekFile(P2KSession& session, std::uint32_t offsetFromStart) {
  BigEndianWriter args;
  args.u32(offsetFromStart).u8(p2k::kSeekFromStart);
  return expectSuccess(fileCommand(session, p2k::kFileSeek, args.take(), "seeking"), "seeking");
}

Status closeFile(P2KSession& session) {
  return expectSuccess(fileCommand(session, p2k::kFileClose, {}, "closing the file"), "closing the file");
}

Result<std::uint16_t> searchFiles(P2KSession& session, std::string_view folder, std::string_view name) {
  BigEndianWriter args;
  for (char c : folder) args.u16(static_cast<std::uint8_t>(c));
  args.u16(p2k::kWideSeparator);
  for (char c : name) args.u16(static_cast<std::uint8_t>(c));
  args.u16(0);  // the pattern ends like every wide text: two zero bytes
  auto reply = fileCommand(session, p2k::kFileSearch, args.take(), "counting files");
  if (!reply) return reply.error();
  if (reply->size() < 2) return phoneError("counting files: reply without a count");
  return readU16(reply->data());
}

Result<ListedBatch> listNext(P2KSession& session) {
  BigEndianWriter args;
  args.u8(p2k::kListBatch);
  auto reply = fileCommand(session, p2k::kFileListNext, args.take(), "listing files");
  if (!reply) return reply.error();
  const auto& bytes = reply.value();
  if (bytes.empty()) return ListedBatch();
  if (bytes.size() < p2k::kListReplyHeaderSize) return phoneError("listing files: reply without a count");
  const std::size_t count = readU16(bytes.data());
  if (count == 0) return ListedBatch();
  if (count > p2k::kListBatch)
    return phoneError("listing files: the phone sent " + std::to_string(count) + " records for " +
                      std::to_string(p2k::kListBatch));
  // The record layout varies between phones: its size follows from the reply itself.
  const std::size_t body = bytes.size() - p2k::kListReplyHeaderSize;
  const std::size_t recordSize = body / count;
  if (body % count != 0 || recordSize <= p2k::kListRecordTailSize)
    return phoneError("listing files: " + std::to_string(body) + " bytes do not split into " +
                      std::to_string(count) + " records");
  ListedBatch batch;
  batch.nameField = recordSize - p2k::kListRecordTailSize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* record = bytes.data() + p2k::kListReplyHeaderSize + i * recordSize;
    const auto* nameEnd = std::find(record, record + batch.nameField, std::uint8_t{0});
    const std::uint8_t* tail = record + batch.nameField;
    batch.records.push_back({std::string(record, nameEnd), readU16(tail), readU32(tail + 4)});
  }
  return batch;
}

Result<std::vector<std::uint8_t>> readSeem(P2KSession& session, std::uint16_t seem, std::uint16_t record,
                                           std::uint16_t offset, std::uint16_t bytes) {
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

Status restartPhone(P2KSession& session) {
  auto reply = session.exchange(p2k::kCommandRestart, {});
  if (!reply && !session.deviceGone()) return phoneError("restarting: " + reply.error().message);
  return Ok();
}

}  // namespace quillet::usb
