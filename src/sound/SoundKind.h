// The kind of a sound follows from its archive key's extension alone: tracker modules load as
// the audio library's music, MP3 and OGG as streams, WAV as samples; anything else is skipped.
#pragma once

#include <cstdint>
#include <string_view>

namespace tvx {

enum class TSoundKind : std::uint8_t { skNone = 0, skModule = 1, skMp3 = 2, skOgg = 3, skWave = 4 };

// Looks at the text from the last "." on, with a-z folded to A-Z.
TSoundKind SoundKindOf(std::string_view key);

}  // namespace tvx
