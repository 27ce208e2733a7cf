#pragma once
// The command side of the fake phone: volumes, a small file system and a model name,
// answering the P2K commands as a phone would and reporting every request that breaks
// the protocol's rules. Written from the protocol's public facts (the open takes the
// attribute in the low half of its word and the path without a zero byte, and never
// shortens a file; delete takes the path alone; lists come three records at a time);
// shares no code with the backend under test.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quillet::usb::testing {

// Reply types in the high nibble of byte 8.
inline constexpr std::uint8_t kFakeData = 0x8;
inline constexpr std::uint8_t kFakeSuccess = 0x6;
inline constexpr std::uint8_t kFakeRefused = 0x4;  // what the fake sends when told to fail

struct FakePhoneFile {
  std::vector<std::uint8_t> data;
  std::uint16_t attributes = 0;
  std::uint16_t owner = 0;
};

struct FakeAnswer {
  std::uint8_t type = kFakeSuccess;
  std::vector<std::uint8_t> payload;
  bool restart = false;      // the phone leaves the bus after this command
  bool cablePulled = false;  // the phone is gone before it can answer this command
};

class FakeP2KPhone {
 public:
  static constexpr std::size_t kNameField = 256;  // name bytes in each 0x108-byte list record
  static constexpr std::size_t kChunkLimit = 0x400;
  static constexpr std::size_t kMostListed = 3;  // records one list call may ask for

  // The answer to one command, or the rule the request broke.
  std::variant<FakeAnswer, std::string> answer(std::uint16_t command, const std::vector<std::uint8_t>& args);
  // A re-enumerated phone forgets its open file and its running search.
  void forgetSession();

  std::map<std::string, FakePhoneFile> files;
  std::string model = "E398";
  std::vector<std::string> volumes = {"/a", "/b"};
  std::size_t capacity = 4 << 20;  // bytes of volume "/a": the files' sizes and the free space
  int lostWrites = 0;              // the next writes report success but store nothing (failing flash)
  // Faults of phones in the field:
  bool refuseVolumes = false;  // the volume-list command is refused
  // The one free-space layout this phone answers, of the three tools send (1 to 3): the
  // word 0x0000, name, zero unit, zero-filled to 0x100 argument bytes; the word 0xFFFE,
  // name, zero unit; the word 0x0006, name alone. Any other layout is refused.
  int freeSpaceLayout = 1;
  // Name bytes in each list record: 256 (0x108-byte records); some phones list 36
  // (0x2C-byte records). Longer paths are neither opened nor listed whole.
  std::size_t nameField = kNameField;
  // The cable is pulled at the write that arrives once writeCalls has reached this count:
  // the writes before it are stored, it and the rest are not.
  std::optional<std::size_t> pullCableAfterWrites;
  // Files with attribute bit 0x01 are read-only: delete and write are refused.

  // What the backend did, for the tests to check.
  std::size_t readCalls = 0;
  std::size_t writeCalls = 0;
  std::size_t largestReadChunk = 0;
  std::size_t largestWriteChunk = 0;
  std::vector<std::uint16_t> commands;
  std::vector<std::uint32_t> fileSubcommands;

 private:
  std::variant<FakeAnswer, std::string> fileCommand(const std::vector<std::uint8_t>& args);
  std::variant<FakeAnswer, std::string> seemRead(const std::vector<std::uint8_t>& args);
  std::variant<FakeAnswer, std::string> listNext(std::size_t wanted);
  std::variant<FakeAnswer, std::string> startSearch(const std::uint8_t* a, std::size_t n);
  std::variant<FakeAnswer, std::string> open(const std::uint8_t* a, std::size_t n);
  std::variant<FakeAnswer, std::string> remove(const std::uint8_t* a, std::size_t n);
  std::variant<FakeAnswer, std::string> freeSpace(const std::uint8_t* a, std::size_t n);
  std::variant<FakeAnswer, std::string> write(const std::uint8_t* a, std::size_t n);
  std::size_t used() const;

  std::optional<std::string> openPath_;
  std::size_t position_ = 0;
  std::optional<std::vector<std::string>> search_;  // paths still to list
};

// Big-endian helpers of the fake's own.
void putBE16(std::vector<std::uint8_t>& out, std::uint16_t v);
void putBE32(std::vector<std::uint8_t>& out, std::uint32_t v);
std::uint16_t getBE16(const std::uint8_t* p);
std::uint32_t getBE32(const std::uint8_t* p);

}  // namespace quillet::usb::testing
