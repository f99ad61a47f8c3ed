#include "sound_levels.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "archive/PxDb.h"
#include "archive/RecordTypes.h"
#include "assetbuilder/sound/sound_decoding.h"
#include "core/Component.h"
#include "core/MemoryStream.h"
#include "game/SoundGroups.h"
#include "game/SoundNames.h"
#include "sound/SoundSystem.h"

namespace tvx::test {
namespace {

constexpr unsigned kRate = 44100;
constexpr std::size_t kBlockFrames = kRate * 4 / 10;

// The game plays these looped: the music slots and the menu tunes, and the smoke's hiss.
bool PlayedLooped(int index, const std::string& key) {
  if (index < sound::MusicSlots) return true;
  return key == sound::TitleMusic || key == sound::GameOverMusic || key == sound::RankingMusic ||
         key == sound::HotIdle;
}

double DcOffset(const std::vector<float>& stereo) {
  double sums[2] = {0.0, 0.0};
  for (std::size_t i = 0; i < stereo.size(); ++i) sums[i % 2] += stereo[i];
  const double frames = std::max<double>(1.0, static_cast<double>(stereo.size() / 2));
  return std::max(std::fabs(sums[0]), std::fabs(sums[1])) / frames;
}

}  // namespace

int InGameVolume(int index, const std::string& key) {
  if (index < sound::MusicSlots) return sound::LevelMusicVolume;
  return sound::PlayVolume(key, TSoundSystem::LoadVolume);
}

bool MeasureLoudness(const std::vector<float>& stereo, double& lufs, double& truePeakDb) {
  std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> meter(
      ebur128_init(2, kRate, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK),
      [](ebur128_state* state) { ebur128_destroy(&state); });
  if (!meter) return false;
  const std::size_t frames = stereo.size() / 2;
  if (ebur128_add_frames_float(meter.get(), stereo.data(), frames) != EBUR128_SUCCESS) return false;
  if (frames < kBlockFrames) {
    const std::vector<float> silence(2 * (kBlockFrames - frames), 0.0f);
    if (ebur128_add_frames_float(meter.get(), silence.data(), kBlockFrames - frames) !=
        EBUR128_SUCCESS) {
      return false;
    }
  }
  double peaks[2] = {0.0, 0.0};
  if (ebur128_loudness_global(meter.get(), &lufs) != EBUR128_SUCCESS ||
      ebur128_true_peak(meter.get(), 0, &peaks[0]) != EBUR128_SUCCESS ||
      ebur128_true_peak(meter.get(), 1, &peaks[1]) != EBUR128_SUCCESS) {
    return false;
  }
  truePeakDb = 20.0 * std::log10(std::max({peaks[0], peaks[1], 1e-9}));
  return std::isfinite(lufs);
}

std::vector<SoundLevels> MeasureArchiveSounds(const std::string& path, std::string& error) {
  TComponent root(nullptr);
  auto* archive = CreateComponent<TPxDb>(&root);
  archive->SetFileName(path);
  archive->OpenMode = TOpenModes::opReadOnly;
  if (!archive->EnsureOpen()) {
    error = "cannot open " + path;
    return {};
  }
  std::vector<SoundLevels> sounds;
  for (int record = 0; record < archive->RecordCount(); ++record) {
    if (archive->RecordType(record) != SoundRecordType) continue;
    SoundLevels levels;
    levels.index = static_cast<int>(sounds.size());
    levels.key = archive->RecordKey(record);
    TMemoryStream bytes;
    if (!archive->ReadStream(levels.key, bytes)) {
      error = "cannot read " + levels.key;
      return {};
    }
    levels.stereo = DecodeSoundFile(levels.key, bytes.Memory(), bytes.Size());
    if (levels.stereo.empty() ||
        !MeasureLoudness(levels.stereo, levels.fileLufs, levels.truePeakDb)) {
      error = "cannot decode or measure " + levels.key;
      return {};
    }
    levels.music = IsMusicSound(levels.index, levels.key);
    levels.looped = PlayedLooped(levels.index, levels.key);
    levels.seconds = static_cast<double>(levels.stereo.size() / 2) / kRate;
    levels.volume = InGameVolume(levels.index, levels.key);
    levels.gameLufs = levels.fileLufs + 20.0 * std::log10(levels.volume / 100.0);
    levels.dcOffset = DcOffset(levels.stereo);
    sounds.push_back(std::move(levels));
  }
  if (sounds.empty()) error = "no sounds in " + path;
  return sounds;
}

}  // namespace tvx::test
