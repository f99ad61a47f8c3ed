// A replay file read into memory and checked as a whole before any of it is played: its
// header (format, version, the ranking file it began with) and its entries. A file that is
// too large, of another format or version, or has a damaged line is refused with a message
// that names the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/replay/ReplayFormat.h"

namespace tvx::replay {

struct ReplayScript {
  std::string name;  // the file, for messages
  // The bytes of the ranking file when the recording began; none when there was none.
  std::optional<std::string> ranking;
  std::vector<Entry> entries;
};

// The header lines a recording starts with.
std::string FormatHeader(const std::optional<std::string>& ranking);

std::optional<ReplayScript> ParseReplay(std::string_view text, std::string name,
                                        std::string& error);
std::optional<ReplayScript> LoadReplay(const std::string& path, std::string& error);

}  // namespace tvx::replay
