// Reading and safe saving with POSIX calls (and Linux's unnamed temporary files).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <optional>
#include <random>

#include "bounded_read.h"
#include "file_io.h"
#include "file_io_errors.h"
#include "file_io_posix.h"
#include "signal_cleanup.h"

namespace quillet {

namespace {

using Bytes = std::vector<std::uint8_t>;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    reset(other.release());
    return *this;
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now and reports whether the close succeeded (a late write error shows here).
  bool close() {
    const int fd = release();
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string Reason(int error) { return std::strerror(error); }

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a regular file";
  if (S_ISCHR(mode)) return "it is a character device, not a regular file";
  if (S_ISBLK(mode)) return "it is a block device, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  return "it is not a regular file";
}

bool WriteAll(int fd, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ---- Temporary files ------------------------------------------------------------

// Short, whatever the target's name (which may already use all 255 bytes), and
// recognisably ours should one ever be left behind.
std::string TemporaryName() {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937 random{std::random_device{}()};
  std::string name = ".quillet-";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  return name;
}

// The new content before it takes the target's place: an unnamed file (Linux's
// O_TMPFILE), which vanishes with the process however it ends, or a named one.
struct StagedFile {
  Descriptor fd;
  std::string name;  // empty while unnamed
  // While the file has a name, SIGINT and SIGTERM remove it before ending the process.
  std::unique_ptr<SignalCleanup> cleanup;

  void named(const std::string& folder, std::string newName) {
    name = std::move(newName);
    cleanup = std::make_unique<SignalCleanup>(folder + "/" + name);
  }
  void unnamed() {
    name.clear();
    cleanup.reset();
  }
};

bool UnnamedFilesLinkable() {
  // Linking an unnamed file into a folder goes through its /proc entry.
  return ::access("/proc/self/fd", X_OK) == 0;
}

std::optional<StagedFile> CreateNamed(int directory, const std::string& folder) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    StagedFile staged;
    staged.named(folder, TemporaryName());  // registered before it exists: no moment unguarded
    staged.fd.reset(::openat(directory, staged.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (staged.fd.valid()) return staged;
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<StagedFile> Stage(int directory, const std::string& folder, posix::Staging staging) {
#ifdef O_TMPFILE
  if (staging == posix::Staging::UnnamedFirst && UnnamedFilesLinkable()) {
    StagedFile staged;
    staged.fd.reset(::openat(directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (staged.fd.valid()) return staged;
    // File systems without unnamed files fall back to a named one.
  }
#else
  (void)staging;
#endif
  return CreateNamed(directory, folder);
}

// Gives an unnamed file the name `name` in `directory`; fails with EEXIST when taken.
bool LinkUnnamed(int fd, int directory, const std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), directory, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Puts the complete staged file in the place of `name`. A new target takes the
// unnamed file's first name directly; an existing one is replaced by a rename, which
// needs a name for the two system calls in between.
bool PutInPlace(StagedFile& staged, int directory, const std::string& folder, const std::string& name,
                bool exists) {
  if (staged.name.empty()) {
    if (!exists && LinkUnnamed(staged.fd.get(), directory, name)) return true;
    if (!exists && errno != EEXIST) return false;
    for (int attempt = 0; attempt < 100 && staged.name.empty(); ++attempt) {
      staged.named(folder, TemporaryName());
      if (LinkUnnamed(staged.fd.get(), directory, staged.name)) break;
      const int error = errno;
      staged.unnamed();
      if (error != EEXIST) return false;
    }
    if (staged.name.empty()) return false;
  }
  if (::renameat(directory, staged.name.c_str(), directory, name.c_str()) != 0) return false;
  staged.unnamed();
  return true;
}

// A file's permissions, owner and group go to its replacement where the system
// allows: the owner only for a privileged process, the group when the user is in it.
void CopyOwnership(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool RewriteInPlace(const std::string& target, const Bytes& bytes) {
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid() || !WriteAll(fd.get(), bytes)) return false;
  if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0) return false;
  return fd.close();
}

// A device or a FIFO takes the bytes as they are; replacing it would destroy it.
Status WriteDirectly(const std::string& path, const std::string& target, const Bytes& bytes) {
  // Opening a FIFO without a reader would wait for one; refuse instead of freezing.
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) {
    return fileio::WriteError(path, errno == ENXIO ? "no program is reading from it" : Reason(errno));
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  // A reader that goes away must give an error, not end the process with SIGPIPE.
  sigset_t pipeSignal;
  sigset_t previousMask;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
  const bool written = WriteAll(fd.get(), bytes);
  const int writeError = errno;
  if (!written && writeError == EPIPE && !sigismember(&previousMask, SIGPIPE)) {
    const timespec noWait{0, 0};
    ::sigtimedwait(&pipeSignal, nullptr, &noWait);
  }
  ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
  if (!written) return fileio::WriteError(path, Reason(writeError));
  if (!fd.close()) return fileio::WriteError(path, Reason(errno));
  return Ok();
}

Status WriteRegular(const std::string& path, const std::string& target, const Bytes& bytes,
                    posix::Staging staging) {
  const std::string name = NameOf(target);
  if (name.empty()) return fileio::WriteError(path, Reason(EISDIR));
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;

  const std::string folder = DirectoryOf(target);
  Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  const bool syncable = directory.valid();
  if (!syncable) directory.reset(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!directory.valid()) return fileio::WriteError(path, Reason(errno));

  std::optional<StagedFile> staged = Stage(directory.get(), folder, staging);
  if (!staged) return fileio::WriteError(path, "cannot create a temporary file beside it: " + Reason(errno));
  auto discard = [&] {
    if (!staged->name.empty()) ::unlinkat(directory.get(), staged->name.c_str(), 0);
    staged->unnamed();
  };
  auto fail = [&](int error) {
    discard();
    return fileio::WriteError(path, Reason(error));
  };

  if (exists) CopyOwnership(staged->fd.get(), old);
  const mode_t mode = exists ? (old.st_mode & 07777) : NewFileMode();
  if (::fchmod(staged->fd.get(), mode) != 0 || !WriteAll(staged->fd.get(), bytes) ||
      ::fsync(staged->fd.get()) != 0) {
    return fail(errno);
  }
  if (exists && old.st_nlink > 1) {
    // The complete copy proved that the bytes fit; now every name of the file gets them.
    discard();
    if (!RewriteInPlace(target, bytes)) return fileio::WriteError(path, Reason(errno));
    return Ok();
  }
  if (!PutInPlace(*staged, directory.get(), folder, name, exists)) return fail(errno);
  if (!staged->fd.close()) return fileio::WriteError(path, Reason(errno));
  if (syncable) ::fsync(directory.get());  // not every file system syncs a folder; the rename stands
  return Ok();
}

// Follows symbolic links at the end of `path` to the file they finally name, which
// need not exist yet (a dangling link names the file to create).
std::optional<std::string> FinalTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) return std::nullopt;
    if (static_cast<std::size_t>(n) >= link.size()) {
      errno = ENAMETOOLONG;  // the link changed while it was read
      return std::nullopt;
    }
    link.resize(static_cast<std::size_t>(n));
    current = link.front() == '/' ? link : DirectoryOf(current) + "/" + link;
  }
  errno = ELOOP;
  return std::nullopt;
}

}  // namespace

Result<Bytes> ReadWholeFile(const std::string& path, std::uint64_t limit) {
  // Look before opening: opening a device can have effects of its own.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return fileio::ReadError(path, Reason(errno));
  if (!S_ISREG(st.st_mode)) return fileio::ReadError(path, KindOf(st.st_mode));
  if (static_cast<std::uint64_t>(st.st_size) > limit) {
    return fileio::ReadError(path, fileio::TooLargeReason(static_cast<std::uint64_t>(st.st_size), limit));
  }
  // The path may name something else by now; O_NONBLOCK keeps a FIFO from blocking.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) return fileio::ReadError(path, Reason(errno));
  if (::fstat(fd.get(), &st) != 0) return fileio::ReadError(path, Reason(errno));
  if (!S_ISREG(st.st_mode)) return fileio::ReadError(path, KindOf(st.st_mode));
  return fileio::ReadToEnd(path, static_cast<std::uint64_t>(st.st_size), limit,
                           [&](std::uint8_t* at, std::size_t room) -> Result<std::size_t> {
                             for (;;) {
                               const ssize_t n = ::read(fd.get(), at, room);
                               if (n >= 0) return static_cast<std::size_t>(n);
                               if (errno != EINTR) return fileio::ReadError(path, Reason(errno));
                             }
                           });
}

Status WriteFileAtomically(const std::string& path, const Bytes& bytes) {
  return posix::WriteFileAtomically(path, bytes, posix::Staging::UnnamedFirst);
}

namespace posix {

Status WriteFileAtomically(const std::string& path, const Bytes& bytes, Staging staging) {
  const std::optional<std::string> target = FinalTarget(path);
  if (!target) return fileio::WriteError(path, Reason(errno));
  struct stat st {};
  if (::stat(target->c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) return fileio::WriteError(path, KindOf(st.st_mode));
    return WriteDirectly(path, *target, bytes);
  }
  return WriteRegular(path, *target, bytes, staging);
}

}  // namespace posix

}  // namespace quillet
