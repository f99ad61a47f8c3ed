#include "core/Random.h"

namespace tvx {

namespace {
std::uint32_t seed = 0;
}

std::int32_t Random(std::int32_t n) {
  seed = seed * 134775813u + 1u;
  if (n <= 0) return 0;
  return static_cast<std::int32_t>(
      (static_cast<std::uint64_t>(seed) * static_cast<std::uint32_t>(n)) >> 32);
}

std::uint32_t RandSeed() { return seed; }
void SetRandSeed(std::uint32_t value) { seed = value; }

}  // namespace tvx
