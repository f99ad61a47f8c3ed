#include "assetbuilder/sound/sound_assets.h"

#include <cmath>
#include <functional>

#include "assetbuilder/sound/loudness.h"
#include "assetbuilder/sound/mod_writer.h"
#include "assetbuilder/sound/module_tunes.h"
#include "assetbuilder/sound/mp3_encoder.h"
#include "assetbuilder/sound/music_tunes.h"
#include "assetbuilder/sound/ogg_encoder.h"
#include "assetbuilder/sound/ordered_jobs.h"
#include "assetbuilder/sound/sound_decoding.h"
#include "assetbuilder/sound/sound_effects.h"
#include "assetbuilder/sound/wav_writer.h"
#include "assetbuilder/sound/xm_writer.h"
#include "game/SoundNames.h"
#include "sound/SoundSystem.h"

namespace tvx {
namespace {

constexpr int kEffectKbps = 128;
constexpr int kMusicKbps = 160;
// LAME's standard quality for music; effects are short and noisy, the fast setting serves them.
constexpr int kMusicQuality = 5;
constexpr int kEffectQuality = 7;
constexpr float kOggQuality = 0.4f;  // about 128 kbit/s for stereo at 44.1 kHz

// Every tune is heard in game at the broadcast loudness; effects are ranked against it.
constexpr double kMusicGameLufs = -23.0;
// Sample peaks stay under this, which leaves the codecs room below -1 dB true peak.
constexpr float kCeilingDb = -2.5f;
constexpr float kDrivenCeilingDb = -3.0f;
constexpr float kDrivenHighPassHz = 30.0f;
constexpr float kDrivenFadeMs = 5.0f;
constexpr double kLoudnessSlack = 0.15;  // LU
// The decoder's output of a module cannot be limited, so its peaks keep a margin of their own.
constexpr float kModuleCeilingDb = -1.4f;
constexpr int kModulePasses = 3;

// The loudness a sound needs in its file to be heard at `gameLufs` at the game's volume.
double FileLufs(double gameLufs, int volume) {
  return gameLufs - 20.0 * std::log10(std::max(volume, 1) / 100.0);
}

// Levels for the file loudness, encodes, and listens to the file through the game's decoders:
// the codecs' low-pass takes some loudness (most from hiss), so a miss is corrected once.
SoundAsset EncodeLevelled(
    std::string key, StereoBuffer buffer, double fileLufs, bool loop,
    const std::function<std::vector<std::uint8_t>(const StereoBuffer&)>& encode,
    float ceilingDb = kCeilingDb) {
  LevelTo(buffer, fileLufs, ceilingDb, loop);
  // The limiter's gain rides on any asymmetry, so a loop's mean goes after it.
  if (loop) RemoveMean(buffer);
  std::vector<std::uint8_t> file = encode(buffer);
  std::vector<float> heard = DecodeSoundFile(key, file.data(), file.size());
  const double miss = fileLufs - IntegratedLoudness(FromInterleaved(heard));
  if (std::fabs(miss) > kLoudnessSlack) {
    LevelTo(buffer, IntegratedLoudness(buffer) + miss, ceilingDb, loop);
    if (loop) RemoveMean(buffer);
    file = encode(buffer);
    heard = DecodeSoundFile(key, file.data(), file.size());
  }
  return {std::move(key), std::move(file), ToInterleavedPcm16(FromInterleaved(heard))};
}

SoundAsset OggAsset(std::string key, const StereoBuffer& buffer, double fileLufs) {
  return EncodeLevelled(std::move(key), buffer, fileLufs, true,
                        [](const StereoBuffer& b) { return EncodeOgg(b, kOggQuality); });
}

SoundAsset Mp3Asset(std::string key, const StereoBuffer& buffer, double fileLufs, bool loop,
                    bool stereo, int kbps, int quality, float ceilingDb = kCeilingDb) {
  return EncodeLevelled(
      std::move(key), buffer, fileLufs, loop,
      [=](const StereoBuffer& b) { return EncodeMp3(b, stereo, kbps, quality); }, ceilingDb);
}

std::vector<std::uint8_t> MonoWav(const StereoBuffer& buffer) {
  StereoBuffer mono = buffer;
  mono.left = DownmixToMono(buffer);
  mono.right = mono.left;
  std::vector<std::int16_t> pcm = ToInterleavedPcm16(mono);
  std::vector<std::int16_t> channel(pcm.size() / 2);
  for (std::size_t i = 0; i < channel.size(); ++i) channel[i] = pcm[2 * i];
  return EncodeWav(channel, 1, kSampleRate);
}

// A module plays as the decoder mixes it, so it is levelled by its volumes: scaled towards the
// file loudness as far as the peak ceiling and the full volume of 64 allow. The loudest take
// under the ceiling is kept.
SoundAsset ModuleAsset(std::string key, const ModuleTune& composed, double fileLufs) {
  SoundAsset best{key, {}, {}};
  float gain = 1.0f;
  for (int pass = 0; pass < kModulePasses; ++pass) {
    const TrackerSong song = ArrangeModule(WithVolumes(composed, gain));
    std::vector<std::uint8_t> file = composed.format == TrackerFormat::kProTracker
                                         ? WriteProTrackerModule(song)
                                         : WriteFastTrackerModule(song);
    const StereoBuffer heard = FromInterleaved(DecodeSoundFile(key, file.data(), file.size()));
    const float peak = OversampledPeak(heard);
    if (peak <= 0.0f) break;
    const double peakRoom = kModuleCeilingDb - 20.0 * std::log10(peak);
    const double room = std::min(fileLufs - IntegratedLoudness(heard), peakRoom);
    if (peakRoom >= 0.0 || best.file.empty()) {
      best.file = std::move(file);
      best.reviewPcm = ToInterleavedPcm16(heard);
    }
    if (std::fabs(room) < kLoudnessSlack) break;
    gain *= static_cast<float>(std::pow(10.0, room / 20.0));
  }
  return best;
}

struct TuneEntry {
  const std::string* key;
  Tune (*compose)();
};

// The seven level music slots, in slot order: modules and OGG streams alternate.
struct SlotEntry {
  const char* key;
  Tune (*composeStream)();
  ModuleTune (*composeModule)();
};

constexpr SlotEntry kMusicSlots[] = {
    {"track0.ogg", NeonHighwayTune, nullptr},   {"track1.mod", nullptr, PixelRushModule},
    {"track2.ogg", OverdriveTune, nullptr},     {"track3.xm", nullptr, FunkDriveModule},
    {"track4.ogg", AcidFactoryTune, nullptr},   {"track5.mod", nullptr, TurboEurobeatModule},
    {"track6.xm", nullptr, NightCircuitModule},
};

constexpr TuneEntry kMenuTunes[] = {
    {&sound::TitleMusic, MonolithTitleTune},
    {&sound::IntroSting, NextLevelSting},
    {&sound::GameOverMusic, AftermathTune},
    {&sound::RankingMusic, FrequencyTune},
};

struct EffectEntry {
  const std::string* key;
  StereoBuffer (*render)();
  bool stereo;
  double aboveMusic;     // LU above the level music, as heard in game
  float driveDb = 0.0f;  // saturation before levelling, for a sound the game plays quietly
};

// The order is the archive table order the game relies on. Impacts stand out most, pick-ups
// next, the interface and the car's own sounds just above the music; the smoke hisses below.
constexpr EffectEntry kEffects[] = {
    {&sound::JetEngine, JetEngineFiringUp, true, 2.0},
    {&sound::HotIdle, HotIdle, true, -3.0},
    {&sound::Engine, EngineHum, false, 0.5},
    {&sound::RepairPickUp, RepairChime, false, 4.0},
    {&sound::DizzyPickUp, DizzyBubble, true, 4.0},
    {&sound::Bang, ContactKnock, false, 4.0},
    {&sound::Explode, Explosion, true, 4.0, 36.0f},
    {&sound::Crash, CarCrash, true, 6.0},
    {&sound::BarrelDrop, BarrelThud, false, 3.0},
    {&sound::SquealUp, CarTireSqueal, true, 1.0},
    {&sound::SquealDown, TireSqueal, true, 0.5},
    {&sound::SquealSide, CarTireSquealLong, true, 1.0},
    {&sound::Whoosh, PassingWhoosh, true, 1.0},
    {&sound::DoubleBeep, DoubleBeep, false, 2.0},
    {&sound::Beep, SingleBeep, false, 2.0},
};

bool IsWavKey(const std::string& key) {
  return key.size() > 4 && key.compare(key.size() - 4, 4, ".wav") == 0;
}

}  // namespace

std::vector<SoundAsset> BuildSoundAssets() {
  // The longest jobs come first in the table, which keeps the workers evenly loaded.
  std::vector<std::function<SoundAsset()>> jobs;
  for (const SlotEntry& slot : kMusicSlots) {
    jobs.push_back([&slot] {
      if (slot.composeModule != nullptr) {
        return ModuleAsset(slot.key, slot.composeModule(),
                           FileLufs(kMusicGameLufs, sound::LevelMusicVolume));
      }
      return OggAsset(slot.key, RenderTune(slot.composeStream()),
                      FileLufs(kMusicGameLufs, sound::LevelMusicVolume));
    });
  }
  for (const TuneEntry& tune : kMenuTunes) {
    jobs.push_back([&tune] {
      const Tune composed = tune.compose();
      const double lufs =
          FileLufs(kMusicGameLufs, sound::PlayVolume(*tune.key, TSoundSystem::LoadVolume));
      return Mp3Asset(*tune.key, RenderTune(composed), lufs, composed.loop, true, kMusicKbps,
                      kMusicQuality);
    });
  }
  for (const EffectEntry& effect : kEffects) {
    jobs.push_back([&effect] {
      const double lufs = FileLufs(kMusicGameLufs + effect.aboveMusic,
                                   sound::PlayVolume(*effect.key, TSoundSystem::LoadVolume));
      const bool loop = *effect.key == sound::HotIdle;
      StereoBuffer buffer = effect.render();
      if (effect.driveDb > 0.0f) {
        Saturate(buffer, effect.driveDb);
        HighPass(buffer, kDrivenHighPassHz);
        // Saturation lifts the quiet edges too; they fade again, and 10 ms of silence ahead
        // keep the codec's spread of the attack off the first sample.
        FadeEdges(buffer, kDrivenFadeMs, kDrivenFadeMs);
        const std::size_t lead = SecondsToFrames(0.01);
        buffer.left.insert(buffer.left.begin(), lead, 0.0f);
        buffer.right.insert(buffer.right.begin(), lead, 0.0f);
      }
      if (IsWavKey(*effect.key)) return EncodeLevelled(*effect.key, buffer, lufs, loop, MonoWav);
      // A saturated sound is dense up high, where the codec overshoots most.
      const float ceiling = effect.driveDb > 0.0f ? kDrivenCeilingDb : kCeilingDb;
      return Mp3Asset(*effect.key, buffer, lufs, loop, effect.stereo, kEffectKbps, kEffectQuality,
                      ceiling);
    });
  }
  return RunOrderedJobs(jobs);
}

}  // namespace tvx
