// A private program folder for playing a replay: the archive is linked in from where it
// really is, and the ranking file is the one the recording began with, so that a replay
// sees the table the game saw and never touches the player's own. The folder goes when
// this object does; one left by a killed program is cleared when the next replay starts.
#pragma once

#include <optional>
#include <string>

namespace tvx::replay {

class ReplayFolder {
 public:
  ReplayFolder() = default;
  ~ReplayFolder();
  ReplayFolder(const ReplayFolder&) = delete;
  ReplayFolder& operator=(const ReplayFolder&) = delete;

  // False with `error` set when the folder or its files cannot be made.
  bool Create(const std::string& archive, const std::optional<std::string>& ranking,
              std::string& error);
  // With its trailing separator.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int lock_ = -1;  // held on the folder while it is in use
};

// The ranking file's bytes as a recording stores them; none when it is missing or larger
// than any table.
std::optional<std::string> ReadRankingForRecording(const std::string& path);

}  // namespace tvx::replay
