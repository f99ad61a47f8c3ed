// The levels of every sound of an archive as the game plays it: each record decoded by the
// platform's decoders, its integrated loudness (EBU R128) and true peak measured with
// libebur128, and the loudness it has in game at the volume the game sets for it.
#pragma once

#include <string>
#include <vector>

namespace tvx::test {

struct SoundLevels {
  int index = 0;  // in the archive's sound order
  std::string key;
  bool music = false;
  bool looped = false;
  double seconds = 0.0;
  double fileLufs = 0.0;
  int volume = 100;  // the game's volume for it, 0..100
  double gameLufs = 0.0;
  double truePeakDb = 0.0;
  double dcOffset = 0.0;      // mean sample of the louder channel, of full scale
  std::vector<float> stereo;  // 44100 Hz interleaved, as decoded
};

// The volume the game sets before it plays the sound.
int InGameVolume(int index, const std::string& key);

// Integrated loudness and true peak of 44100 Hz interleaved stereo; sounds shorter than one
// 400 ms measuring block are measured with silence after them. False when the meter fails.
bool MeasureLoudness(const std::vector<float>& stereo, double& lufs, double& truePeakDb);

// Every sound record of the archive at `path`, in order; empty with `error` set on failure.
std::vector<SoundLevels> MeasureArchiveSounds(const std::string& path, std::string& error);

}  // namespace tvx::test
