#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace ql {

std::string InstanceLockFolder() {
  const char* run = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = run && *run ? run : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

TInstanceLock::~TInstanceLock() { Close(); }

void TInstanceLock::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool TInstanceLock::Acquire(const std::string& name) {
  Close();
  const std::string path = InstanceLockFolder() + name;
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) return true;
  int rc;
  do {
    rc = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  const bool first = rc == 0;
  // Converting to shared never blocks for the holder of the exclusive lock; a later instance
  // waits only while another one is between its probe and its own conversion.
  do {
    rc = ::flock(fd_, LOCK_SH);
  } while (rc != 0 && errno == EINTR);
  return first;
}

}  // namespace ql
