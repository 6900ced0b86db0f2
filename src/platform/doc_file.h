#pragma once
// Whole-file reads and writes of documents with the share-mode lock between instances.
//
// The lock of a document is an open file description holding a shared OFD lock (fcntl
// F_OFD_SETLK) on the file. Opening for editing needs an exclusive lock for a moment, so a file
// that any instance (this process included, through another open) holds opens read-only. Every
// descriptor is O_CLOEXEC: a child started while a document is open never keeps its lock.
// Paths are UTF-8 system text; every failure shows its warning through base/message_hook.h.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// Title of the warning when a document cannot be written because it is held or read-only.
inline constexpr const char* kAlreadyOpen = "Невозможно записать файл - файл уже открыт";

// Move-only owner of a document lock; closing it releases the lock.
class TFileLock {
 public:
  TFileLock() = default;
  explicit TFileLock(int fd) : fd_(fd) {}
  ~TFileLock() { Close(); }
  TFileLock(TFileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TFileLock& operator=(TFileLock&& other) noexcept;
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  void Close();
  // Gives up ownership of the descriptor without closing it.
  int Release();

 private:
  int fd_ = -1;
};

// Reads the whole document. On success fills `bytes` and, when the file may be edited (nobody
// else holds it, its owner write bit is set, it can be opened for writing), `lock`; otherwise
// `lock` stays empty and the document is to be shown read-only. On failure returns false, leaves
// `bytes` and `lock` untouched and, with `showMessages`, warns "Файла не существует!" or
// "Невозможно считать файл!" with the path as text.
bool ReadDoc(const std::string& path, bool showMessages, std::vector<uint8_t>& bytes, TFileLock& lock);

// Saves the document and leaves `lock` holding the saved file. `lock` is the caller's current
// lock on this document (or empty, or a lock on another file, as in saving under a new name); a
// lock on this document is converted, never released before the new file holds the lock. On
// success whatever `lock` held before is closed; on failure it is held as before. A symbolic link is saved to its target. The old file is
// replaced atomically (temporary hidden file in the same folder, fsync, rename, fsync of the
// folder); only when the folder forbids a new file is the file rewritten in place, under the
// exclusive lock. Failure titles: "Невозможно записать файл - файл уже открыт" (the file exists and
// another open holds it, or it is read-only), "Невозможно записать файл",
// "Невозможно заблокировать файл на запись".
bool WriteDoc(const std::string& path, std::string_view bytes, TFileLock& lock);

// Plain exclusive write without keeping a lock (temporary files); warns
// "Невозможно записать файл" only with `showMessage`.
bool WriteFileWhole(const std::string& path, std::string_view bytes, bool showMessage);
// Plain read that fails while someone writes the file; warns "Невозможно считать файл" only
// with `showMessage`.
bool ReadFileWhole(const std::string& path, bool showMessage, std::string& bytes);

// True when the file's owner write bit is clear (the read-only attribute). Root ignores
// permission bits, so this is decided from the mode, never from access().
bool IsReadOnlyMode(unsigned mode);

// Test hook: makes a stage of the following saves fail as if the system had refused it
// (NoNewFile: the folder refuses the temporary file, so the save falls back to writing in place).
enum class TWriteFault { None, NoNewFile, Write, Fsync, Rename };
void SetWriteFaultForTests(TWriteFault fault);

}  // namespace ql
