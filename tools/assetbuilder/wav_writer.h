// Writes 16-bit PCM as a RIFF WAVE file (44100 Hz stereo, interleaved), for sound review.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx::assets {

bool WriteStereoWav(const std::string& path, const std::vector<std::int16_t>& interleaved);

}  // namespace tvx::assets
