#include "platform/replay/ReplayFolder.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/FileBytes.h"
#include "platform/replay/ReplayFormat.h"

namespace tvx::replay {

namespace {

constexpr std::string_view kFolderPrefix = "tarvex-replay-";

// Folders of replays whose program was killed: a showing program holds a lock on its folder,
// so one whose lock can be taken belongs to nobody any more.
void ClearAbandonedFolders(const std::filesystem::path& base) {
  std::error_code code;
  for (const auto& entry : std::filesystem::directory_iterator(base, code)) {
    if (!entry.path().filename().string().starts_with(kFolderPrefix)) continue;
    if (!entry.is_directory(code) || entry.is_symlink(code)) continue;
    const int fd = open(entry.path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    const bool own = fstat(fd, &info) == 0 && info.st_uid == geteuid();
    if (own && flock(fd, LOCK_EX | LOCK_NB) == 0) std::filesystem::remove_all(entry.path(), code);
    close(fd);
  }
}

}  // namespace

ReplayFolder::~ReplayFolder() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path_, error);
  if (lock_ >= 0) close(lock_);
}

bool ReplayFolder::Create(const std::string& archive, const std::optional<std::string>& ranking,
                          std::string& error) {
  std::error_code code;
  const std::filesystem::path base = std::filesystem::temp_directory_path(code);
  if (!code) ClearAbandonedFolders(base);
  std::string pattern = (base / (std::string(kFolderPrefix) + "XXXXXX")).string();
  if (code || mkdtemp(pattern.data()) == nullptr) {
    error = "cannot make a folder for the replay in " + pattern;
    return false;
  }
  path_ = pattern + "/";
  lock_ = open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (lock_ >= 0) flock(lock_, LOCK_EX | LOCK_NB);
  std::filesystem::create_symlink(std::filesystem::absolute(archive, code), path_ + "resources.tvx",
                                  code);
  if (code) {
    error = "cannot link the archive " + archive + " into " + path_ + ": " + code.message();
    return false;
  }
  if (ranking) {
    std::ofstream out(path_ + "ranking.rkg", std::ios::binary);
    out.write(ranking->data(), static_cast<std::streamsize>(ranking->size()));
    if (!out) {
      error = "cannot write the recorded ranking file into " + path_;
      return false;
    }
  }
  return true;
}

std::optional<std::string> ReadRankingForRecording(const std::string& path) {
  std::string bytes;
  std::string reason;
  if (ReadRegularFile(path, kMaxRankingBytes, bytes, reason) != FileRead::Read) return std::nullopt;
  return bytes;
}

}  // namespace tvx::replay
