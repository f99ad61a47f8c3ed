// Writes a replay file while the game runs. An action starts a block that holds it and the
// answers that follow; a block that repeats the one before it exactly is counted instead of
// written again ("repeat N"), so the long steady stretches of a game cost one line. The
// lines are built in buffers that keep their capacity, so recording a frame does not
// allocate once the buffers have grown.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/replay/ReplayFormat.h"

namespace tvx::replay {

class ReplayWriter {
 public:
  ReplayWriter() = default;
  ~ReplayWriter();
  ReplayWriter(const ReplayWriter&) = delete;
  ReplayWriter& operator=(const ReplayWriter&) = delete;

  // Creates the file and writes its header; false with `error` set when it cannot, or when
  // the file exists and `replace` is false.
  bool Open(const std::string& path, const std::optional<std::string>& ranking, bool replace,
            std::string& error);
  bool IsOpen() const { return file_ != nullptr; }

  void Write(const Entry& entry);
  // Writes what is pending and the end line, and closes the file; false with `error` set
  // when anything could not be written. Later entries are dropped.
  bool Finish(std::string& error);

 private:
  void CloseBlock();
  void Put(const std::string& text);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string block_;          // the open block: an action and its answers
  std::string previousBlock_;  // the last block written
  std::int64_t repeats_ = 0;   // times the last block written came again since
  bool failed_ = false;
};

}  // namespace tvx::replay
