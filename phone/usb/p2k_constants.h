#pragma once
// Every number of the P2K USB protocol in one place: the phone's identity on the bus,
// the framing of commands and replies, the command codes and their limits.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillet::usb::p2k {

// --- Identity on the bus ---------------------------------------------------------
inline constexpr std::uint16_t kVendorId = 0x22B8;

// The product id of each model family in P2K mode and in modem (AT) mode, as phone file
// tools and the phone-side USB driver name them. Only ids that tools in use name are
// listed: 0x6009 is a P2K id a flashing tool uses, with no modem id known beside it
// (kNoAtMode). An id alone proves nothing (0x1001 is also a flash mode): the
// test-command interface decides. The AT half lets a modem whose interface names cannot
// be read be switched.
inline constexpr std::uint16_t kNoAtMode = 0;
struct ProductPair {
  std::uint16_t p2k;
  std::uint16_t at;
};
inline constexpr std::array<ProductPair, 8> kProductPairs = {{{0x4901, 0x4902},
                                                              {0x5801, 0x5802},
                                                              {0x3001, 0x3002},
                                                              {0x1001, 0x1005},
                                                              {0x1C01, 0x1C02},
                                                              {0x2821, 0x2822},
                                                              {0x0001, 0x0005},
                                                              {0x6009, kNoAtMode}}};

inline constexpr std::uint8_t kVendorSpecificClass = 0xFF;  // the test-command interface
inline constexpr std::uint8_t kCdcDataClass = 0x0A;         // the modem's data interface
inline constexpr std::string_view kTestCommandName = "Motorola Test Command";
inline constexpr std::array<std::string_view, 2> kAtInterfaceNames = {"Motorola Data Interface",
                                                                      "Motorola Communication Interface"};

// Sent to the modem interface to make the phone come back as a P2K device.
inline constexpr std::string_view kModeSwitchCommand = "AT+MODE=8\r\n";

// --- Control transfers -------------------------------------------------------------
inline constexpr std::uint8_t kRequestTypeOut = 0x41;  // vendor, host to interface
inline constexpr std::uint8_t kRequestTypeIn = 0xC1;   // vendor, interface to host
inline constexpr std::uint8_t kRequestCommand = 0x02;  // carries one command packet
inline constexpr std::uint8_t kRequestPoll = 0x00;     // asks whether a reply waits
inline constexpr std::uint8_t kRequestReply = 0x01;    // fetches the waiting reply
inline constexpr std::uint16_t kReplyValue = 1;        // wValue of the fetch: messages wanted
// A poll answers: status, count, then one 16-bit size per waiting message. Room for
// sixteen sizes; only the first is used, since one fetch brings one message.
inline constexpr std::uint16_t kPollLength = 2 + 2 * 16;
inline constexpr std::size_t kPollHeaderSize = 2;  // status and count; no more: nothing waits

// --- Bulk endpoints (p2k05 phones) --------------------------------------------------
// The test-command interface of these phones: vendor class, this subclass and protocol,
// one bulk endpoint each way. Requests go out on the OUT endpoint, replies are read
// straight from the IN endpoint: no poll, no fetch.
inline constexpr std::uint8_t kBulkTestSubclass = 0x03;
inline constexpr std::uint8_t kBulkTestProtocol = 0xFF;
// Request: packet id 16 | command 16 | zero 16 | zero 16 | argument size 32 | arguments.
inline constexpr std::size_t kBulkRequestHeaderSize = 12;
// Reply: byte 0 says whether the command was taken; bytes 1-9 carry nothing to rely on;
// bytes 10-11 the payload length; the payload from byte 12.
inline constexpr std::size_t kBulkReplyHeaderSize = 12;
inline constexpr std::size_t kBulkReplyLengthOffset = 10;
inline constexpr std::array<std::uint8_t, 2> kBulkAccepted = {0x80, 0x82};
// A reply filling whole packets is followed by two zero bytes instead of an empty packet.
inline constexpr std::size_t kBulkPaddingSize = 2;
inline constexpr std::size_t kBulkLongestReply = kBulkReplyHeaderSize + 0xFFFF + kBulkPaddingSize;
// Before a command, bytes left over from a reply that came too late (or padding still on
// its way) are read off the IN endpoint, waiting this long for each piece.
inline constexpr unsigned kBulkDrainMs = 20;

// --- Command packet (big-endian) ----------------------------------------------------
// packet id 16 | command 16 | argument size 16 | zero 16 | arguments
inline constexpr std::size_t kRequestHeaderSize = 8;
inline constexpr std::uint16_t kPacketIdMask = 0x0FFF;

// --- Fetched reply -------------------------------------------------------------------
// messages in this fetch 8 | messages still queued 8 | queued bytes 16 |
// then per message: its size 16 and the message. A message: packet id with bit 15 16 |
// type (high nibble) and command 16 | payload length 16 | 16 bits | payload.
// With one message: id in bytes 6-7, type in byte 8, length in 10-11, payload from 14.
inline constexpr std::size_t kFetchHeaderSize = 4;
inline constexpr std::size_t kMessageSizeWord = 2;
inline constexpr std::size_t kMessageTypeOffset = 2;  // within a message
inline constexpr std::size_t kMessageLengthOffset = 4;
inline constexpr std::size_t kMessageHeaderSize = 8;
inline constexpr std::uint16_t kReplyIdFlag = 0x8000;
inline constexpr std::uint8_t kReplyTypeData = 0x8;     // high nibble: data follows
inline constexpr std::uint8_t kReplyTypeSuccess = 0x6;  // high nibble: done, no data

// --- Commands ------------------------------------------------------------------------
inline constexpr std::uint16_t kCommandSeemRead = 0x0020;
inline constexpr std::uint16_t kCommandRestart = 0x0022;
inline constexpr std::uint16_t kCommandFile = 0x004A;

// File-system subcommands, sent as a 32-bit word before their arguments.
inline constexpr std::uint32_t kFileOpen = 0x00;
inline constexpr std::uint32_t kFileRead = 0x01;
inline constexpr std::uint32_t kFileWrite = 0x02;
inline constexpr std::uint32_t kFileSeek = 0x03;
inline constexpr std::uint32_t kFileClose = 0x04;
inline constexpr std::uint32_t kFileDelete = 0x05;
inline constexpr std::uint32_t kFileSearch = 0x07;
inline constexpr std::uint32_t kFileListNext = 0x08;
inline constexpr std::uint32_t kFileFreeSpace = 0x0B;

inline constexpr std::size_t kFileChunk = 0x400;  // most bytes per read or write
inline constexpr std::uint8_t kSeekFromStart = 0;
inline constexpr std::uint8_t kListBatch = 3;           // records asked for per list call, as tools do
inline constexpr std::size_t kListReplyHeaderSize = 4;  // count 16, then 2 bytes
// Each list record ends with attribute 16, owner 16 and size 32; the name fills the rest.
inline constexpr std::size_t kListRecordTailSize = 8;
// The open command sets the file's attribute from the low half of its attribute word.
inline constexpr std::uint32_t kAttributeMask = 0xFFFF;
// A path fits the name field of the phone's list records with its zero byte: the record
// size the phone lists less the tail. Until a listing shows it, the limit is that of the
// 0x10C-byte records most phones list (a 260-byte name field); some list 0x2C-byte
// records (36 bytes).
inline constexpr std::size_t kUsualListRecordSize = 0x10C;
inline constexpr std::size_t kDefaultMaxPathLength = kUsualListRecordSize - kListRecordTailSize - 1;
// The free-space request names the volume in UTF-16BE after a 16-bit word. Phone file
// tools send it in three layouts, and a phone may take only one: the word 0x0000 with the
// name and a zero unit zero-filled to 0x100 argument bytes (subcommand included); the
// word 0xFFFE with the name and a zero unit; the word 0x0006 with the name alone. They are
// tried in this order until the phone answers one.
struct FreeSpaceLayout {
  std::uint16_t leadWord;
  bool zeroUnit;             // a zero unit ends the name
  std::size_t argumentSize;  // zero-filled to this many bytes; 0: no filling
};
inline constexpr std::array<FreeSpaceLayout, 3> kFreeSpaceLayouts = {
    {{0x0000, true, 0x100}, {0xFFFE, true, 0}, {0x0006, false, 0}}};
// Search patterns are separated by this UTF-16 unit.
inline constexpr std::uint16_t kWideSeparator = 0xFFFE;
// A search names a folder and a file-name pattern, sent in UTF-16BE with the separator
// unit between them; "*" takes every file at or below the folder.
inline constexpr std::string_view kSearchRoot = "/a/";
inline constexpr std::string_view kSearchAnyName = "*";

// The seem that holds the model name (UTF-16BE).
inline constexpr std::uint16_t kModelSeem = 0x0117;
inline constexpr std::uint16_t kModelRecord = 1;
inline constexpr std::size_t kSeemStatusSize = 1;  // one status byte before the data

// --- Waiting -------------------------------------------------------------------------
// Each transfer may take this long: slow flash writes and closes need about a second.
inline constexpr unsigned kTransferTimeoutMs = 1000;
// A reply may be awaited this long after its command went out; a phone may also hold a
// poll unanswered until the reply exists, so a poll that times out is asked again.
inline constexpr unsigned kReplyWindowMs = 5000;
inline constexpr unsigned kReplyPollPauseMs = 2;  // between polls for a reply
// How long a phone may take to come back on the bus: after AT+MODE=8, or to leave it
// after a restart.
inline constexpr unsigned kReenumerationWaitMs = 8000;
inline constexpr unsigned kRescanIntervalMs = 1000;  // polling when hotplug is missing
// After an exchange timed out, calls fail at once for this long instead of each waiting
// out another timeout: a caller's retries of one step then cost pauses, not timeouts.
inline constexpr unsigned kUnresponsiveHoldMs = 3000;

}  // namespace quillet::usb::p2k
