#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillet {

namespace {

Error FileError(ErrorCode code, const std::string& path, const std::string& what) {
  return Error{code, what + " \"" + path + "\": " + std::strerror(errno) + ".", path, {}, {}};
}

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The replacement keeps the permissions of the file it replaces; a new file gets the
// permissions the process would give any file it creates.
mode_t TargetMode(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;  // not every file system lets a directory be opened; the rename stands
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    errno = EISDIR;
    return FileError(ErrorCode::FileNotReadable, path, "Cannot read");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileError(ErrorCode::FileNotReadable, path, "Cannot open");
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return FileError(ErrorCode::FileNotReadable, path, "Cannot read");
  return bytes;
}

Status WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path target(path);
  const std::filesystem::path directory =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  // Hidden and unique, in the target's own directory so that the rename cannot cross
  // file systems.
  std::string tempName = target.filename().string();
  tempName.insert(0, 1, '.');
  tempName.append(".XXXXXX");
  std::string temp = (directory / tempName).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return FileError(ErrorCode::FileNotWritable, path, "Cannot create a file beside");

  const bool written = ::fchmod(fd, TargetMode(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    const int failure = written && closed ? errno : savedErrno;
    ::unlink(temp.c_str());
    errno = failure;
    return FileError(ErrorCode::FileNotWritable, path, "Cannot write");
  }
  SyncDirectory(directory.string());
  return Ok();
}

}  // namespace quillet
