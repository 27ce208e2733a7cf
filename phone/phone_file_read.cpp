#include "phone_file_read.h"

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "phone_link.h"

namespace quillet {

namespace {

Error fileError(std::string message, std::string_view path, std::string detail) {
  Error error{ErrorCode::PhoneError, std::move(message), std::string(path), {}, {}};
  error.detail = std::move(detail);
  return error;
}

}  // namespace

std::int32_t CallWithRetries(const std::function<std::int32_t()>& call,
                             const std::function<bool(std::int32_t)>& done, const PhoneRetryHooks& hooks,
                             int& calls) {
  std::int32_t result = -1;
  for (calls = 0; calls < PhoneLink::kRetryCalls;) {
    result = call();
    ++calls;
    if (done(result)) break;
    if (result == -1) {
      if (hooks.pause)
        hooks.pause(PhoneLink::kRetryPauseMs);
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(PhoneLink::kRetryPauseMs));
    }
    if (hooks.cancelled && hooks.cancelled()) break;
  }
  return result;
}

const TP2KFileEntry* FindPhoneFile(const std::vector<TP2KFileEntry>& list, std::string_view path) {
  for (const TP2KFileEntry& entry : list) {
    if (ListedPath(entry) == path) return &entry;
  }
  return nullptr;
}

Result<std::vector<TP2KFileEntry>> ListPhoneFiles(P2KLibrary& library, const PhoneRetryHooks& hooks) {
  int calls = 0;
  const std::int32_t count = CallWithRetries([&] { return library.File_Count(); },
                                             [](std::int32_t r) { return r != -1; }, hooks, calls);
  if (count == -1) return fileError("Error getting file count", "", library.lastErrorDetail());
  if (count < 0 || count > kMaxPhoneFileCount)
    return fileError("Error getting file count", "",
                     "the phone reported " + std::to_string(count) + " files");
  std::vector<TP2KFileEntry> list(static_cast<std::size_t>(count));
  if (library.File_List(list.data(), count) == -1)
    return fileError("Error getting file list", "", library.lastErrorDetail());
  return list;
}

Result<std::vector<std::uint8_t>> ReadListedPhoneFile(P2KLibrary& library, const TP2KFileEntry& entry,
                                                      const PhoneRetryHooks& hooks) {
  const std::string path = ListedPath(entry);
  const std::uint32_t size = entry.size;
  if (size > PhoneLink::kMaxTransferBytes)
    return fileError("Error reading file", path,
                     "the file is " + std::to_string(size) +
                         " bytes long; the phone link transfers at most " +
                         std::to_string(PhoneLink::kMaxTransferBytes) + " bytes");
  const std::uint32_t attributes = ListedAttributes(entry);
  int calls = 0;
  const std::int32_t opened = CallWithRetries([&] { return library.File_Create(path.c_str(), attributes); },
                                              [](std::int32_t r) { return r == 0; }, hooks, calls);
  if (opened == -1) return fileError("Error opening file", path, library.lastErrorDetail());
  library.File_SetPointer(0, 0);
  std::vector<std::uint8_t> buffer(PhoneLink::kMaxTransferBytes);
  const std::int32_t read = library.File_Read(buffer.data(), static_cast<std::int32_t>(buffer.size()),
                                              PhoneLink::kRetryCalls - calls);
  if (read == -1) {
    Error error = fileError("Error reading file", path, library.lastErrorDetail());
    // Unlike the menu read, which leaves a failed file as the library left it, nothing
    // waits on a failed icon: the file is closed so the next read can open its own.
    library.File_Close();
    return error;
  }
  library.File_Close();
  if (static_cast<std::uint32_t>(read) < size)
    return fileError(
        "Error reading file", path,
        "the phone sent " + std::to_string(read) + " of the " + std::to_string(size) + " bytes it listed");
  buffer.resize(size);
  return buffer;
}

Result<std::vector<std::uint8_t>> ReadPhoneFileAt(P2KLibrary& library, std::string_view path,
                                                  const PhoneRetryHooks& hooks) {
  Result<std::vector<TP2KFileEntry>> list = ListPhoneFiles(library, hooks);
  if (!list) {
    Error error = list.error();
    error.path = std::string(path);
    return error;
  }
  return ReadPhoneFileIn(library, list.value(), path, hooks);
}

Result<std::vector<std::uint8_t>> ReadPhoneFileIn(P2KLibrary& library, const std::vector<TP2KFileEntry>& list,
                                                  std::string_view path, const PhoneRetryHooks& hooks) {
  const TP2KFileEntry* entry = FindPhoneFile(list, path);
  if (entry == nullptr)
    return fileError("Error opening file", path, "the phone has no file " + std::string(path));
  return ReadListedPhoneFile(library, *entry, hooks);
}

}  // namespace quillet
