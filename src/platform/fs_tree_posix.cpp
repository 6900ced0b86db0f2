#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/fs_tree.h"

namespace ql::fs {
namespace {

bool CopyEntries(const Dir& from, const Dir& to) {
  std::vector<Entry> entries;
  if (!List(from, &entries)) return false;
  for (const Entry& e : entries) {
    bool ok;
    if (e.info.kind == Kind::kFolder) {
      Dir sub = from.OpenChild(e.name);
      ok = sub.ok() && CopyTree(sub, to, e.name);
    } else {
      ok = CopyFile(from, e.name, to, e.name, true);
    }
    if (!ok) return false;
  }
  return true;
}

bool SameEntry(const struct stat& st, const EntryInfo& info) {
  return st.st_dev == info.dev && st.st_ino == info.ino;
}

std::string ParentPath(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool CopyTree(const Dir& from, const Dir& to_dir, const std::string& to) {
  if (!MakeFolder(to_dir, to)) return false;
  Dir target = to_dir.OpenChild(to);
  return target.ok() && CopyEntries(from, target);
}

bool DeleteTree(const Dir& dir, const std::string& name, bool self) {
  Dir folder = dir.OpenChild(name);
  if (!folder.ok()) return false;
  std::vector<Entry> entries;
  bool failed = !List(folder, &entries);
  for (const Entry& e : entries) {
    if (e.info.kind == Kind::kFolder) {
      if (!failed && !DeleteTree(folder, e.name, true)) failed = true;
    } else if (e.info.system) {
      failed = true;
    } else if (!failed) {
      ClearReadOnly(folder, e.name);
      if (!DeleteFile(folder, e.name)) failed = true;
    }
  }
  if (self && !failed && !RemoveFolder(dir, name)) failed = true;
  return !failed;
}

bool PathWithin(const std::string& path, const EntryInfo& folder) {
  std::string p = path.empty() ? std::string(".") : path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  struct stat st;
  // The longest part of the path that exists.
  while (lstat(p.c_str(), &st) != 0) {
    std::string parent = ParentPath(p);
    if (parent == p) return false;
    p = parent;
  }
  if (SameEntry(st, folder)) return true;
  int fd = open(S_ISDIR(st.st_mode) ? p.c_str() : ParentPath(p).c_str(),
                O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // Climb through ".." to the root, comparing every folder on the way.
  while (fd >= 0) {
    struct stat here;
    if (fstat(fd, &here) != 0) break;
    if (SameEntry(here, folder)) {
      close(fd);
      return true;
    }
    int up = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat above;
    bool root = up < 0 || fstat(up, &above) != 0 ||
                (above.st_dev == here.st_dev && above.st_ino == here.st_ino);
    close(fd);
    fd = up;
    if (root) break;
  }
  if (fd >= 0) close(fd);
  return false;
}

}  // namespace ql::fs
