#include "platform/folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ql {

std::string NoTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

namespace {

// Names in `folder` in byte order, without those beginning with "."; false when it cannot be read.
bool ListNames(const std::string& folder, std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return true;
}

bool IsSpecial(mode_t mode) { return !S_ISREG(mode) && !S_ISDIR(mode) && !S_ISLNK(mode); }

// True when another open file description holds a lock on the regular file `path`.
bool HeldByOthers(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  const bool held = ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
  ::close(fd);
  return held;
}

bool CopyFile(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (in < 0) return false;
  struct stat st;
  bool ok = ::fstat(in, &st) == 0 && S_ISREG(st.st_mode);
  int out = -1;
  if (ok) {
    out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    struct stat ot;
    ok = out >= 0 && ::fstat(out, &ot) == 0 && S_ISREG(ot.st_mode) && ::ftruncate(out, 0) == 0;
  }
  std::vector<char> buffer(ok ? 1 << 16 : 0);
  while (ok) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (ssize_t done = 0; ok && done < n;) {
      const ssize_t w = ::write(out, buffer.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      ok = w > 0;
      if (ok) done += w;
    }
  }
  if (ok) {
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    ok = ::fchmod(out, st.st_mode & 07777) == 0;
  }
  if (out >= 0 && ::close(out) != 0) ok = false;
  ::close(in);
  return ok;
}

bool CopyLink(const std::string& from, const std::string& to) {
  std::string target(4096, '\0');
  const ssize_t n = ::readlink(from.c_str(), target.data(), target.size());
  if (n < 0 || static_cast<size_t>(n) >= target.size()) return false;
  target.resize(static_cast<size_t>(n));
  return ::symlink(target.c_str(), to.c_str()) == 0;
}

}  // namespace

void ClearFolder(const std::string& folder, bool dropFolder, bool recurse) {
  const std::string base = WithTrailingSlash(folder);
  std::vector<std::string> names;
  ListNames(base, names);
  for (const std::string& name : names) {
    const std::string path = base + name;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      if (recurse) ClearFolder(path + "/", true, true);
      continue;
    }
    if (IsSpecial(st.st_mode)) continue;  // system files stay
    if (S_ISREG(st.st_mode)) {
      if (HeldByOthers(path)) continue;
      if ((st.st_mode & S_IWUSR) == 0) ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    }
    ::unlink(path.c_str());
  }
  if (dropFolder) ::rmdir(NoTrailingSlash(base).c_str());
}

bool CopyFolder(const std::string& from, const std::string& to) {
  const std::string src = WithTrailingSlash(from);
  const std::string dst = WithTrailingSlash(to);
  std::vector<std::string> names;
  if (!ListNames(src, names)) return false;
  if (::mkdir(NoTrailingSlash(dst).c_str(), 0777) != 0) return false;
  bool ok = true;
  for (const std::string& name : names) {
    if (!ok) break;  // the Part's walk goes on, but copies nothing more
    struct stat st;
    if (::lstat((src + name).c_str(), &st) != 0) {
      ok = false;
    } else if (S_ISDIR(st.st_mode)) {
      ok = CopyFolder(src + name + "/", dst + name + "/");
    } else if (S_ISLNK(st.st_mode)) {
      ok = CopyLink(src + name, dst + name);
    } else if (S_ISREG(st.st_mode)) {
      ok = CopyFile(src + name, dst + name);
    } else {
      ok = false;  // a system file cannot be copied
    }
  }
  return ok;
}

bool MoveFolder(const std::string& from, const std::string& to) {
  const std::string src = NoTrailingSlash(from);
  const std::string dst = NoTrailingSlash(to);
  if (::renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EINVAL || errno == ENOSYS) {
    // The file system cannot refuse a replacement itself: make sure nothing is there.
    struct stat st;
    if (::lstat(dst.c_str(), &st) != 0 && errno == ENOENT && ::rename(src.c_str(), dst.c_str()) == 0) return true;
  }
  if (!CopyFolder(from, to)) return false;
  ClearFolder(WithTrailingSlash(src), true, true);
  return true;
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return ::lstat(NoTrailingSlash(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SamePath(const std::string& a, const std::string& b) {
  const std::string x = NoTrailingSlash(a);
  const std::string y = NoTrailingSlash(b);
  if (x == y) return true;
  struct stat sx, sy;
  return ::stat(x.c_str(), &sx) == 0 && ::stat(y.c_str(), &sy) == 0 && sx.st_dev == sy.st_dev &&
         sx.st_ino == sy.st_ino;
}

std::string ExecutablePath() {
  std::string exe(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
  if (n <= 0 || static_cast<size_t>(n) >= exe.size()) return {};
  exe.resize(static_cast<size_t>(n));
  return exe;
}

std::string ProgramFolder() {
  const char* home = std::getenv("QL_HOME");
  if (home && *home) return WithTrailingSlash(home);
  const std::string exe = ExecutablePath();
  if (exe.empty()) return "./";
  return exe.substr(0, exe.rfind('/') + 1);
}

}  // namespace ql
