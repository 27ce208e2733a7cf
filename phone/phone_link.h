#pragma once
// The phone link (unit p2k): follows the phone's connection, reads the phone's menu file
// and writes it back through the exchange file, and restarts the phone. It never sees
// the menu document: reading returns the file's bytes, writing takes them, and every
// failure comes back as an error value that keeps the phone library's reason.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "exchange_folder.h"
#include "p2k_library.h"
#include "phone_menu_guard.h"
#include "result.h"

namespace quillet {

// The phone's menu file, the one file the link reads and writes through the exchange file.
inline constexpr char kPhoneMenuPath[] = "/a/mobile/system/mma_ucp";
// The folder of the files that run the phone: the file commands write and delete
// nothing in it (the menu goes through WritePhoneFile and its guard alone).
inline constexpr char kPhoneSystemFolder[] = "/a/mobile/system/";

// One file as the phone lists it.
struct PhoneFileInfo {
  std::string path;
  std::uint32_t size = 0;
  std::uint32_t attributes = 0;  // attrHigh * 65,536 + attrLow, as File_Create takes it
};

// The files of `list` that lie in `folder` itself ("/a/mobile/picture" or with its
// final '/'), not in its subfolders: the phone's listing reaches into every folder.
std::vector<PhoneFileInfo> FolderEntries(const std::vector<PhoneFileInfo>& list, std::string folder);

// What the link reports about the phone. Its owner decides what to show and enable
// (the window, mmatool, a test). Every text is UTF-8.
class PhoneLinkView {
 public:
  virtual ~PhoneLinkView() = default;
  // A phone came (true) or went (false). Runs on the user-interface thread.
  virtual void phoneConnectionChanged(bool connected) = 0;
  // The model of the phone that came, once read. Runs on the user-interface thread;
  // not called when the read failed (that is an error) or the phone went or came again
  // meanwhile. The phone is then known, and its write journal can be looked at.
  virtual void phoneModelRead(const std::string& model) = 0;
  // The progress texts of a read. Called on the thread that reads the phone's menu.
  virtual void showStatusText(const std::string& text) = 0;
  // A failure while following a connection notice, which has no caller to return to.
  virtual void showPhoneError(const Error& error) = 0;
};

// How the link waits, where its work and its notices to the view run, and where the
// exchange file lives. Every hook left empty does the plain thing on the calling thread.
struct PhoneLinkHooks {
  // Sleeps for the given milliseconds; tests record instead of sleeping. A pause may
  // end early once `cancelled` says so.
  std::function<void(int ms)> pause;
  // Runs the task on the user-interface thread (the window queues it on its event
  // loop): connection notices and what the model read finds go through here. By
  // default the task runs at once on the calling thread.
  std::function<void(std::function<void()> task)> postToUi;
  // The folder in which the exchange folder is made; empty: the runtime or temporary folder.
  std::string exchangeParent;
  // Runs phone work that a connection notice starts (reading the model) where the
  // owner runs its other phone work, one piece at a time; by default at once.
  std::function<void(std::function<void()> task)> runPhoneWork;
  // Whether the user gave up the running read; the read then stops at its next step,
  // pause or piece. Writes never ask.
  std::function<bool()> cancelled;
};

class PhoneLink : public PhoneMenuFile {
 public:
  static constexpr std::size_t kTransferBufferSize = 65536;
  static constexpr std::uint32_t kMaxTransferBytes = 65535;
  static constexpr int kRetryCalls = 10;
  static constexpr int kRetryPauseMs = 300;
  static constexpr std::int32_t kModelSeem = 279;
  static constexpr std::size_t kModelBufferSize = 10000;
  static constexpr const char* kCancelledMessage = "Reading from the phone was cancelled";

  // `library` and `view` must outlive the link.
  PhoneLink(P2KLibrary& library, PhoneLinkView& view, PhoneLinkHooks hooks = {});
  ~PhoneLink() override;
  PhoneLink(const PhoneLink&) = delete;
  PhoneLink& operator=(const PhoneLink&) = delete;

  // Starts the library when it is not running and registers for connection notices.
  Status InitPhoneLink();
  // A connection notice: 0 no phone, anything else a connected phone. Runs on the
  // user-interface thread.
  void PhoneStatusChanged(std::int32_t state);
  // Copies the phone's menu file into the exchange file and returns its bytes. A read
  // the user cancelled ends with kCancelledMessage.
  Result<std::vector<std::uint8_t>> ReadPhoneFile();
  // Puts `bytes` into the exchange file and sends that to the phone; succeeds only
  // after a complete send. A menu file that the last listing shows read-only is refused
  // before anything is sent.
  Status WritePhoneFile(const std::vector<std::uint8_t>& bytes);
  // Restarts the phone.
  void RestartPhone();

  // The phone's file commands (phone_link_files.cpp), with the menu's calls, retry rules
  // and checks. Every file the phone lists, in every folder.
  Result<std::vector<PhoneFileInfo>> ListFiles();
  // The bytes of the file at `path`; a path the phone does not list is "Error opening
  // file" with the reason that there is no such file.
  Result<std::vector<std::uint8_t>> ReadFileAt(const std::string& path);
  // Makes `bytes` the whole file at `path`, which is created when missing and keeps
  // its attribute when listed. Refused under kPhoneSystemFolder and beyond 65,535 bytes.
  Status WriteFileAt(const std::string& path, const std::vector<std::uint8_t>& bytes);
  // Removes the listed file at `path`; refused under kPhoneSystemFolder.
  Status DeleteFileAt(const std::string& path);
  // The connected phone's model as it last read, or empty. Safe on any thread.
  std::string model() const;
  // PhoneMenuFile: the same read and write, for the guard that backs up and verifies.
  Result<std::vector<std::uint8_t>> readMenu() override { return ReadPhoneFile(); }
  Status writeMenu(const std::vector<std::uint8_t>& bytes) override { return WritePhoneFile(bytes); }
  bool ready() override { return status() == 1; }
  // The library's status: 1 while a phone is connected and ready.
  std::int32_t status();
  // Where the exchange file is, or empty before the first transfer made its folder.
  std::string exchangeFile() const;
  // Removes the exchange file and its private folder (the window closes); a later
  // transfer makes a new one.
  void removeExchangeFile() { exchange_.remove(); }

  // Link state, kept under the names the design gives them.
  std::vector<TP2KFileEntry> FileList;
  std::int32_t FileCount = 0;
  std::array<std::uint8_t, kTransferBufferSize> TransferBuffer{};

 private:
  // Calls `call` up to kRetryCalls times, pausing after every -1, until `done` accepts
  // the result. Returns the last result; `calls` receives the number of calls made.
  std::int32_t callWithRetries(const std::function<std::int32_t()>& call,
                               const std::function<bool(std::int32_t)>& done, int& calls);
  // The error a failed library call ends a command with: the design's message, the
  // library's reason and the phone file.
  Error libraryError(const char* message, const std::string& path = kPhoneMenuPath);
  // libraryError, or the cancellation when the user gave the read up.
  Error readError(const char* message, const std::string& path = kPhoneMenuPath);
  // Fills FileCount and FileList (File_Count with retries, File_List) with the progress
  // texts; errors name `path`, the file the command is about.
  Status listFiles(const std::string& path);
  // The bytes of the listed file `entry`, at `path`: opened with retries, read in one
  // call, closed; a file too long for the transfer is refused before it is opened.
  Result<std::vector<std::uint8_t>> readListed(const TP2KFileEntry& entry, const std::string& path);
  // Opens `path` with retries and writes `bytes` whole in one call; the close counts.
  Status sendFile(const std::string& path, std::uint32_t attributes, const std::vector<std::uint8_t>& bytes);
  // The entry of FileList named exactly `path`, or null.
  const TP2KFileEntry* findListed(const std::string& path) const;
  bool cancelled() const { return hooks_.cancelled && hooks_.cancelled(); }
  // Reads the model for the connection notice numbered `notice`; what it finds reaches
  // the view only while no later notice came.
  void readPhoneModel(unsigned notice);
  void setModel(std::string model);
  // Runs `task` with the link on the user-interface thread, unless the link is gone by then.
  void onUi(std::function<void(PhoneLink&)> task);

  struct NoticeRelay;

  P2KLibrary& library_;
  PhoneLinkView& view_;
  PhoneLinkHooks hooks_;
  ExchangeFolder exchange_;
  mutable std::mutex modelMutex_;  // model_ is read by phone work and set by notices
  std::string model_;
  unsigned notices_ = 0;  // connection notices so far; touched on the user-interface thread only
  std::shared_ptr<NoticeRelay> relay_;
};

// The model name: the low byte of each UTF-16BE pair up to the first 0x0000 pair (or the
// buffer's end). Each low byte is a Latin-1 character, returned as UTF-8.
std::string PhoneModelName(const std::uint8_t* buffer, std::size_t size);

}  // namespace quillet
