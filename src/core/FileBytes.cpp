#include "core/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tvx {
namespace {

// Closes the descriptor on every way out of a scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now; false with errno set when the close reports a failed write.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool SyncFolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  Descriptor guard(fd);
  return fsync(fd) == 0;
}

}  // namespace

RegularFile OpenRegularFile(const std::string& path, int flags) {
  RegularFile file;
  const int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) {
    file.cause = errno;
    file.reason = errno == ENOENT ? "no such file" : std::strerror(errno);
    return file;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    file.reason = S_ISDIR(info.st_mode) ? "a folder, not a file" : "not a regular file";
    close(fd);
    return file;
  }
  const int fileFlags = fcntl(fd, F_GETFL);
  if (fileFlags < 0 || fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK) != 0) {
    file.cause = errno;
    file.reason = std::strerror(errno);
    close(fd);
    return file;
  }
  file.fd = fd;
  file.size = static_cast<std::uint64_t>(info.st_size);
  return file;
}

FileRead ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                         std::string& reason) {
  const RegularFile opened = OpenRegularFile(path, O_RDONLY);
  Descriptor file(opened.fd);
  if (file.Get() < 0) {
    reason = opened.reason;
    return opened.cause == ENOENT ? FileRead::Missing : FileRead::Failed;
  }
  if (opened.size > maxSize) {
    reason = "larger than " + std::to_string(maxSize) + " bytes";
    return FileRead::Failed;
  }
  // The size is a hint: the file may change while it is read, and a read past maxSize fails.
  bytes.resize(static_cast<std::size_t>(opened.size) + 1);
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      if (bytes.size() > maxSize) {
        reason = "larger than " + std::to_string(maxSize) + " bytes";
        return FileRead::Failed;
      }
      bytes.resize(std::min(maxSize + 1, 2 * bytes.size()));
    }
    const ssize_t n = read(file.Get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      bytes.clear();
      return FileRead::Failed;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return FileRead::Read;
}

bool ReadFileBytes(const std::filesystem::path& path, std::size_t maxSize,
                   std::vector<std::uint8_t>& bytes, std::string& error) {
  std::string text;
  std::string reason;
  if (ReadRegularFile(path.string(), maxSize, text, reason) != FileRead::Read) {
    error = path.string() + ": " + reason;
    return false;
  }
  bytes.assign(text.begin(), text.end());
  return true;
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFileBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                    std::string& error) {
  std::error_code code;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), code);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    error = path.string() + ": cannot write";
    return false;
  }
  return true;
}

bool ReplaceFileDurably(const std::string& path, const std::string& temporary,
                        std::string_view bytes, std::string& reason) {
  // O_NOFOLLOW and O_NONBLOCK: a link or a FIFO left under the temporary name is not written
  // through; it is removed and the file made anew.
  if (unlink(temporary.c_str()) != 0 && errno != ENOENT) {
    reason = std::strerror(errno);
    return false;
  }
  Descriptor file(open(temporary.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
  bool ok = file.Get() >= 0 && WriteAll(file.Get(), bytes) && fsync(file.Get()) == 0;
  ok = ok && file.Close();
  ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    reason = std::strerror(errno);
    unlink(temporary.c_str());
    return false;
  }
  // The rename is only durable once the folder is; the new file is in place either way.
  SyncFolderOf(path);
  return true;
}

std::string DamagedFileName(const std::string& fileName) {
  std::string candidate = fileName + ".damaged";
  std::error_code error;
  for (int n = 1; std::filesystem::exists(candidate, error); ++n) {
    candidate = fileName + ".damaged." + std::to_string(n);
  }
  return candidate;
}

}  // namespace tvx
