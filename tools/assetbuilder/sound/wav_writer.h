// WavWriter: a 16-bit PCM RIFF WAVE file (44-byte canonical header) from interleaved samples.
#pragma once

#include <cstdint>
#include <vector>

namespace tvx {

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& interleaved, int channels,
                                    int sampleRate);

}  // namespace tvx
