#include "platform/doc_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <utility>

#include "base/message_hook.h"

namespace ql {
namespace {

constexpr const char* kNoFile = "Файла не существует!";
constexpr const char* kCannotReadDoc = "Невозможно считать файл!";
constexpr const char* kCannotRead = "Невозможно считать файл";
constexpr const char* kCannotWrite = "Невозможно записать файл";
constexpr const char* kCannotLock = "Невозможно заблокировать файл на запись";

TWriteFault g_fault = TWriteFault::None;

bool Faulted(TWriteFault stage) {
  if (g_fault != stage) return false;
  errno = EIO;
  return true;
}

// Takes, converts or releases this description's lock on the whole file without waiting.
bool SetOfdLock(int fd, short type) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// Closes a descriptor it owns unless released.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { if (fd_ >= 0) ::close(fd_); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  void reset(int fd = -1) { if (fd_ >= 0) ::close(fd_); fd_ = fd; }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes, off_t offset) {
  if (Faulted(TWriteFault::Write)) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Reads exactly `size` bytes from the start; false when the file delivers fewer.
template <typename Buffer>
bool ReadAll(int fd, size_t size, Buffer& out) {
  Buffer buffer(size, 0);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, buffer.data() + done, size - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<size_t>(n);
  }
  out = std::move(buffer);
  return true;
}

bool SyncFile(int fd) {
  if (Faulted(TWriteFault::Fsync)) return false;
  return ::fsync(fd) == 0;
}

std::string DirName(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links of the last component to the file they name (which may not exist yet).
std::string ResolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<size_t>(n) >= target.size()) return path;
    target.resize(static_cast<size_t>(n));
    path = target.starts_with('/') ? target : DirName(path) + "/" + target;
  }
  return path;
}

bool SameInode(int fd, const struct stat& st) {
  struct stat fs;
  return ::fstat(fd, &fs) == 0 && fs.st_dev == st.st_dev && fs.st_ino == st.st_ino;
}

// Creates a hidden temporary file beside `target` (a name that never ends in ".qlt").
int CreateTemp(const std::string& target, std::string& tempPath) {
  static unsigned counter = 0;
  if (Faulted(TWriteFault::NoNewFile)) {
    errno = EACCES;
    return -1;
  }
  const std::string prefix = DirName(target) + "/." + BaseName(target) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    char tail[64];
    std::snprintf(tail, sizeof tail, "%x-%x-%lx.tmp", static_cast<unsigned>(::getpid()), ++counter,
                  static_cast<unsigned long>(std::time(nullptr)));
    tempPath = prefix + tail;
    const int fd = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// Rewrites the locked file in place: the fallback when its folder takes no new file.
bool WriteInPlace(int fd, std::string_view bytes) {
  return WriteAll(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && SyncFile(fd);
}

}  // namespace

TFileLock& TFileLock::operator=(TFileLock&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void TFileLock::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int TFileLock::Release() { return std::exchange(fd_, -1); }

bool IsReadOnlyMode(unsigned mode) { return (mode & S_IWUSR) == 0; }

void SetWriteFaultForTests(TWriteFault fault) { g_fault = fault; }

bool ReadDoc(const std::string& path, bool showMessages, std::vector<uint8_t>& bytes, TFileLock& lock) {
  auto fail = [&](bool missing) {
    if (showMessages) ShowWarning(missing ? kNoFile : kCannotReadDoc, path);
    return false;
  };
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return fail(errno == ENOENT || errno == ENOTDIR);
  if (!S_ISREG(st.st_mode)) return fail(false);  // special files are never opened

  // The probe: an exclusive lock on a description open for writing. It fails while any other
  // description (another instance, or this process opening the file again) holds the document.
  Fd fd;
  bool writable = false;
  if (!IsReadOnlyMode(st.st_mode)) {
    fd.reset(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    writable = fd.get() >= 0 && SetOfdLock(fd.get(), F_WRLCK);
  }
  if (fd.get() < 0) fd.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return fail(errno == ENOENT);
  struct stat fs;
  if (::fstat(fd.get(), &fs) != 0 || !S_ISREG(fs.st_mode)) return fail(false);
  std::vector<uint8_t> data;
  if (!ReadAll(fd.get(), static_cast<size_t>(fs.st_size), data)) return fail(false);
  // The lock becomes shared: others may read, nobody may write.
  if (writable && !SetOfdLock(fd.get(), F_RDLCK)) writable = false;
  bytes = std::move(data);
  lock = writable ? TFileLock(fd.release()) : TFileLock();
  return true;
}

bool WriteDoc(const std::string& path, std::string_view bytes, TFileLock& lock) {
  const std::string target = ResolveLinks(path);
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;

  // Exclusive lock on the existing file: the caller's own lock is converted in place, any other
  // holder makes the save fail before anything is written.
  int held = -1;         // descriptor holding the exclusive lock on the old file
  bool heldIsCallers = false;
  Fd own;
  if (exists) {
    if (!S_ISREG(st.st_mode) || IsReadOnlyMode(st.st_mode)) {
      ShowWarning(kAlreadyOpen, path);
      return false;
    }
    if (lock.Held() && SameInode(lock.Fd(), st)) {
      if (!SetOfdLock(lock.Fd(), F_WRLCK)) {
        ShowWarning(kAlreadyOpen, path);
        return false;
      }
      held = lock.Fd();
      heldIsCallers = true;
    } else {
      own.reset(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
      if (own.get() < 0 || !SameInode(own.get(), st) || !SetOfdLock(own.get(), F_WRLCK)) {
        ShowWarning(kAlreadyOpen, path);
        return false;
      }
      held = own.get();
    }
  }
  // Puts the old file back under the lock it had before this save.
  auto restore = [&] {
    if (heldIsCallers) SetOfdLock(held, F_RDLCK);
  };

  std::string tempPath;
  Fd temp(CreateTemp(target, tempPath));
  if (temp.get() < 0) {
    const int error = errno;
    if (held < 0 || (error != EACCES && error != EPERM)) {
      restore();
      ShowWarning(kCannotWrite, path);
      return false;
    }
    // The folder forbids a new file: rewrite the old one under its exclusive lock.
    const bool written = WriteInPlace(held, bytes);
    SetOfdLock(held, F_RDLCK);
    if (!written) {
      if (!heldIsCallers) own.reset();
      ShowWarning(kCannotWrite, path);
      return false;
    }
    if (!heldIsCallers) lock = TFileLock(own.release());
    return true;
  }

  bool ok = SetOfdLock(temp.get(), F_WRLCK) && WriteAll(temp.get(), bytes, 0);
  if (ok && exists) {
    if (::geteuid() == 0 && (st.st_uid != 0 || st.st_gid != 0)) {
      [[maybe_unused]] int ignored = ::fchown(temp.get(), st.st_uid, st.st_gid);
    }
    ok = ::fchmod(temp.get(), st.st_mode & 07777) == 0;
  }
  ok = ok && SyncFile(temp.get());
  if (ok && Faulted(TWriteFault::Rename)) ok = false;
  ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tempPath.c_str());
    restore();
    ShowWarning(kCannotWrite, path);
    return false;
  }
  SyncFolder(DirName(target));
  // The new file's exclusive lock turns into the document's shared lock with no gap between.
  if (!SetOfdLock(temp.get(), F_RDLCK)) {
    lock.Close();
    ShowWarning(kCannotLock, path);
    return false;
  }
  lock = TFileLock(temp.release());
  return true;
}

bool WriteFileWhole(const std::string& path, std::string_view bytes, bool showMessage) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
  struct stat st;
  bool ok = fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            SetOfdLock(fd.get(), F_WRLCK) && ::ftruncate(fd.get(), 0) == 0 && WriteAll(fd.get(), bytes, 0);
  if (fd.get() >= 0 && ::close(fd.release()) != 0) ok = false;
  if (!ok && showMessage) ShowWarning(kCannotWrite, path);
  return ok;
}

bool ReadFileWhole(const std::string& path, bool showMessage, std::string& bytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat st;
  const bool ok = fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
                  SetOfdLock(fd.get(), F_RDLCK) && ReadAll(fd.get(), static_cast<size_t>(st.st_size), bytes);
  if (!ok && showMessage) ShowWarning(kCannotRead, path);
  return ok;
}

}  // namespace ql
