#pragma once
// The phone's commands the backend uses, each one exchange on a P2KSession: the file
// system (free space, open, read, write, seek, close, delete, search, list), seem read
// and restart. The volume list is never asked for: the volume a file lives on is the
// first part of its path, and some phones refuse that command.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "p2k_constants.h"
#include "p2k_session.h"
#include "result.h"

namespace quillet::usb {

// One record of the phone's file list.
struct PhoneFileRecord {
  std::string name;              // full path on the phone
  std::uint16_t attributes = 0;  // the owner word after it is never needed
  std::uint32_t size = 0;
};

// One reply of the running search: its records and the size of the name field they
// carry (the listed record size less its tail), which bounds the paths the phone takes.
struct ListedBatch {
  std::vector<PhoneFileRecord> records;
  std::size_t nameField = 0;  // 0 when the reply held no record
};

// Opens the file, creating it when missing. The open also sets the file's attribute to
// `attribute`, and never shortens an existing file. Paths longer than `maxPath` (what
// the phone's name field holds) are refused before sending, naming the limit.
Status openFile(P2KSession& session, std::string_view path, std::uint16_t attribute, std::size_t maxPath);
// Removes the file: the only way to make a shorter file out of a longer one.
Status deleteFile(P2KSession& session, std::string_view path, std::size_t maxPath);
// Free bytes on a volume such as "/a", asked in one of the request's layouts.
Result<std::uint32_t> freeSpace(P2KSession& session, std::string_view volume,
                                const p2k::FreeSpaceLayout& layout);
// Reads at most one chunk (0x400 bytes) from the open file's pointer.
Result<std::vector<std::uint8_t>> readChunk(P2KSession& session, std::uint32_t bytes);
// Writes at most one chunk (0x400 bytes) at the open file's pointer.
Status writeChunk(P2KSession& session, const std::uint8_t* data, std::uint32_t bytes);
Status seekFile(P2KSession& session, std::uint32_t offsetFromStart);
Status closeFile(P2KSession& session);
// Starts a search for the files at or below `folder` (ending in '/') whose names match
// `name` ("*" for all); returns how many files it found.
Result<std::uint16_t> searchFiles(P2KSession& session, std::string_view folder, std::string_view name);
// The next records of the running search, at most three; none at its end.
Result<ListedBatch> listNext(P2KSession& session);
// The data of one seem record (`bytes` 0: the whole record), without the status byte.
Result<std::vector<std::uint8_t>> readSeem(P2KSession& session, std::uint16_t seem, std::uint16_t record,
                                           std::uint16_t offset, std::uint16_t bytes);
// Sends the restart command and fetches its answer. A phone that leaves the bus before
// answering has restarted all the same.
Status restartPhone(P2KSession& session);

}  // namespace quillet::usb
