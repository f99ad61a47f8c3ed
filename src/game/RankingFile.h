// The ranking file: the table text, every byte scrambled with the ranking key, as one zlib
// stream at the best compression and nothing before or after it. The file comes from disk
// and is untrusted: a stream that does not inflate completely, has bytes after its end, or
// would inflate past a size no table reaches is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/FileBytes.h"

namespace tvx {

// The scrambling maps each byte b to (key - 1 - b) mod 256; applied twice it gives b back.
std::string ScrambleRankingText(const std::string& text);

// What reading the file gave: whether it was there and could be read, and when it was read,
// the table text, or nothing when the bytes are damaged.
struct RankingFileText {
  FileRead read = FileRead::Missing;
  std::optional<std::string> text;
  std::string reason;  // why it could not be read
};
RankingFileText ReadRankingFile(const std::string& fileName);

// The table text the file holds, or nothing when it is missing, unreadable or damaged.
std::optional<std::string> LoadRankingFile(const std::string& fileName);

// Writes the text beside the file first (TemporaryRankingName), syncs it and then puts it in
// the file's place, so that neither a failed write nor a crash leaves a half-written table.
// False when the file could not be written, with the system's reason in `reason` when given.
bool SaveRankingFile(const std::string& text, const std::string& fileName,
                     std::string* reason = nullptr);

// Where a save writes before it replaces the file; one left by a crash is removed later.
std::string TemporaryRankingName(const std::string& fileName);

}  // namespace tvx
