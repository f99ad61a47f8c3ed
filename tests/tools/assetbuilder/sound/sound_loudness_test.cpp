// The built archive as the player hears it: every sound decoded by the platform's decoders and
// measured with libebur128 at the volume the game plays it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/SoundNames.h"
#include "sound_levels.h"

namespace tvx {
namespace {

using test::SoundLevels;

class BuiltSounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    sounds_ = test::MeasureArchiveSounds(TVX_RESOURCES_FILE, error);
    ASSERT_FALSE(sounds_.empty()) << error;
  }

  static const SoundLevels& Get(const std::string& key) {
    for (const SoundLevels& s : sounds_) {
      if (s.key == key) return s;
    }
    ADD_FAILURE() << key << " is not in the archive";
    return sounds_.front();
  }

  static bool IsModule(const SoundLevels& s) {
    return s.key.ends_with(".mod") || s.key.ends_with(".xm");
  }

  // The level music as heard in game, averaged over the streamed slots, in LUFS.
  static double LevelMusicInGame() {
    double sum = 0.0;
    int count = 0;
    for (int slot = 0; slot < sound::MusicSlots; ++slot) {
      if (IsModule(sounds_[static_cast<std::size_t>(slot)])) continue;
      sum += sounds_[static_cast<std::size_t>(slot)].gameLufs;
      ++count;
    }
    return sum / std::max(count, 1);
  }

  static std::vector<SoundLevels> sounds_;
};

std::vector<SoundLevels> BuiltSounds::sounds_;

// Energy of a band-passed copy of the left channel, as a fraction of the whole.
double BandShare(const std::vector<float>& stereo, double lowHz, double highHz) {
  const double centre = std::sqrt(lowHz * highHz);
  const double q = centre / (highHz - lowHz);
  const double w = 2.0 * std::numbers::pi * centre / 44100.0;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0;
  const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0, band = 0, all = 0;
  for (std::size_t i = 0; i < stereo.size(); i += 2) {
    const double x = stereo[i];
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    band += y * y;
    all += x * x;
  }
  return all > 0.0 ? band / all : 0.0;
}

TEST_F(BuiltSounds, TunesSitAtTheBroadcastLoudnessInGameAndNothingPeaksAboveMinusOneDbtp) {
  for (const SoundLevels& s : sounds_) {
    EXPECT_LE(s.truePeakDb, -1.0) << s.key;
    if (!s.music || IsModule(s)) continue;
    EXPECT_NEAR(s.gameLufs, -23.0, 1.5) << s.key << " at volume " << s.volume;
  }
}

TEST_F(BuiltSounds, EffectsStandOutOfTheLevelMusicByTheirRank) {
  const double music = LevelMusicInGame();
  const auto above = [&](const std::string& key) { return Get(key).gameLufs - music; };
  EXPECT_GE(above(sound::Crash), 4.0);
  EXPECT_LE(above(sound::Crash), 8.0);
  // Played at a fifth of full volume, the blast is as dense as its file allows under the peak
  // limit, which puts it above the music but short of the crash.
  EXPECT_GE(above(sound::Explode), 1.0);
  EXPECT_LE(above(sound::Explode), 8.0);
  for (const std::string* key : {&sound::RepairPickUp, &sound::DizzyPickUp}) {
    EXPECT_GE(above(*key), 2.0) << *key;
    EXPECT_LE(above(*key), 6.0) << *key;
  }
  for (const std::string* key : {&sound::Beep, &sound::DoubleBeep}) {
    EXPECT_GE(above(*key), 0.0) << *key;
    EXPECT_LE(above(*key), 4.0) << *key;
  }
  // The engine is heard over the music, and not only below 0.7 kHz where the tunes are loud.
  EXPECT_GE(above(sound::Engine), -1.0);
  EXPECT_GE(BandShare(Get(sound::Engine).stereo, 1000.0, 3000.0), 0.05);
}

TEST_F(BuiltSounds, LoopsCarryNoDcOffsetAndTheStingEndsWithinTheLevelIntro) {
  for (const SoundLevels& s : sounds_) {
    // Modules are mixed by the decoder, out of the builder's reach.
    if (s.looped && !IsModule(s)) {
      EXPECT_LE(s.dcOffset, 0.002) << s.key;
    }
  }
  // The level intro runs ten 150 ms steps and stops the sting when the level starts.
  EXPECT_LE(Get(sound::IntroSting).seconds, 1.4);
}

}  // namespace
}  // namespace tvx
