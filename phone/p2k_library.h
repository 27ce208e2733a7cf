#pragma once
// The phone-access library: the eleven calls the phone link makes, and File_Delete for
// the phone's file commands, as one interface.
// Backends: the emulated phone (a folder on disk) and the USB phone. Every call
// returns -1 on failure, as the link's retry rules expect, and leaves the reason in
// lastErrorDetail() for the link to hand on with its own message.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

namespace quillet {

// One entry of the phone's file list, in the library's 512-byte layout.
struct TP2KFileEntry {
  std::uint32_t size = 0;      // file length in bytes, host order
  std::uint16_t attrHigh = 0;  // high half of the attribute value for File_Create
  std::uint16_t attrLow = 0;   // low half
  char name[504] = {};         // full path on the phone, zero-terminated
};
static_assert(sizeof(TP2KFileEntry) == 512, "TP2KFileEntry must keep the library's layout");
static_assert(offsetof(TP2KFileEntry, name) == 8);

// An entry's path: the bytes before the first zero byte of its name, at most the whole field.
inline std::string ListedPath(const TP2KFileEntry& entry) {
  const void* end = std::memchr(entry.name, 0, sizeof entry.name);
  return std::string(entry.name, end ? static_cast<const char*>(end) - entry.name : sizeof entry.name);
}
// An entry's attribute value, as File_Create takes it.
inline std::uint32_t ListedAttributes(const TP2KFileEntry& entry) {
  return static_cast<std::uint32_t>(entry.attrHigh) * 65536u + entry.attrLow;
}

// The attribute bit the phone sets on files that may be neither overwritten nor deleted.
inline constexpr std::uint32_t kReadOnlyAttribute = 0x01;

// Called with 0 when the phone is gone and non-zero when a phone is connected.
using PhoneStatusCallback = std::function<void(std::int32_t state)>;

// Told, piece by piece, how far the running File_Read or File_Write has come: bytes
// moved so far and bytes it moves in all. Returning false stops a read before its next
// piece (the read then fails); a write is never cut short, whatever it returns.
using TransferProgress = std::function<bool(std::size_t done, std::size_t total)>;

class P2KLibrary {
 public:
  virtual ~P2KLibrary() = default;

  // 0 before P2K_Init; 1 while a phone is connected and ready; other values otherwise.
  virtual std::int32_t P2K_GetStatus() = 0;
  // Starts the library; it then calls `notify` on every connect and disconnect.
  // The thread of the call is the backend's; the link moves it to the UI thread.
  virtual std::int32_t P2K_Init(PhoneStatusCallback notify) = 0;
  virtual std::int32_t P2K_Restart() = 0;
  // Reads a seem (settings record); seem 279 record 1 holds the model name in UTF-16BE.
  virtual std::int32_t Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t offset,
                                 std::int32_t bytes, std::uint8_t* buffer, std::size_t bufferSize) = 0;
  virtual std::int32_t File_Count() = 0;
  virtual std::int32_t File_List(TP2KFileEntry* entries, std::int32_t count) = 0;
  // Opens (creating when needed) the zero-terminated path; 0 on success.
  virtual std::int32_t File_Create(const char* path, std::uint32_t attributes) = 0;
  virtual std::int32_t File_SetPointer(std::int32_t offset, std::int32_t whence) = 0;
  // Reads the open file from its pointer into buffer (at most maxBytes); -1 on failure,
  // otherwise the number of bytes read.
  virtual std::int32_t File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t attemptsLeft) = 0;
  virtual std::int32_t File_Write(const std::uint8_t* buffer, std::int32_t bytes) = 0;
  virtual std::int32_t File_Close() = 0;
  // Removes the zero-terminated path, which must not be the open file; 0 on success.
  virtual std::int32_t File_Delete(const char* path) = 0;

  // Why the last failing call failed, in words for a person; empty when the library
  // cannot tell. Safe to call from any thread.
  virtual std::string lastErrorDetail() { return {}; }

  // Whom File_Read and File_Write tell how far they are. Set before the first transfer;
  // it is called on the thread of the transfer.
  void setTransferProgress(TransferProgress progress) { progress_ = std::move(progress); }

 protected:
  // Reports a transfer's progress; false when a read should stop here.
  bool reportTransfer(std::size_t done, std::size_t total) const {
    return !progress_ || progress_(done, total);
  }

 private:
  TransferProgress progress_;
};

}  // namespace quillet
