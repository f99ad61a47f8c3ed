// A replay file read into memory and checked as a whole before any of it is played: its
// header (format, version, the ranking file it began with) and the text of its entries, which
// are read again one by one as they are played, so that a replay takes little more memory
// than its file. A file that is
// too large, of another format or version, or has a damaged line is refused with a message
// that names the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/replay/ReplayFormat.h"

namespace tvx::replay {

struct ReplayScript {
  std::string name;  // the file, for messages
  // The bytes of the ranking file when the recording began; none when there was none.
  std::optional<std::string> ranking;
  // The entry lines after the header, every one checked; `firstLine` is the file's line
  // number of the first.
  std::string entries;
  std::uint32_t firstLine = 0;
};

// The entry at `offset` of the script's entry lines, passing over blank and comment lines;
// false at the end. `offset` and `line` (its line number) move past it.
bool ReadEntryAt(const ReplayScript& script, std::size_t& offset, std::uint32_t& line,
                 Entry& entry);

// The header lines a recording starts with.
std::string FormatHeader(const std::optional<std::string>& ranking);

std::optional<ReplayScript> ParseReplay(std::string_view text, std::string name,
                                        std::string& error);
std::optional<ReplayScript> LoadReplay(const std::string& path, std::string& error);

}  // namespace tvx::replay
