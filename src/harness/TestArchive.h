// A small archive with every record the game asks for: five fonts, every picture key and
// every sound key, with tiny pictures and sound files that carry just their format's
// header (enough for the silent audio library). Whole-game tests play on it.
#pragma once

#include <string>
#include <vector>

namespace tvx::testing {

// The sound keys in table order: seven music slots, then the named sounds.
const std::vector<std::string>& TestSoundKeys();

enum class ArchiveContents { Everything, FontsOnly };

// Writes the archive to `path`; false if it cannot be written.
bool WriteTestArchive(const std::string& path,
                      ArchiveContents contents = ArchiveContents::Everything);

}  // namespace tvx::testing
