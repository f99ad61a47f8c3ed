// Prints how long the sound assets take to build: the whole table (wall and CPU time, which
// differ by the worker threads), then the synthesis and each encoder on one level tune.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "assetbuilder/sound/mp3_encoder.h"
#include "assetbuilder/sound/music_tunes.h"
#include "assetbuilder/sound/ogg_encoder.h"
#include "assetbuilder/sound/sound_assets.h"

namespace {

template <typename Work>
void Measure(const char* what, Work work) {
  const auto wallStart = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  work();
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  std::printf("%-34s wall %6.2f s   cpu %6.2f s\n", what, wall, cpu);
}

}  // namespace

int main() {
  std::size_t bytes = 0;
  double seconds = 0.0;
  Measure("BuildSoundAssets (all sounds)", [&] {
    for (const tvx::SoundAsset& asset : tvx::BuildSoundAssets()) {
      bytes += asset.file.size();
      seconds += asset.reviewPcm.size() / 2 / 44100.0;
    }
  });
  std::printf("%-34s %zu bytes, %.1f s of audio\n", "  table", bytes, seconds);
  tvx::StereoBuffer tune;
  Measure("RenderTune (synthwave level tune)",
          [&] { tune = tvx::RenderTune(tvx::NeonHighwayTune()); });
  Measure("EncodeOgg (same tune)", [&] { tvx::EncodeOgg(tune, 0.4f); });
  Measure("EncodeMp3 160 kbit/s (same tune)", [&] { tvx::EncodeMp3(tune, true, 160, 5); });
  return 0;
}
