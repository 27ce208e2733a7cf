#pragma once
// The phone-access library over USB: the eleven calls of P2KLibrary carried by the P2K
// protocol to a phone on the bus. A watcher thread follows the bus (hotplug where the
// transport has it, polling otherwise), switches phones in modem mode to P2K mode,
// claims the phone's test-command interface and reports connect and disconnect.
//
// Every failing call returns -1 and writes one line to the log saying why. No call waits
// longer than one transfer timeout for any single answer of the phone, and after a
// timeout the calls of the next moments fail at once (see kUnresponsiveHoldMs).
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "p2k_constants.h"
#include "p2k_library.h"
#include "p2k_session.h"
#include "phone_finder.h"
#include "usb_transport.h"

namespace quillet::usb {

struct UsbP2KOptions {
  unsigned transferTimeoutMs = p2k::kTransferTimeoutMs;
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
  // Longest path the open command takes: the list entry's name field less its zero byte.
  static constexpr std::size_t kMaxPathLength = sizeof(TP2KFileEntry::name) - 1;

  explicit UsbP2KLibrary(std::unique_ptr<UsbTransport> transport, UsbP2KOptions options = {});
  ~UsbP2KLibrary() override;
  UsbP2KLibrary(const UsbP2KLibrary&) = delete;
  UsbP2KLibrary& operator=(const UsbP2KLibrary&) = delete;

  std::int32_t P2K_GetStatus() override;
  std::int32_t P2K_Init(PhoneStatusCallback notify) override;
  std::int32_t P2K_Restart() override;
  std::int32_t Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t offset,
                         std::int32_t bytes, std::uint8_t* buffer, std::size_t bufferSize) override;
  std::int32_t File_Count() override;
  std::int32_t File_List(TP2KFileEntry* entries, std::int32_t count) override;
  std::int32_t File_Create(const char* path, std::uint32_t attributes) override;
  std::int32_t File_SetPointer(std::int32_t offset, std::int32_t whence) override;
  std::int32_t File_Read(std::uint8_t* buffer, std::int32_t maxBytes,
                         std::int32_t attemptsLeft) override;
  std::int32_t File_Write(const std::uint8_t* buffer, std::int32_t bytes) override;
  std::int32_t File_Close() override;

 private:
  // The claimed phone. Calls and the watcher share it under mutex_.
  struct Connection {
    std::string location;
    std::unique_ptr<UsbDevice> device;
    std::unique_ptr<P2KSession> session;
    // Restart sent: not ready, waiting for the phone to leave the bus.
    std::optional<std::chrono::steady_clock::time_point> restartedAt;
    ~Connection();
  };
  // The file last opened by File_Create.
  struct OpenFile {
    std::string path;
    std::optional<std::uint32_t> size;      // from the last listing, when it named the file
    std::optional<std::uint32_t> position;  // known after an open or a seek from the start
    bool written = false;
  };

  // --- watcher (usb_p2k_watcher.cpp) ---
  void watch();
  void scan();
  void tryConnect(const UsbDeviceInfo& info);
  void connectP2K(const UsbDeviceInfo& info, std::unique_ptr<UsbDevice> device,
                  const PhoneKind& kind);
  void switchToP2K(const UsbDeviceInfo& info, UsbDevice& device, const PhoneKind& kind);
  // Logs `line` once for the device at `location` until it leaves the bus.
  void logOnce(const std::string& location, const std::string& line);

  // --- calls (usb_p2k_library.cpp) ---
  // The ready session, or null after logging why the call cannot run.
  P2KSession* readySession(const char* call);
  std::int32_t fail(const char* call, const std::string& why);
  std::int32_t failed(const char* call, const Error& error);
  void log(const std::string& line);

  std::unique_ptr<UsbTransport> transport_;
  UsbP2KOptions options_;
  PhoneStatusCallback notify_;
  std::atomic<bool> started_{false};
  std::atomic<bool> stopping_{false};
  std::thread watcher_;

  std::mutex mutex_;  // guards connection_, openFile_, knownSizes_, quietUntil_
  std::unique_ptr<Connection> connection_;
  std::chrono::steady_clock::time_point quietUntil_{};  // see kUnresponsiveHoldMs
  OpenFile openFile_;
  std::map<std::string, std::uint32_t> knownSizes_;  // path -> size, from File_List

  // Watcher-only state.
  std::uint16_t lastPacketId_ = 0;   // of the last connection, carried on
  std::set<std::string> settled_;    // devices dealt with: not a phone, p2k05, switched
  std::set<std::string> explained_;  // "location|line" already logged
  std::optional<std::chrono::steady_clock::time_point> switchDeadline_;
};

}  // namespace quillet::usb
