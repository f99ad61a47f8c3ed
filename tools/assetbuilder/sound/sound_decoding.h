// SoundDecoding: a sound file of the archive decoded the way the game hears it, through the
// platform's own decoders (libopenmpt for modules, mpg123, vorbisfile, SDL for WAV), as
// 44100 Hz interleaved stereo floats. Modules play once through, with the volume ramping the
// game loads them with. Review WAVs and the level checks both listen through this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tvx {

// At most this many frames (ten minutes) are decoded from one file.
inline constexpr std::size_t kMaxDecodedFrames = std::size_t{600} * 44100;

// Empty when the key names no sound kind or the data does not decode.
std::vector<float> DecodeSoundFile(std::string_view key, const std::uint8_t* data,
                                   std::size_t size);

}  // namespace tvx
