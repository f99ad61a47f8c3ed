// The ranking file: the table text, every byte scrambled with the ranking key, as one zlib
// stream at the best compression and nothing before or after it. The file comes from disk
// and is untrusted: a stream that does not inflate completely, has bytes after its end, or
// would inflate past a size no table reaches is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tvx {

// The scrambling maps each byte b to (key - 1 - b) mod 256; applied twice it gives b back.
std::string ScrambleRankingText(const std::string& text);

// The table text the file holds, or nothing when it is missing, unreadable or damaged.
std::optional<std::string> LoadRankingFile(const std::string& fileName);

// Writes the text beside the file first and then puts it in the file's place, so that a
// failed write never leaves a half-written table. False when the file could not be written,
// with the system's reason in `reason` when given.
bool SaveRankingFile(const std::string& text, const std::string& fileName,
                     std::string* reason = nullptr);

// Where a damaged file is set aside: `fileName`.damaged, or .damaged.1, .damaged.2, ... when
// earlier ones exist, so that no damaged table replaces another.
std::string DamagedFileName(const std::string& fileName);

}  // namespace tvx
