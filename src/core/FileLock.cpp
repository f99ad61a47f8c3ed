#include "core/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/FileBytes.h"

namespace tvx {

FileLock::FileLock(const std::string& path, int waitMs) {
  const RegularFile file = OpenRegularFile(path, O_RDWR | O_CREAT | O_NOFOLLOW);
  if (file.fd < 0) {
    reason_ = path + ": " + file.reason;
    return;
  }
  const int fd = file.fd;
  // Polled rather than waited on, so that a copy stopped while it holds the lock cannot
  // freeze this one.
  constexpr auto kStep = std::chrono::milliseconds(10);
  for (int waited = 0;; waited += 10) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      fd_ = fd;
      return;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= waitMs) break;
    std::this_thread::sleep_for(kStep);
  }
  reason_ = errno == EWOULDBLOCK ? path + ": held by another copy of the game"
                                 : path + ": " + std::strerror(errno);
  close(fd);
}

FileLock::~FileLock() {
  if (fd_ >= 0) close(fd_);  // closing lets the lock go
}

}  // namespace tvx
