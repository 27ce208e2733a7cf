#pragma once
// Reading any one file of the phone by its path, through the same library calls and
// retry rules as the menu read: list the phone's files, find the path in the list (a
// path that is not listed is never opened, as File_Create would make it), open it with
// retries, read it in one call and close it. Used for the icon files a menu names; the
// menu itself goes through the phone link and its exchange file.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "p2k_library.h"
#include "result.h"

namespace quillet {

// A count beyond this cannot be a real phone's file list (each entry takes 512 bytes),
// so it is treated as a failed count instead of an allocation of gigabytes.
inline constexpr std::int32_t kMaxPhoneFileCount = 65535;

// How a step with retries waits, and whether the caller gave up (it then stops at its
// next call). An empty `pause` sleeps; an empty `cancelled` never gives up.
struct PhoneRetryHooks {
  std::function<void(int ms)> pause;
  std::function<bool()> cancelled;
};

// Calls `call` up to 10 times, pausing 300 ms after every -1 (also after the tenth),
// until `done` accepts the result or the caller gives up. Returns the last result;
// `calls` receives the number of calls made.
std::int32_t CallWithRetries(const std::function<std::int32_t()>& call,
                             const std::function<bool(std::int32_t)>& done, const PhoneRetryHooks& hooks,
                             int& calls);

// The first entry of `list` whose name is exactly `path`, or null.
const TP2KFileEntry* FindPhoneFile(const std::vector<TP2KFileEntry>& list, std::string_view path);

// The phone's file list (File_Count with retries, then File_List).
Result<std::vector<TP2KFileEntry>> ListPhoneFiles(P2KLibrary& library, const PhoneRetryHooks& hooks);

// The bytes of a file of that list. Files beyond 65,535 bytes do not fit one transfer
// and are refused before they are opened.
Result<std::vector<std::uint8_t>> ReadListedPhoneFile(P2KLibrary& library, const TP2KFileEntry& entry,
                                                      const PhoneRetryHooks& hooks);

// Reads the file at `path` of a list read before; a path the list lacks is not opened
// and fails with "Error opening file" and the reason that there is no such file.
Result<std::vector<std::uint8_t>> ReadPhoneFileIn(P2KLibrary& library, const std::vector<TP2KFileEntry>& list,
                                                  std::string_view path, const PhoneRetryHooks& hooks);

// Lists the phone's files and reads the one at `path`, as ReadPhoneFileIn.
Result<std::vector<std::uint8_t>> ReadPhoneFileAt(P2KLibrary& library, std::string_view path,
                                                  const PhoneRetryHooks& hooks);

}  // namespace quillet
