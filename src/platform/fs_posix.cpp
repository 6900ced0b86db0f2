#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/fs_entry.h"

namespace ql::fs {
namespace {

EntryInfo InfoOf(const struct stat& st) {
  EntryInfo info;
  info.dev = st.st_dev;
  info.ino = st.st_ino;
  if (S_ISDIR(st.st_mode)) {
    info.kind = Kind::kFolder;
  } else {
    info.kind = Kind::kFile;
    info.link = S_ISLNK(st.st_mode);
    info.system = !S_ISREG(st.st_mode) && !info.link;
  }
  info.read_only = (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) && !(st.st_mode & S_IWUSR);
  return info;
}

bool LStatAt(const Dir& dir, const std::string& name, struct stat* st) {
  return fstatat(dir.fd(), name.c_str(), st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool CopyBytes(int in, int out) {
  constexpr size_t kChunk = 128 * 1024;
  std::unique_ptr<char[]> buffer(new char[kChunk]);
  for (;;) {
    ssize_t n = read(in, buffer.get(), kChunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(out, buffer.get(), static_cast<size_t>(n))) return false;
  }
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting the result (a delayed write error shows here).
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool CopyLink(const struct stat& st, const Dir& from_dir, const std::string& from, const Dir& to_dir,
              const std::string& to) {
  std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 256), '\0');
  for (;;) {
    ssize_t n = readlinkat(from_dir.fd(), from.c_str(), target.data(), target.size());
    if (n < 0) return false;
    if (static_cast<size_t>(n) < target.size()) {
      target.resize(static_cast<size_t>(n));
      break;
    }
    target.resize(target.size() * 2);
  }
  return symlinkat(target.c_str(), to_dir.fd(), to.c_str()) == 0;
}

bool CopyRegular(const struct stat& st, const Dir& from_dir, const std::string& from,
                 const Dir& to_dir, const std::string& to, bool truncate_existing) {
  // O_NONBLOCK: should a special file have taken the name meanwhile, opening it must not wait.
  Fd in(openat(from_dir.fd(), from.c_str(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  struct stat in_st;
  if (in.get() < 0 || fstat(in.get(), &in_st) != 0 || !S_ISREG(in_st.st_mode) ||
      in_st.st_ino != st.st_ino || in_st.st_dev != st.st_dev) {
    return false;
  }
  int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
  flags |= truncate_existing ? O_TRUNC : O_EXCL;
  Fd out(openat(to_dir.fd(), to.c_str(), flags, 0600));
  if (out.get() < 0) return false;
  struct stat out_st;
  bool ok = fstat(out.get(), &out_st) == 0 && S_ISREG(out_st.st_mode);
  ok = ok && CopyBytes(in.get(), out.get());
  if (ok) {
    const struct timespec times[2] = {in_st.st_atim, in_st.st_mtim};
    ok = fchmod(out.get(), in_st.st_mode & 0777) == 0 && futimens(out.get(), times) == 0;
  }
  ok = out.Close() && ok;
  if (!ok && !truncate_existing) unlinkat(to_dir.fd(), to.c_str(), 0);
  return ok;
}

}  // namespace

Dir::~Dir() {
  if (fd_ >= 0) close(fd_);
}

Dir& Dir::operator=(Dir&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

Dir Dir::Open(const std::string& path) {
  if (path.empty()) return Dir();
  return Dir(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

Dir Dir::OpenChild(const std::string& name) const {
  if (!ok() || name.empty()) return Dir();
  return Dir(openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool Stat(const Dir& dir, const std::string& name, EntryInfo* info) {
  struct stat st;
  if (!LStatAt(dir, name, &st)) return false;
  *info = InfoOf(st);
  return true;
}

EntryInfo StatPath(const std::string& path) {
  struct stat st;
  if (path.empty() || lstat(path.c_str(), &st) != 0) return EntryInfo();
  return InfoOf(st);
}

bool List(const Dir& dir, std::vector<Entry>* entries) {
  entries->clear();
  // A description of its own, so the listing does not share a read position with `dir`.
  int fd = openat(dir.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* stream = fdopendir(fd);
  if (!stream) {
    close(fd);
    return false;
  }
  bool ok = true;
  for (;;) {
    errno = 0;
    struct dirent* d = readdir(stream);
    if (!d) {
      ok = errno == 0;
      break;
    }
    if (d->d_name[0] == '.') continue;
    struct stat st;
    // An entry that vanished between the listing and this look is no longer there to process.
    if (fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    entries->push_back(Entry{d->d_name, InfoOf(st)});
  }
  closedir(stream);
  std::sort(entries->begin(), entries->end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return ok;
}

bool ClearReadOnly(const Dir& dir, const std::string& name) {
  struct stat st;
  if (!LStatAt(dir, name, &st)) return false;
  if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return false;
  if (st.st_mode & S_IWUSR) return true;
  return fchmodat(dir.fd(), name.c_str(), (st.st_mode & 07777) | S_IWUSR, 0) == 0;
}

bool CopyFile(const Dir& from_dir, const std::string& from, const Dir& to_dir, const std::string& to,
              bool overwrite) {
  struct stat st;
  if (!LStatAt(from_dir, from, &st)) return false;
  const bool link = S_ISLNK(st.st_mode);
  if (!link && !S_ISREG(st.st_mode)) return false;
  struct stat target;
  bool truncate_existing = false;
  if (LStatAt(to_dir, to, &target)) {
    if (!overwrite) return false;
    if (target.st_dev == st.st_dev && target.st_ino == st.st_ino) return false;
    if (S_ISLNK(target.st_mode) || (link && S_ISREG(target.st_mode) && (target.st_mode & S_IWUSR))) {
      if (unlinkat(to_dir.fd(), to.c_str(), 0) != 0) return false;
    } else if (S_ISREG(target.st_mode) && (target.st_mode & S_IWUSR)) {
      truncate_existing = true;
    } else {
      return false;  // a folder, a special file or a read-only file
    }
  }
  if (link) return CopyLink(st, from_dir, from, to_dir, to);
  return CopyRegular(st, from_dir, from, to_dir, to, truncate_existing);
}

int RenameNoReplace(const Dir& from_dir, const std::string& from, const Dir& to_dir,
                    const std::string& to) {
  if (renameat2(from_dir.fd(), from.c_str(), to_dir.fd(), to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int error = errno;
  if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP) return error;
  // A file system without RENAME_NOREPLACE: a hard link cannot replace anything either.
  struct stat st;
  if (!LStatAt(from_dir, from, &st)) return errno;
  if (!S_ISDIR(st.st_mode)) {
    if (linkat(from_dir.fd(), from.c_str(), to_dir.fd(), to.c_str(), 0) == 0) {
      if (unlinkat(from_dir.fd(), from.c_str(), 0) == 0) return 0;
      error = errno;
      unlinkat(to_dir.fd(), to.c_str(), 0);
      return error;
    }
    if (errno == EEXIST || errno == EXDEV || errno == ENOENT) return errno;
  }
  // No hard links here either (or a folder): check, then rename.
  struct stat target;
  if (LStatAt(to_dir, to, &target)) return EEXIST;
  if (renameat(from_dir.fd(), from.c_str(), to_dir.fd(), to.c_str()) == 0) return 0;
  return errno;
}

bool MoveFile(const Dir& from_dir, const std::string& from, const Dir& to_dir, const std::string& to) {
  int error = RenameNoReplace(from_dir, from, to_dir, to);
  if (error == 0) return true;
  if (error != EXDEV) return false;
  EntryInfo info;
  if (!Stat(from_dir, from, &info) || info.kind != Kind::kFile || info.system) return false;
  if (!CopyFile(from_dir, from, to_dir, to, false)) return false;
  if (unlinkat(from_dir.fd(), from.c_str(), 0) != 0) {
    unlinkat(to_dir.fd(), to.c_str(), 0);
    return false;
  }
  return true;
}

bool DeleteFile(const Dir& dir, const std::string& name) {
  EntryInfo info;
  if (!Stat(dir, name, &info) || info.kind != Kind::kFile || info.system) return false;
  return unlinkat(dir.fd(), name.c_str(), 0) == 0;
}

bool MakeFolder(const Dir& dir, const std::string& name) {
  return mkdirat(dir.fd(), name.c_str(), 0777) == 0;
}

bool RemoveFolder(const Dir& dir, const std::string& name) {
  return unlinkat(dir.fd(), name.c_str(), AT_REMOVEDIR) == 0;
}

bool OpenParent(const std::string& path, Dir* parent, std::string* name) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    *name = path;
    *parent = Dir::Open(".");
  } else {
    *name = path.substr(slash + 1);
    *parent = Dir::Open(slash == 0 ? std::string("/") : path.substr(0, slash));
  }
  return !name->empty() && parent->ok();
}

}  // namespace ql::fs
