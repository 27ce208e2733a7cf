#include "phone_link.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

#include "file_io.h"
#include "phone_file_read.h"
#include "utf8.h"

namespace quillet {

namespace {

void runNow(std::function<void()> task) { task(); }

void sleepFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Error phoneError(std::string message, std::string detail, std::string path = kPhoneMenuPath) {
  Error error{ErrorCode::PhoneError, std::move(message), std::move(path), {}, {}};
  error.detail = std::move(detail);
  return error;
}

std::string tooLongMessage(const std::string& what, std::size_t bytes) {
  return what + " is " + std::to_string(bytes) + " bytes long; the phone link transfers at most " +
         std::to_string(PhoneLink::kMaxTransferBytes) + " bytes";
}

// A failure on the computer's side keeps its own words as the reason.
Error exchangeError(const char* message, const Error& cause) {
  return phoneError(message, cause.message, cause.path);
}

}  // namespace

// Connection notices may arrive on the library's own thread, and what the model read
// finds is queued for the user-interface thread; either may come after the link is
// gone. The relay outlives the link and drops them once the link has detached.
struct PhoneLink::NoticeRelay {
  std::mutex mutex;
  PhoneLink* link = nullptr;
  std::function<void(std::function<void()>)> postToUi;

  void post(const std::shared_ptr<NoticeRelay>& self, std::function<void(PhoneLink&)> task) {
    std::function<void(std::function<void()>)> postTask;
    {
      std::lock_guard lock(mutex);
      if (link == nullptr) return;
      postTask = postToUi;
    }
    postTask([self, task = std::move(task)] {
      PhoneLink* target = nullptr;
      {
        std::lock_guard lock(self->mutex);
        target = self->link;
      }
      if (target != nullptr) task(*target);
    });
  }
};

std::string PhoneModelName(const std::uint8_t* buffer, std::size_t size) {
  std::string model;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    if (buffer[i] == 0 && buffer[i + 1] == 0) break;
    model.push_back(static_cast<char>(buffer[i + 1]));
  }
  return Latin1ToUtf8(model);
}

PhoneLink::PhoneLink(P2KLibrary& library, PhoneLinkView& view, PhoneLinkHooks hooks)
    : library_(library),
      view_(view),
      hooks_(std::move(hooks)),
      exchange_(hooks_.exchangeParent),
      relay_(std::make_shared<NoticeRelay>()) {
  if (!hooks_.pause) hooks_.pause = sleepFor;
  if (!hooks_.postToUi) hooks_.postToUi = runNow;
  if (!hooks_.runPhoneWork) hooks_.runPhoneWork = runNow;
  relay_->link = this;
  relay_->postToUi = hooks_.postToUi;
}

PhoneLink::~PhoneLink() {
  std::lock_guard lock(relay_->mutex);
  relay_->link = nullptr;
}

std::int32_t PhoneLink::status() { return library_.P2K_GetStatus(); }

std::string PhoneLink::model() const {
  std::lock_guard lock(modelMutex_);
  return model_;
}

void PhoneLink::setModel(std::string model) {
  std::lock_guard lock(modelMutex_);
  model_ = std::move(model);
}

void PhoneLink::onUi(std::function<void(PhoneLink&)> task) { relay_->post(relay_, std::move(task)); }

std::string PhoneLink::exchangeFile() const { return exchange_.file(); }

std::int32_t PhoneLink::callWithRetries(const std::function<std::int32_t()>& call,
                                        const std::function<bool(std::int32_t)>& done, int& calls) {
  return CallWithRetries(call, done, {hooks_.pause, [this] { return cancelled(); }}, calls);
}

Error PhoneLink::libraryError(const char* message, const std::string& path) {
  return phoneError(message, library_.lastErrorDetail(), path);
}

Error PhoneLink::readError(const char* message, const std::string& path) {
  return cancelled() ? phoneError(kCancelledMessage, "", path) : libraryError(message, path);
}

Status PhoneLink::InitPhoneLink() {
  if (library_.P2K_GetStatus() != 0) return Ok();
  auto relay = relay_;
  const std::int32_t result = library_.P2K_Init([relay](std::int32_t state) {
    relay->post(relay, [state](PhoneLink& link) { link.PhoneStatusChanged(state); });
  });
  if (result == -1) {
    Error error = libraryError("Error initializing P2KAPI library");
    error.path.clear();  // no phone file is involved yet
    return error;
  }
  return Ok();
}

void PhoneLink::PhoneStatusChanged(std::int32_t state) {
  const unsigned notice = ++notices_;
  if (state == 0) {
    setModel({});
    view_.phoneConnectionChanged(false);
    return;
  }
  view_.phoneConnectionChanged(true);
  // The model read talks to the phone, pauses included: it runs with the other phone work.
  hooks_.runPhoneWork([this, notice] { readPhoneModel(notice); });
}

void PhoneLink::readPhoneModel(unsigned notice) {
  std::vector<std::uint8_t> buffer(kModelBufferSize, 0);
  int calls = 0;
  const std::int32_t result =
      callWithRetries([&] { return library_.Seem_Read(kModelSeem, 1, 0, 0, buffer.data(), buffer.size()); },
                      [](std::int32_t r) { return r != -1; }, calls);
  if (result == -1) {
    Error error = libraryError("Error getting phone model");
    error.path.clear();
    onUi([notice, error](PhoneLink& link) {
      if (link.notices_ == notice) link.view_.showPhoneError(error);
    });
    return;
  }
  onUi([notice, model = PhoneModelName(buffer.data(), buffer.size())](PhoneLink& link) {
    if (link.notices_ != notice) return;  // the phone went or came again since
    link.setModel(model);
    link.view_.phoneModelRead(model);
  });
}

const TP2KFileEntry* PhoneLink::findListed(const std::string& path) const {
  return FindPhoneFile(FileList, path);
}

Status PhoneLink::listFiles(const std::string& path) {
  FileList.clear();
  if (cancelled()) return phoneError(kCancelledMessage, "", path);

  view_.showStatusText("Getting file count");
  int calls = 0;
  FileCount =
      callWithRetries([&] { return library_.File_Count(); }, [](std::int32_t r) { return r != -1; }, calls);
  if (FileCount == -1) return readError("Error getting file count", path);
  if (FileCount < 0 || FileCount > kMaxPhoneFileCount)
    return phoneError("Error getting file count",
                      "the phone reported " + std::to_string(FileCount) + " files", path);

  FileList.resize(static_cast<std::size_t>(FileCount));
  view_.showStatusText("Getting file list");
  if (library_.File_List(FileList.data(), FileCount) == -1) return readError("Error getting file list", path);
  view_.showStatusText("Files found: " + std::to_string(FileCount));
  return Ok();
}

Result<std::vector<std::uint8_t>> PhoneLink::readListed(const TP2KFileEntry& entry, const std::string& path) {
  // Checked before opening: a longer file would not fit the one-call transfer.
  const std::uint32_t size = entry.size;
  if (size > kMaxTransferBytes) return phoneError(tooLongMessage("The phone file " + path, size), "", path);
  const std::uint32_t attributes = ListedAttributes(entry);

  if (cancelled()) return phoneError(kCancelledMessage, "", path);
  int calls = 0;
  const std::int32_t opened = callWithRetries([&] { return library_.File_Create(path.c_str(), attributes); },
                                              [](std::int32_t r) { return r == 0; }, calls);
  if (opened == -1) return readError("Error opening file", path);
  library_.File_SetPointer(0, 0);
  const std::int32_t read = library_.File_Read(
      TransferBuffer.data(), static_cast<std::int32_t>(kMaxTransferBytes), kRetryCalls - calls);
  if (read == -1) {
    // A read the user stopped leaves no file open behind it; a failed one stays as the
    // library left it.
    if (cancelled()) library_.File_Close();
    return readError("Error reading file", path);
  }
  library_.File_Close();
  // A short read leaves the rest of the buffer from an earlier transfer; those bytes
  // must never pass for the phone's.
  if (static_cast<std::uint32_t>(read) < size)
    return phoneError(
        "Error reading file",
        "the phone sent " + std::to_string(read) + " of the " + std::to_string(size) + " bytes it listed",
        path);
  return std::vector<std::uint8_t>(TransferBuffer.begin(), TransferBuffer.begin() + size);
}

Result<std::vector<std::uint8_t>> PhoneLink::ReadPhoneFile() {
  if (Status listed = listFiles(kPhoneMenuPath); !listed) return listed.error();
  // Without the menu file in the list there is nothing safe to open.
  const TP2KFileEntry* entry = findListed(kPhoneMenuPath);
  if (entry == nullptr)
    return phoneError("Error opening file", std::string("the phone has no file ") + kPhoneMenuPath);
  Result<std::vector<std::uint8_t>> bytes = readListed(*entry, kPhoneMenuPath);
  if (!bytes) return bytes;

  const Result<std::string> exchangeFile = exchange_.filePath();
  if (!exchangeFile) return exchangeError("Cannot write the exchange file", exchangeFile.error());
  if (Status written = WriteFileAtomically(exchangeFile.value(), bytes.value()); !written)
    return exchangeError("Cannot write the exchange file", written.error());
  return bytes;
}

Status PhoneLink::sendFile(const std::string& path, std::uint32_t attributes,
                           const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() > kMaxTransferBytes) return phoneError(tooLongMessage("The file", bytes.size()), "", path);
  std::copy(bytes.begin(), bytes.end(), TransferBuffer.begin());
  int calls = 0;
  const std::int32_t opened = callWithRetries([&] { return library_.File_Create(path.c_str(), attributes); },
                                              [](std::int32_t r) { return r == 0; }, calls);
  if (opened == -1) return libraryError("Error creating file", path);
  if (library_.File_Write(TransferBuffer.data(), static_cast<std::int32_t>(bytes.size())) == -1)
    return libraryError("Error writing file", path);
  // A backend may find only at the close that the phone did not keep every byte.
  if (library_.File_Close() == -1) return libraryError("Error writing file", path);
  return Ok();
}

Status PhoneLink::WritePhoneFile(const std::vector<std::uint8_t>& menu) {
  if (menu.size() > kMaxTransferBytes) return phoneError(tooLongMessage("The menu file", menu.size()), "");
  // Every write follows a read of the phone's menu (the backup), so the list is fresh.
  if (const TP2KFileEntry* entry = findListed(kPhoneMenuPath);
      entry && (entry->attrLow & kReadOnlyAttribute)) {
    Error error = phoneError("Error writing file", "");
    error.notes.push_back("The phone marks the file read-only.");
    return error;
  }
  // The exchange file keeps on the computer the menu last sent or received, for as long
  // as the link lives.
  const Result<std::string> exchangeFile = exchange_.filePath();
  if (!exchangeFile) return exchangeError("Cannot write the exchange file", exchangeFile.error());
  if (Status written = WriteFileAtomically(exchangeFile.value(), menu); !written)
    return exchangeError("Cannot write the exchange file", written.error());
  // No list is fetched first, and the menu is always written with attribute value 0.
  return sendFile(kPhoneMenuPath, 0, menu);
}

namespace {

// Paths the file commands must not change: those that run the phone, and spellings
// ("//", "/./", "/../") by which a path could reach them without naming them. The
// phone's file system ignores case, so the check does too.
Status checkChangeable(const std::string& path, const char* what) {
  const auto refused = [&](const std::string& why) {
    return phoneError(std::string("Cannot ") + what + " " + path, why, path);
  };
  if (path.size() < 2 || path[0] != '/' || path.back() == '/') return refused("it does not name a file");
  for (const char* part : {"//", "/./", "/../"})
    if (path.find(part) != std::string::npos) return refused("it does not name a file");
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.rfind(kPhoneSystemFolder, 0) == 0)
    return refused(std::string("the files in ") + kPhoneSystemFolder + " run the phone");
  return Ok();
}

}  // namespace

std::vector<PhoneFileInfo> FolderEntries(const std::vector<PhoneFileInfo>& list, std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  std::vector<PhoneFileInfo> entries;
  for (const PhoneFileInfo& file : list) {
    if (file.path.size() > folder.size() && file.path.compare(0, folder.size(), folder) == 0 &&
        file.path.find('/', folder.size()) == std::string::npos)
      entries.push_back(file);
  }
  return entries;
}

Result<std::vector<PhoneFileInfo>> PhoneLink::ListFiles() {
  if (Status listed = listFiles(""); !listed) return listed.error();
  std::vector<PhoneFileInfo> files;
  for (const TP2KFileEntry& entry : FileList)
    files.push_back({ListedPath(entry), entry.size, ListedAttributes(entry)});
  return files;
}

Result<std::vector<std::uint8_t>> PhoneLink::ReadFileAt(const std::string& path) {
  if (Status listed = listFiles(path); !listed) return listed.error();
  const TP2KFileEntry* entry = findListed(path);
  if (entry == nullptr) return phoneError("Error opening file", "the phone has no file " + path, path);
  return readListed(*entry, path);
}

Status PhoneLink::WriteFileAt(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (Status changeable = checkChangeable(path, "write"); !changeable) return changeable;
  if (bytes.size() > kMaxTransferBytes)
    return phoneError(tooLongMessage("The file for " + path, bytes.size()), "", path);
  // A listed file keeps its attribute; a new one gets 0, as the menu does.
  if (Status listed = listFiles(path); !listed) return listed;
  const TP2KFileEntry* entry = findListed(path);
  const std::uint32_t attributes = entry ? ListedAttributes(*entry) : 0;
  return sendFile(path, attributes, bytes);
}

Status PhoneLink::DeleteFileAt(const std::string& path) {
  if (Status changeable = checkChangeable(path, "delete"); !changeable) return changeable;
  if (Status listed = listFiles(path); !listed) return listed;
  if (findListed(path) == nullptr)
    return phoneError("Error deleting file", "the phone has no file " + path, path);
  int calls = 0;
  const std::int32_t deleted = callWithRetries([&] { return library_.File_Delete(path.c_str()); },
                                               [](std::int32_t r) { return r != -1; }, calls);
  if (deleted == -1) return libraryError("Error deleting file", path);
  return Ok();
}

void PhoneLink::RestartPhone() { library_.P2K_Restart(); }

}  // namespace quillet
