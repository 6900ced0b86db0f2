#pragma once
// Single instance: the first running instance of the program restores the saved window placement,
// later ones keep the designed one. Every instance holds a shared flock on one lock file for its
// life; the exclusive probe at start succeeds only when no other instance holds it.
#include <string>

namespace ql {

class TInstanceLock {
 public:
  TInstanceLock() = default;
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  // Opens `name` in $XDG_RUNTIME_DIR (else /tmp) and tries LOCK_EX|LOCK_NB; the descriptor then
  // keeps LOCK_SH. True when this is the first instance. A lock file that cannot be opened counts
  // as first (the placement is only a convenience).
  bool Acquire(const std::string& name = "Quillet.exe.lock");
  // Releases the lock (also done by the destructor).
  void Close();

 private:
  int fd_ = -1;
};

// The folder of the lock file: $XDG_RUNTIME_DIR when set and not empty, else /tmp.
std::string InstanceLockFolder();

}  // namespace ql
