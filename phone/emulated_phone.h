#pragma once
// The emulated phone: a phone-access library whose file system is a folder on disk.
// The phone file "/a/mobile/system/mma_ucp" lives at <folder>/a/mobile/system/mma_ucp.
// It serves demonstrations and end-to-end tests; every call runs on the caller's thread.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "p2k_library.h"

namespace quillet {

class EmulatedPhone : public P2KLibrary {
 public:
  static constexpr const char* kDefaultModel = "Emulated P2K";

  explicit EmulatedPhone(std::filesystem::path folder, std::string model = kDefaultModel);

  // Plugs the phone in or pulls the cable; the library, once started, sends a notice.
  // The phone starts plugged in, so it connects right after P2K_Init.
  void setConnected(bool connected);
  bool connected() const { return connected_; }
  // The attribute value a listed file reports (0 unless set here or by File_Create).
  void setAttributes(const std::string& phonePath, std::uint32_t value);
  // File_Read and File_Write move the file in pieces of 0x400 bytes, as a phone on a
  // cable does, and report each piece (beforePiece runs before each).
  static constexpr std::size_t kPieceBytes = 0x400;
  // Pulls the cable during the next File_Write once `pieces` pieces of it have reached
  // the file: the file keeps just those (none: it is left empty) and the phone is gone.
  void pullCableAfterPieces(std::size_t pieces) { pullAfterPieces_ = pieces; }

  std::int32_t P2K_GetStatus() override;
  // Fails when the folder does not exist.
  std::int32_t P2K_Init(PhoneStatusCallback notify) override;
  // A restart is a disconnect notice followed by a reconnect notice.
  std::int32_t P2K_Restart() override;
  // Seem 279 record 1: the model name in UTF-16BE, ended by a 0x0000 pair.
  std::int32_t Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t offset, std::int32_t bytes,
                         std::uint8_t* buffer, std::size_t bufferSize) override;
  std::int32_t File_Count() override;
  // Fills at most `count` entries in path order; returns the number filled.
  std::int32_t File_List(TP2KFileEntry* entries, std::int32_t count) override;
  // Opens an existing file or creates an empty one in an existing folder.
  std::int32_t File_Create(const char* path, std::uint32_t attributes) override;
  // whence: 0 from the start, 1 from the pointer, 2 from the end.
  std::int32_t File_SetPointer(std::int32_t offset, std::int32_t whence) override;
  // The attempts count is accepted and not needed: the emulated file is always ready.
  std::int32_t File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t attemptsLeft) override;
  // Writes at the pointer and ends the file after the written bytes, so a shorter file
  // written over a longer one leaves no old tail. Each write reaches the disk whole. A
  // file whose attribute has kReadOnlyAttribute is refused and left as it is.
  std::int32_t File_Write(const std::uint8_t* buffer, std::int32_t bytes) override;
  std::int32_t File_Close() override;
  // Removes a file (never a folder) that is not open.
  std::int32_t File_Delete(const char* path) override;
  std::string lastErrorDetail() override { return lastError_; }

 protected:
  // Runs on the calling thread before each piece of a transfer; nothing here, so the
  // pieces move at once. A test double makes each take a cable's time.
  virtual void beforePiece() {}

 private:
  bool ready() const { return started_ && connected_; }
  // Keeps `why` for lastErrorDetail and returns the failure result.
  std::int32_t fail(std::string why);
  // The failure of a call made while the phone is not ready.
  std::int32_t notReady();
  // The host path of a phone path, or nothing when the path could leave the folder.
  std::optional<std::filesystem::path> hostPath(const std::string& phonePath) const;
  // The host path of a call's zero-terminated path; nothing (and the reason kept) when
  // there is none.
  std::optional<std::filesystem::path> hostPathOf(const char* path);
  // The phone's files and their sizes; nothing (and the reason kept) when the folder
  // cannot be listed.
  std::optional<std::map<std::string, std::uintmax_t>> listFiles();
  void notify(std::int32_t state);
  // Moves `total` bytes piece by piece; false when the progress stopped a read early.
  bool movePieces(std::size_t total, bool stoppable);

  std::filesystem::path folder_;
  std::string model_;
  PhoneStatusCallback notify_;
  // The window asks for the status on its own thread while phone work runs on another.
  std::atomic<bool> started_{false};
  std::atomic<bool> connected_{true};
  std::map<std::string, std::uint32_t> attributes_;
  std::optional<std::filesystem::path> openFile_;
  std::string openPhonePath_;
  std::optional<std::size_t> pullAfterPieces_;
  std::uintmax_t pointer_ = 0;
  std::string lastError_;
};

}  // namespace quillet
