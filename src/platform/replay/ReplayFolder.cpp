#include "platform/replay/ReplayFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/replay/ReplayFormat.h"

namespace tvx::replay {

ReplayFolder::~ReplayFolder() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

bool ReplayFolder::Create(const std::string& archive, const std::optional<std::string>& ranking,
                          std::string& error) {
  std::error_code code;
  std::string pattern =
      (std::filesystem::temp_directory_path(code) / "tarvex-replay-XXXXXX").string();
  if (code || mkdtemp(pattern.data()) == nullptr) {
    error = "cannot make a folder for the replay in " + pattern;
    return false;
  }
  path_ = pattern + "/";
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
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kMaxRankingBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return std::nullopt;
  return bytes;
}

}  // namespace tvx::replay
