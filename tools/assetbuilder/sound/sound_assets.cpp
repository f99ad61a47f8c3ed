#include "assetbuilder/sound/sound_assets.h"

#include <functional>

#include "assetbuilder/sound/mod_writer.h"
#include "assetbuilder/sound/module_tunes.h"
#include "assetbuilder/sound/mp3_encoder.h"
#include "assetbuilder/sound/music_tunes.h"
#include "assetbuilder/sound/ogg_encoder.h"
#include "assetbuilder/sound/ordered_jobs.h"
#include "assetbuilder/sound/sound_effects.h"
#include "assetbuilder/sound/tracker_renderer.h"
#include "assetbuilder/sound/wav_writer.h"
#include "assetbuilder/sound/xm_writer.h"
#include "game/SoundNames.h"

namespace tvx {
namespace {

constexpr int kEffectKbps = 128;
constexpr int kMusicKbps = 160;
// LAME's standard quality for music; effects are short and noisy, the fast setting serves them.
constexpr int kMusicQuality = 5;
constexpr int kEffectQuality = 7;
constexpr float kOggQuality = 0.4f;  // about 128 kbit/s for stereo at 44.1 kHz

SoundAsset OggAsset(std::string key, const StereoBuffer& buffer) {
  return {std::move(key), EncodeOgg(buffer, kOggQuality), ToInterleavedPcm16(buffer)};
}

SoundAsset Mp3Asset(std::string key, const StereoBuffer& buffer, bool stereo, int kbps,
                    int quality) {
  return {std::move(key), EncodeMp3(buffer, stereo, kbps, quality), ToInterleavedPcm16(buffer)};
}

SoundAsset MonoWavAsset(std::string key, const StereoBuffer& buffer) {
  StereoBuffer mono = buffer;
  mono.left = DownmixToMono(buffer);
  mono.right = mono.left;
  std::vector<std::int16_t> pcm = ToInterleavedPcm16(mono);
  std::vector<std::int16_t> channel(pcm.size() / 2);
  for (std::size_t i = 0; i < channel.size(); ++i) channel[i] = pcm[2 * i];
  return {std::move(key), EncodeWav(channel, 1, kSampleRate), std::move(pcm)};
}

SoundAsset ModuleAsset(std::string key, const ModuleTune& tune) {
  const TrackerSong song = ArrangeModule(tune);
  std::vector<std::uint8_t> file = tune.format == TrackerFormat::kProTracker
                                       ? WriteProTrackerModule(song)
                                       : WriteFastTrackerModule(song);
  return {std::move(key), std::move(file), ToInterleavedPcm16(RenderTrackerSong(song))};
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
};

// The order is the archive table order the game relies on.
constexpr EffectEntry kEffects[] = {
    {&sound::JetEngine, JetEngineFiringUp, true},
    {&sound::HotIdle, HotIdle, true},
    {&sound::Engine, EngineHum, false},
    {&sound::RepairPickUp, RepairChime, false},
    {&sound::DizzyPickUp, DizzyBubble, true},
    {&sound::Bang, ContactKnock, false},
    {&sound::Explode, Explosion, true},
    {&sound::Crash, CarCrash, true},
    {&sound::BarrelDrop, BarrelThud, false},
    {&sound::SquealUp, CarTireSqueal, true},
    {&sound::SquealDown, TireSqueal, true},
    {&sound::SquealSide, CarTireSquealLong, true},
    {&sound::Whoosh, PassingWhoosh, true},
    {&sound::DoubleBeep, DoubleBeep, false},
    {&sound::Beep, SingleBeep, false},
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
      return slot.composeModule != nullptr ? ModuleAsset(slot.key, slot.composeModule())
                                           : OggAsset(slot.key, RenderTune(slot.composeStream()));
    });
  }
  for (const TuneEntry& tune : kMenuTunes) {
    jobs.push_back([&tune] {
      return Mp3Asset(*tune.key, RenderTune(tune.compose()), true, kMusicKbps, kMusicQuality);
    });
  }
  for (const EffectEntry& effect : kEffects) {
    jobs.push_back([&effect] {
      const StereoBuffer buffer = effect.render();
      return IsWavKey(*effect.key)
                 ? MonoWavAsset(*effect.key, buffer)
                 : Mp3Asset(*effect.key, buffer, effect.stereo, kEffectKbps, kEffectQuality);
    });
  }
  return RunOrderedJobs(jobs);
}

}  // namespace tvx
