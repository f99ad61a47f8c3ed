// An advisory lock (flock) on a lock file, which every copy of the program takes before it
// reads and replaces the file the lock guards. It is held from construction until the object
// goes. The lock file is made when missing and left in place.
#pragma once

#include <string>

namespace tvx {

class FileLock {
 public:
  // Waits up to `waitMs` for a copy that holds the lock to let it go.
  explicit FileLock(const std::string& path, int waitMs = 2000);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  // Why the lock is not held.
  const std::string& Reason() const { return reason_; }

 private:
  int fd_ = -1;
  std::string reason_;
};

}  // namespace tvx
