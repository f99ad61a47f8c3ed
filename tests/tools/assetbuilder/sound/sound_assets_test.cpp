// The archive's sound table: order, kinds, levels, loop joins and durations (two builds giving
// the same bytes is the deterministic build test's).
#include "assetbuilder/sound/sound_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "asset_fixture.h"
#include "game/SoundNames.h"

namespace tvx {
namespace {

using test::BuiltAssets;
using test::EndsWith;
using test::FindAsset;
using test::ReviewSeconds;

const std::vector<std::string>& kNamedKeys = sound::NamedSounds;

// The sounds that the game plays looped, music slots included.
bool Loops(const std::string& key) {
  static const std::set<std::string> kLooped = {"moholithic.mp3", "Aftermath451.mp3",
                                                "frequency.mp3", "hotidle.mp3"};
  return key.rfind("track", 0) == 0 || kLooped.count(key) > 0;
}

bool IsModuleKey(const std::string& key) { return EndsWith(key, ".mod") || EndsWith(key, ".xm"); }

int Peak(const std::vector<std::int16_t>& pcm) {
  int peak = 0;
  for (std::int16_t s : pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// The largest step between neighbouring frames of one channel within `frames` of the start.
int LargestStep(const std::vector<std::int16_t>& pcm, std::size_t frames) {
  int largest = 0;
  for (std::size_t i = 2; i < std::min(pcm.size(), 2 * frames); ++i) {
    largest = std::max(largest, std::abs(pcm[i] - pcm[i - 2]));
  }
  return largest;
}

TEST(SoundTableTest, SevenMusicSlotsThenTheNamedSoundsInOrderUsingEveryKind) {
  {
    const auto& assets = BuiltAssets();
    ASSERT_EQ(assets.size(), 7 + kNamedKeys.size());
    std::set<std::string> slotKinds;
    for (std::size_t slot = 0; slot < 7; ++slot) {
      const std::string& key = assets[slot].key;
      EXPECT_EQ(key.rfind("track" + std::to_string(slot) + ".", 0), 0u) << key;
      ASSERT_TRUE(IsModuleKey(key) || EndsWith(key, ".ogg")) << key;
      slotKinds.insert(IsModuleKey(key) ? "module" : "ogg");
    }
    EXPECT_EQ(slotKinds.size(), 2u);
    for (std::size_t i = 0; i < kNamedKeys.size(); ++i) EXPECT_EQ(assets[7 + i].key, kNamedKeys[i]);
  }
  {
    bool mod = false, xm = false, ogg = false, mp3 = false, wav = false;
    for (const SoundAsset& asset : BuiltAssets()) {
      mod |= EndsWith(asset.key, ".mod");
      xm |= EndsWith(asset.key, ".xm");
      ogg |= EndsWith(asset.key, ".ogg");
      mp3 |= EndsWith(asset.key, ".mp3");
      wav |= EndsWith(asset.key, ".wav");
      EXPECT_FALSE(asset.file.empty()) << asset.key;
      EXPECT_FALSE(asset.reviewPcm.empty()) << asset.key;
      EXPECT_EQ(asset.reviewPcm.size() % 2, 0u) << asset.key;
    }
    EXPECT_TRUE(mod && xm && ogg && mp3 && wav);
  }
}

TEST(SoundLevelsTest, NothingClipsAndEveryEffectIsHeard) {
  for (std::size_t i = 0; i < BuiltAssets().size(); ++i) {
    const SoundAsset& asset = BuiltAssets()[i];
    const int peak = Peak(asset.reviewPcm);
    EXPECT_LE(peak, 29300) << asset.key;  // -1 dBFS is 29204
    if (i >= 7 + 4) {
      EXPECT_GE(peak, 6000) << asset.key;
    }
  }
}

TEST(SoundEdgesTest, LoopsJoinAndOneShotsStartAndEndInSilence) {
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!Loops(asset.key)) continue;
      const auto& pcm = asset.reviewPcm;
      const std::size_t n = pcm.size();
      ASSERT_GE(n, 4u);
      // The jump across the loop point must look like any step inside the sound.
      const int typical = LargestStep(pcm, 44100);
      for (int channel = 0; channel < 2; ++channel) {
        const int across = std::abs(pcm[static_cast<std::size_t>(channel)] - pcm[n - 2 + channel]);
        EXPECT_LE(across, std::max(typical, 200)) << asset.key << " channel " << channel;
      }
      if (IsModuleKey(asset.key)) {
        // Modules end in silence and start from it, so a restart never clicks.
        EXPECT_LE(std::abs(pcm[0]) + std::abs(pcm[1]), 200) << asset.key;
        EXPECT_LE(std::abs(pcm[n - 1]) + std::abs(pcm[n - 2]), 200) << asset.key;
      }
    }
  }
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (Loops(asset.key)) continue;
      const auto& pcm = asset.reviewPcm;
      const std::size_t n = pcm.size();
      ASSERT_GE(n, 4u) << asset.key;
      // Decoded MP3 frames carry a little codec noise at the edges, some 40 dB down.
      const int silence = EndsWith(asset.key, ".wav") ? 64 : 600;
      EXPECT_LE(std::abs(pcm[0]) + std::abs(pcm[1]), silence) << asset.key;
      EXPECT_LE(std::abs(pcm[n - 1]) + std::abs(pcm[n - 2]), silence) << asset.key;
    }
  }
  {
    const SoundAsset* hum = FindAsset("machine_1.mp3");
    ASSERT_NE(hum, nullptr);
    const auto& pcm = hum->reviewPcm;
    // Retriggered whenever silent: its end meets its own start, both at (near) zero.
    EXPECT_LE(std::abs(pcm[0]), 32);
    EXPECT_LE(std::abs(pcm[pcm.size() - 2]), 32);
    // And it hums throughout: no dip in the middle.
    EXPECT_GE(Peak(std::vector<std::int16_t>(pcm.begin() + pcm.size() / 3,
                                             pcm.begin() + pcm.size() / 3 + 4410)),
              8000);
  }
}

TEST(SoundDurationTest, TheRequestedLengths) {
  const auto seconds = [](const std::string& key) {
    const SoundAsset* asset = FindAsset(key);
    return asset != nullptr ? ReviewSeconds(*asset) : -1.0;
  };
  EXPECT_GE(seconds("nextlevel.mp3"), 1.0);
  EXPECT_LE(seconds("nextlevel.mp3"), 1.4);
  EXPECT_NEAR(seconds("jetengine-firingup.mp3"), 5.0, 0.5);
  EXPECT_GE(seconds("machine_1.mp3"), 1.0);
  EXPECT_LE(seconds("machine_1.mp3"), 2.0);
  // Every tune plays a minute or more before it comes round again.
  for (std::size_t slot = 0; slot < 7; ++slot) {
    const double length = ReviewSeconds(BuiltAssets()[slot]);
    EXPECT_GE(length, 60.0) << BuiltAssets()[slot].key;
    EXPECT_LE(length, 90.0) << BuiltAssets()[slot].key;
  }
  for (const char* key : {"moholithic.mp3", "Aftermath451.mp3", "frequency.mp3"}) {
    EXPECT_GE(seconds(key), 60.0) << key;
    EXPECT_LE(seconds(key), 90.0) << key;
  }
  for (std::size_t i = 7 + 4; i < BuiltAssets().size(); ++i) {
    EXPECT_GE(ReviewSeconds(BuiltAssets()[i]), 0.1) << BuiltAssets()[i].key;
    EXPECT_LE(ReviewSeconds(BuiltAssets()[i]), 6.0) << BuiltAssets()[i].key;
  }
}

}  // namespace
}  // namespace tvx
