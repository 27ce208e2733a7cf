#pragma once
// The phone link (unit p2k): follows the phone's connection, copies the phone's menu
// file into the exchange file and back, and restarts the phone. It never sees the menu
// document: the window loads the exchange file after a read and fills it before a write.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "p2k_library.h"

namespace quillet {

// What the link changes in the main window. Every text is UTF-8.
class PhoneLinkView {
 public:
  virtual ~PhoneLinkView() = default;
  // Shape1: bright green while a phone is connected, red otherwise.
  virtual void setPhoneIndicator(bool connected) = 0;
  // Panel 1 of StatusBar1.
  virtual void setPhonePanelText(const std::string& text) = 0;
  // Open from phone and Restart Phone share one switch; Save to phone has its own.
  virtual void enablePhoneCommands(bool openAndRestart, bool saveToPhone) = 0;
  // True when the tree has at least one node.
  virtual bool hasDocument() const = 0;
  // The bottom status line StatusBar (progress texts).
  virtual void showStatusText(const std::string& text) = 0;
  // A modal box with an empty title, an OK button and the stop icon.
  virtual void showPhoneError(const std::string& message) = 0;
};

// How the link waits and how connection notices reach the user-interface thread.
struct PhoneLinkHooks {
  // Sleeps for the given milliseconds; tests record instead of sleeping.
  std::function<void(int ms)> pause;
  // Runs the task on the user-interface thread (the window queues it on its event
  // loop); by default the task runs at once on the calling thread.
  std::function<void(std::function<void()> task)> postToUi;
};

class PhoneLink {
 public:
  static constexpr const char* kPhoneMenuPath = "/a/mobile/system/mma_ucp";
  static constexpr std::size_t kTransferBufferSize = 65536;
  static constexpr std::uint32_t kMaxTransferBytes = 65535;
  static constexpr int kRetryCalls = 10;
  static constexpr int kRetryPauseMs = 300;
  static constexpr std::int32_t kModelSeem = 279;
  static constexpr std::size_t kModelBufferSize = 10000;

  // The window owns `StoredToPhone` and hands the link a reference to it, so the flag
  // keeps one home while the link sets and clears it. `library` and `view` must
  // outlive the link.
  PhoneLink(P2KLibrary& library, PhoneLinkView& view, std::string TempFilePath,
            std::uint8_t& StoredToPhone, PhoneLinkHooks hooks = {});
  ~PhoneLink();
  PhoneLink(const PhoneLink&) = delete;
  PhoneLink& operator=(const PhoneLink&) = delete;

  // Starts the library when it is not running and registers for connection notices.
  void InitPhoneLink();
  // A connection notice: 0 no phone, anything else a connected phone. Runs on the
  // user-interface thread.
  void PhoneStatusChanged(std::int32_t state);
  // Copies the phone's menu file into the exchange file. `path` receives TempFilePath
  // on success and stays empty on failure.
  void ReadPhoneFile(std::string& path);
  // Sends the exchange file to the phone; StoredToPhone is 1 only after a complete send.
  void WritePhoneFile();
  // Restarts the phone; StoredToPhone becomes 0.
  void RestartPhone();
  // The library's status: 1 while a phone is connected and ready.
  std::int32_t status();

  // Link state, kept under the names the design gives them.
  std::vector<TP2KFileEntry> FileList;
  std::int32_t FileCount = 0;
  std::array<std::uint8_t, kTransferBufferSize> TransferBuffer{};

 private:
  // Calls `call` up to kRetryCalls times, pausing after every -1, until `done` accepts
  // the result. Returns the last result; `calls` receives the number of calls made.
  std::int32_t callWithRetries(const std::function<std::int32_t()>& call,
                               const std::function<bool(std::int32_t)>& done, int& calls);
  void readPhoneModel();
  const TP2KFileEntry* findMenuEntry() const;

  struct NoticeRelay;

  P2KLibrary& library_;
  PhoneLinkView& view_;
  std::string TempFilePath;
  std::uint8_t& StoredToPhone;
  PhoneLinkHooks hooks_;
  std::shared_ptr<NoticeRelay> relay_;
};

// "Phone: " + the low byte of each UTF-16BE pair up to the first 0x0000 pair (or the
// buffer's end) + " ". Each low byte is a Latin-1 character, returned as UTF-8.
std::string PhonePanelText(const std::uint8_t* buffer, std::size_t size);

}  // namespace quillet
