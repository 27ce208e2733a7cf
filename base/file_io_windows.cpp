// Reading and safe saving with Windows calls: wide paths, a complete temporary file
// beside the target, and ReplaceFileW (or MoveFileExW) to put it in place.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <random>

#include "bounded_read.h"
#include "file_io.h"
#include "file_io_errors.h"
#include "windows_text.h"

namespace quillet {

namespace {

using Bytes = std::vector<std::uint8_t>;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { close(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the close succeeded.
  bool close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

std::string LastReason() { return windows::Reason(::GetLastError()); }

const char kNotUtf8[] = "its name is not valid UTF-8";

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteAll(HANDLE handle, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) return false;
    if (written == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

// The target's folder, with the separator, or nothing for a name in the current folder.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// Short, whatever the target's name, and recognisably ours should one ever be left
// behind (Windows has no unnamed files to link into place).
std::wstring TemporaryName() {
  static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters / sizeof kLetters[0] - 2);
  std::wstring name = L".quillet-";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  return name;
}

// A device (NUL, a console, a pipe) takes the bytes as they are; replacing it would
// fail or destroy it.
Status WriteDirectly(const std::string& path, HANDLE handle, const Bytes& bytes) {
  if (!WriteAll(handle, bytes)) return fileio::WriteError(path, LastReason());
  return Ok();
}

}  // namespace

Result<Bytes> ReadWholeFile(const std::string& path, std::uint64_t limit) {
  const std::optional<std::wstring> wide = windows::Wide(path);
  if (!wide) return fileio::ReadError(path, kNotUtf8);
  if (IsFolder(*wide)) return fileio::ReadError(path, "it is a folder, not a file");
  Handle file(::CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return fileio::ReadError(path, LastReason());
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return fileio::ReadError(path, "it is not a regular file");
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return fileio::ReadError(path, LastReason());
  const auto bytesOnDisk = static_cast<std::uint64_t>(size.QuadPart);
  if (bytesOnDisk > limit) return fileio::ReadError(path, fileio::TooLargeReason(bytesOnDisk, limit));
  return fileio::ReadToEnd(path, bytesOnDisk, limit,
                           [&](std::uint8_t* at, std::size_t room) -> Result<std::size_t> {
                             DWORD read = 0;
                             const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
                             if (!::ReadFile(file.get(), at, chunk, &read, nullptr))
                               return fileio::ReadError(path, LastReason());
                             return static_cast<std::size_t>(read);
                           });
}

Status WriteFileAtomically(const std::string& path, const Bytes& bytes) {
  const std::optional<std::wstring> target = windows::Wide(path);
  if (!target) return fileio::WriteError(path, kNotUtf8);
  if (IsFolder(*target)) return fileio::WriteError(path, "it is a folder, not a file");
  {
    // Devices keep their nature: only a file on disk is replaced.
    Handle existing(::CreateFileW(target->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (existing.valid() && ::GetFileType(existing.get()) != FILE_TYPE_DISK) {
      return WriteDirectly(path, existing.get(), bytes);
    }
  }
  const bool exists = ::GetFileAttributesW(target->c_str()) != INVALID_FILE_ATTRIBUTES;

  std::wstring temporary;
  std::optional<Handle> staged;
  for (int attempt = 0; attempt < 100 && !staged; ++attempt) {
    temporary = FolderOf(*target) + TemporaryName();
    HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      staged.emplace(handle);
    } else if (::GetLastError() != ERROR_FILE_EXISTS) {
      break;
    }
  }
  if (!staged) return fileio::WriteError(path, "cannot create a temporary file beside it: " + LastReason());

  const bool written = WriteAll(staged->get(), bytes) && ::FlushFileBuffers(staged->get());
  const DWORD writeError = ::GetLastError();
  const bool closed = staged->close();
  if (!written || !closed) {
    ::DeleteFileW(temporary.c_str());
    return fileio::WriteError(path, windows::Reason(written ? ::GetLastError() : writeError));
  }
  // ReplaceFileW keeps the old file's attributes, security and streams; a plain
  // MoveFileExW is the fallback where it cannot (some file systems, network shares).
  const bool placed = (exists && ::ReplaceFileW(target->c_str(), temporary.c_str(), nullptr,
                                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) ||
                      ::MoveFileExW(temporary.c_str(), target->c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!placed) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return fileio::WriteError(path, windows::Reason(error));
  }
  return Ok();
}

}  // namespace quillet
