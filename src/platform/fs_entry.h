#pragma once
// Files and folders as the console tools see them. Entries are addressed as a name inside an open
// folder (fs::Dir), so a walk never leaves its tree: a symbolic link is always handled as the entry
// itself and is never followed, and paths of any length and depth work.
// Attributes: "read-only" is a clear owner write bit (checked from the mode bits, because root
// ignores permissions); "system" marks special files (FIFO, socket, device), which are never opened,
// deleted, overwritten or copied.
#include <sys/types.h>

#include <string>
#include <vector>

namespace ql::fs {

// Kind of an entry: nothing, a file (a symbolic link or a special file included), a folder.
enum class Kind { kNone = 0, kFile = 1, kFolder = 2 };

struct EntryInfo {
  Kind kind = Kind::kNone;
  bool link = false;
  bool system = false;
  bool read_only = false;
  dev_t dev = 0;
  ino_t ino = 0;
};

struct Entry {
  std::string name;
  EntryInfo info;
};

// Owned descriptor of an open folder (O_CLOEXEC). Move-only.
class Dir {
 public:
  Dir() = default;
  explicit Dir(int fd) : fd_(fd) {}
  ~Dir();
  Dir(Dir&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Dir& operator=(Dir&& other) noexcept;
  Dir(const Dir&) = delete;
  Dir& operator=(const Dir&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // A folder named by a path. Links inside the path are resolved by the system (the user named it);
  // not ok() when it is not a folder.
  static Dir Open(const std::string& path);
  // The subfolder `name`; not ok() when it is missing, not a folder or a symbolic link.
  Dir OpenChild(const std::string& name) const;

 private:
  int fd_ = -1;
};

// Info of the entry `name` in `dir`, never following a link. False when it does not exist.
bool Stat(const Dir& dir, const std::string& name, EntryInfo* info);
// Info of a path as written: a symbolic link in the last component is not followed, unless the path
// ends with "/" (then the system resolves it, as for any folder path).
EntryInfo StatPath(const std::string& path);

// The entries of a folder, except those whose names begin with ".", sorted by name bytes. False when
// the folder cannot be read.
bool List(const Dir& dir, std::vector<Entry>* entries);

// Sets the owner write bit of a regular file or folder; links and special files are left alone.
bool ClearReadOnly(const Dir& dir, const std::string& name);

// Copies a file entry (a link is copied as a link). With `overwrite` an existing target file or link
// is replaced, unless it is read-only, a special file, a folder or the source itself; without it an
// existing target makes the copy fail (the target is created with O_EXCL). Special files are never
// copied. The copy keeps the permission bits and the modification time. A failed copy removes the
// file it created.
bool CopyFile(const Dir& from_dir, const std::string& from, const Dir& to_dir, const std::string& to,
              bool overwrite);

// Renames an entry without ever replacing an existing target. Returns 0 or the errno of the
// failure (EXDEV when the two places are on different file systems).
int RenameNoReplace(const Dir& from_dir, const std::string& from, const Dir& to_dir,
                    const std::string& to);

// Moves a file entry without replacing an existing target; across file systems it copies and then
// deletes the source (removing the copy again when the source cannot be deleted).
bool MoveFile(const Dir& from_dir, const std::string& from, const Dir& to_dir, const std::string& to);

// Deletes a file entry (a link itself); special files and folders are refused.
bool DeleteFile(const Dir& dir, const std::string& name);
// Creates a folder; fails when anything of that name exists.
bool MakeFolder(const Dir& dir, const std::string& name);
// Removes an empty folder (not a link to one).
bool RemoveFolder(const Dir& dir, const std::string& name);

// Opens the folder that holds a path's last component. `path` has no trailing "/"; a path without
// "/" lies in the working folder. False when the name is empty or the folder cannot be opened.
bool OpenParent(const std::string& path, Dir* parent, std::string* name);

}  // namespace ql::fs
