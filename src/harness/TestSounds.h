// Sound files made on the spot for the audio tests, the benchmark and the fuzz seeds, written
// by the asset builder's own WAV, MP3 (with its gapless tag), OGG and ProTracker writers.
// Every generator is deterministic.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace tvx::test {

using Bytes = std::vector<std::uint8_t>;

// Amplitude of the tone at a given frame (0..1); the tone is a 440 Hz sine.
using Envelope = std::function<float(std::size_t frame, std::size_t frames)>;
float SteadyHalf(std::size_t frame, std::size_t frames);
// Rises from 0.1 to 0.9 over the sound, so a restart shows as a drop.
float Rising(std::size_t frame, std::size_t frames);

Bytes MakeWave(std::size_t frames, int rate = 44100, int channels = 2,
               const Envelope& envelope = SteadyHalf);
Bytes MakeMp3(std::size_t frames, const Envelope& envelope = SteadyHalf);
Bytes MakeOgg(std::size_t frames, const Envelope& envelope = SteadyHalf);
// Four channels, one looped square-wave sample played for `rows` rows at speed 1 (50 rows/s).
Bytes MakeModule(int rows = 32);

// `count` pseudo-random bytes from `seed`.
Bytes RandomBytes(std::size_t count, std::uint32_t seed);

}  // namespace tvx::test
