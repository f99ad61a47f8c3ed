// sound_levels <resources.tvx>: a Markdown table of every sound of the archive as the game
// plays it: key, length, integrated loudness in the file and in game, true peak, DC offset.
#include <cstdio>
#include <string>

#include "sound_levels.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sound_levels <resources.tvx>\n");
    return 2;
  }
  std::string error;
  const auto sounds = tvx::test::MeasureArchiveSounds(argv[1], error);
  if (sounds.empty()) {
    std::fprintf(stderr, "sound_levels: %s\n", error.c_str());
    return 1;
  }
  std::printf("| key | length s | file LUFS | volume | in game LUFS | true peak dBTP | DC %% |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
  for (const auto& s : sounds) {
    std::printf("| %s | %.2f | %.1f | %d | %.1f | %.1f | %.2f |\n", s.key.c_str(), s.seconds,
                s.fileLufs, s.volume, s.gameLufs, s.truePeakDb, 100.0 * s.dcOffset);
  }
  return 0;
}
