// WAV records whose chunk sizes promise more than the record holds are refused before the
// decoder sizes anything for them; every allocation made while loading one is watched
// through SDL's memory functions.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "harness/TestSounds.h"
#include "platform/audio/WaveSample.h"

namespace tvx::test {
namespace {

std::size_t largestRequest = 0;
SDL_malloc_func realMalloc = nullptr;
SDL_calloc_func realCalloc = nullptr;
SDL_realloc_func realRealloc = nullptr;
SDL_free_func realFree = nullptr;

void* WatchedMalloc(std::size_t size) {
  largestRequest = std::max(largestRequest, size);
  return realMalloc(size);
}
void* WatchedCalloc(std::size_t count, std::size_t size) {
  largestRequest = std::max(largestRequest, count * size);
  return realCalloc(count, size);
}
void* WatchedRealloc(void* block, std::size_t size) {
  largestRequest = std::max(largestRequest, size);
  return realRealloc(block, size);
}

// The largest block SDL was asked for while the record was decoded, and whether it loaded.
std::pair<bool, std::size_t> Decode(const Bytes& record) {
  SDL_GetMemoryFunctions(&realMalloc, &realCalloc, &realRealloc, &realFree);
  SDL_SetMemoryFunctions(WatchedMalloc, WatchedCalloc, WatchedRealloc, realFree);
  largestRequest = 0;
  std::vector<float> stereo;
  const bool loaded = audio_detail::DecodeWave(record.data(), record.size(), stereo);
  SDL_SetMemoryFunctions(realMalloc, realCalloc, realRealloc, realFree);
  return {loaded, largestRequest};
}

Bytes WithField(Bytes record, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) record[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return record;
}

TEST(WaveRecordSizes, ChunkSizesBeyondTheRecordAreRefusedWithoutAllocatingForThem) {
  const Bytes wave = MakeWave(2000, 44100, 1);  // 16-bit mono PCM, 4044 bytes
  constexpr std::size_t kBound = 1 << 20;
  const auto [loads, used] = Decode(wave);
  EXPECT_TRUE(loads);
  EXPECT_LT(used, kBound);

  Bytes listed(wave.begin(), wave.begin() + 36);  // an unknown chunk before the data
  for (const char c : std::string("LIST")) listed.push_back(static_cast<std::uint8_t>(c));
  for (int i = 0; i < 4; ++i) listed.push_back(0xFF);
  listed.insert(listed.end(), wave.begin() + 36, wave.end());

  for (const Bytes& damaged :
       {WithField(wave, 40, 0xFFFF675C), WithField(wave, 40, 0x7FFFFFFF), WithField(wave, 40, 4001),
        WithField(wave, 16, 0xF581F55C), listed}) {
    const auto [loaded, largest] = Decode(damaged);
    EXPECT_FALSE(loaded);
    EXPECT_LT(largest, kBound);
  }
}

}  // namespace
}  // namespace tvx::test
