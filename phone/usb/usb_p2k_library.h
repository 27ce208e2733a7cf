#pragma once
// The phone-access library over USB: the eleven calls of P2KLibrary carried by the P2K
// protocol to a phone on the bus. A watcher thread follows the bus (hotplug where the
// transport has it, polling otherwise), switches phones in modem mode to P2K mode,
// claims the phone's test-command interface and reports connect and disconnect. The
// commands travel by control transfers or, on p2k05 phones, by the interface's bulk
// endpoints, as its descriptor says (see phone_finder.h).
//
// Writing a file replaces it whole: the phone's file commands cannot shorten a file, so
// the first write deletes the file and opens it anew with its listed attribute, and the
// close lists the file again to check that its size is the number of bytes written. A
// file the phone marks read-only is refused before anything is deleted. The free-space
// request is tried in each of its layouts until the phone answers one, which is logged
// and used for the rest of the connection; paths are held to the name field of the list
// records the phone sends.
//
// Every failing call returns -1, keeps why for lastErrorDetail() and writes it as one
// line to the log. Each transfer
// has its timeout and each reply its window (see p2k_constants.h); after a timeout the
// calls of the next moments fail at once (see kUnresponsiveHoldMs).
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "p2k_commands.h"
#include "p2k_constants.h"
#include "p2k_library.h"
#include "p2k_session.h"
#include "phone_finder.h"
#include "usb_transport.h"

namespace quillet::usb {

struct UsbP2KOptions {
  unsigned transferTimeoutMs = p2k::kTransferTimeoutMs;
  unsigned replyWindowMs = p2k::kReplyWindowMs;
  unsigned rescanIntervalMs = p2k::kRescanIntervalMs;
  unsigned reenumerationWaitMs = p2k::kReenumerationWaitMs;
  unsigned unresponsiveHoldMs = p2k::kUnresponsiveHoldMs;
  UsbLog log;  // empty: lines go to stderr
};

class UsbP2KLibrary : public P2KLibrary {
 public:
  static constexpr std::int32_t kStatusStopped = 0;
  static constexpr std::int32_t kStatusReady = 1;
  static constexpr std::int32_t kStatusNoPhone = 2;
  // Until the phone lists its records, paths are held to this many bytes.
  static constexpr std::size_t kDefaultMaxPathLength = p2k::kDefaultMaxPathLength;

  explicit UsbP2KLibrary(std::unique_ptr<UsbTransport> transport, UsbP2KOptions options = {});
  ~UsbP2KLibrary() override;
  UsbP2KLibrary(const UsbP2KLibrary&) = delete;
  UsbP2KLibrary& operator=(const UsbP2KLibrary&) = delete;

  std::int32_t P2K_GetStatus() override;
  std::int32_t P2K_Init(PhoneStatusCallback notify) override;
  std::int32_t P2K_Restart() override;
  std::int32_t Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t offset, std::int32_t bytes,
                         std::uint8_t* buffer, std::size_t bufferSize) override;
  std::int32_t File_Count() override;
  std::int32_t File_List(TP2KFileEntry* entries, std::int32_t count) override;
  std::int32_t File_Create(const char* path, std::uint32_t attributes) override;
  std::int32_t File_SetPointer(std::int32_t offset, std::int32_t whence) override;
  std::int32_t File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t attemptsLeft) override;
  std::int32_t File_Write(const std::uint8_t* buffer, std::int32_t bytes) override;
  std::int32_t File_Close() override;
  std::int32_t File_Delete(const char* path) override;
  std::string lastErrorDetail() override;

 private:
  // The claimed phone. Calls and the watcher share it under mutex_.
  struct Connection {
    std::string location;
    std::unique_ptr<UsbDevice> device;
    std::unique_ptr<P2KSession> session;
    // Restart sent: not ready, waiting for the phone to leave the bus.
    std::optional<std::chrono::steady_clock::time_point> restartedAt;
    // The free-space layout this phone answered, once one was tried.
    std::optional<std::size_t> freeSpaceLayout;
    // The longest path this phone's list records hold.
    std::size_t maxPath = p2k::kDefaultMaxPathLength;
    ~Connection();
  };
  // What the last listing said about a file.
  struct ListedFile {
    std::uint16_t attribute = 0;
    std::uint32_t size = 0;
  };
  // The file last opened by File_Create.
  struct OpenFile {
    bool open = false;
    std::string path;
    std::uint16_t attribute = 0;        // sent with every open of this file
    std::optional<std::uint32_t> size;  // from the listing, when it named the file
    std::uint32_t position = 0;
    bool replacing = false;             // a write began: the file was made anew
    std::vector<std::uint8_t> written;  // every byte written since, for the size check
  };

  // --- watcher (usb_p2k_watcher.cpp) ---
  void watch();
  void scan();
  void tryConnect(const UsbDeviceInfo& info);
  void connectP2K(const UsbDeviceInfo& info, std::unique_ptr<UsbDevice> device, const PhoneKind& kind);
  void switchToP2K(const UsbDeviceInfo& info, UsbDevice& device, const PhoneKind& kind);
  // Logs `line` once for the device at `location` until it leaves the bus.
  void logOnce(const std::string& location, const std::string& line);

  // --- calls (usb_p2k_library.cpp) ---
  // The ready session, or null after logging why the call cannot run.
  P2KSession* readySession(const char* call);
  std::int32_t fail(const char* call, const std::string& why);
  // The call's path when it is absolute and fits the phone's name field; otherwise
  // nothing, after failing the call.
  std::optional<std::string> checkedPath(const char* call, const char* path);
  std::int32_t failed(const char* call, const Error& error);
  void log(const std::string& line);

  // --- file work (usb_p2k_files.cpp) ---
  // The next `found` records of the running search (fewer if the phone ends early); each
  // is remembered in listed_, and their name field sets the connection's path limit.
  Result<std::vector<PhoneFileRecord>> collect(P2KSession& session, std::size_t found);
  // Lists every file, at most `wanted` of them into the result; listed_ then holds all.
  Result<std::vector<PhoneFileRecord>> listFiles(P2KSession& session, std::size_t wanted);
  // Searches for the one file at `path` only, so listed_ tells whether and how it exists.
  Status lookUp(P2KSession& session, const std::string& path);
  // Free bytes on `volume`, in the layout the phone answered before, else each in turn.
  Result<std::uint32_t> freeBytes(P2KSession& session, const std::string& volume);
  // Makes the open file anew before its first write: refuses a read-only file, checks
  // the free space for `bytes`, closes it, deletes it and opens it again with its
  // attribute.
  Status beginReplacing(P2KSession& session, std::uint32_t bytes);
  Status writeChunks(P2KSession& session, const std::uint8_t* data, std::size_t bytes);
  // Lists the closed file again; an error unless its size is the number of bytes written.
  Status checkWrittenSize(P2KSession& session, const OpenFile& file);
  // Deletes, opens, writes and closes the file once more with the bytes of `file`.
  Status writeAgain(P2KSession& session, const OpenFile& file);

  std::unique_ptr<UsbTransport> transport_;
  UsbP2KOptions options_;
  PhoneStatusCallback notify_;
  std::atomic<bool> started_{false};
  std::atomic<bool> stopping_{false};
  std::thread watcher_;

  std::mutex detailMutex_;  // guards lastError_ alone: failures are kept also outside mutex_
  std::string lastError_;
  std::mutex mutex_;  // guards connection_, openFile_, listed_, quietUntil_
  std::unique_ptr<Connection> connection_;
  std::chrono::steady_clock::time_point quietUntil_{};  // see kUnresponsiveHoldMs
  OpenFile openFile_;
  std::map<std::string, ListedFile> listed_;  // by path, from the last listing

  // Watcher-only state.
  std::uint16_t lastPacketId_ = 0;   // of the last connection, carried on
  std::set<std::string> settled_;    // devices dealt with: not a phone, unknown layout, switched
  std::set<std::string> explained_;  // "location|line" already logged
  std::optional<std::chrono::steady_clock::time_point> switchDeadline_;
};

}  // namespace quillet::usb
