// The program's one random source: a 32-bit linear congruential generator that starts at
// seed 0 and is never seeded from the clock, so every run draws the same sequence. The order
// of draws is part of the game's behaviour.
#pragma once

#include <cstdint>

namespace tvx {

// A value 0 <= r < n (0 for n <= 0).
std::int32_t Random(std::int32_t n);

// The generator's state, for tests that replay a run from its start.
std::uint32_t RandSeed();
void SetRandSeed(std::uint32_t seed);

}  // namespace tvx
