// The channel rules that the real audio library and its silent double share, run through the
// double, whose time the test controls.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/doubles/FakeSoundFiles.h"
#include "platform/doubles/SilentAudioLibrary.h"
#include "platform/rules/ChannelRules.h"

namespace tvx {
namespace {

class ChannelRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr)); }
  std::uint32_t Sample(std::uint32_t playbacks) {
    return audio.Audio_SampleLoad(true, wave.data(), 0, static_cast<std::uint32_t>(wave.size()),
                                  playbacks, 0);
  }
  std::uint32_t PlayedChannel(std::uint32_t sample) {
    const std::uint32_t channel = audio.Audio_SampleGetChannel(sample, false);
    audio.Audio_ChannelPlay(channel, false);
    return channel;
  }

  const std::vector<std::uint8_t> wave = FakeWave();
  SilentAudioLibrary audio;
};

TEST_F(ChannelRulesTest, ASampleReusesAnIdlePlaybackElseReplacesTheOneFurthestAlong) {
  const std::uint32_t sample = Sample(2);
  audio.Audio_ChannelSetAttributes(sample, 0, 30, -1000);
  const std::uint32_t first = PlayedChannel(sample);
  audio.Advance(50);
  const std::uint32_t second = PlayedChannel(sample);
  audio.Advance(10);
  // Both busy: the first, furthest along, comes back stopped at the start.
  EXPECT_EQ(audio.Audio_SampleGetChannel(sample, false), first);
  EXPECT_FALSE(audio.Playing(first));
  EXPECT_EQ(audio.Position(first), 0u);
  EXPECT_EQ(audio.Volume(first), 30);
  // An idle playback is taken unless only a new one will do, and there is no room for that.
  EXPECT_EQ(audio.Audio_SampleGetChannel(sample, false), first);
  EXPECT_EQ(audio.Audio_SampleGetChannel(sample, true), second);
  EXPECT_EQ(audio.SampleChannels(sample).size(), 2u);
}

TEST_F(ChannelRulesTest, AnEndCallsTheChannelsSyncsThenTheSamplesAndSyncsMayNotFree) {
  audio.defaultLength = 100;
  const std::uint32_t sample = Sample(1);
  static std::vector<std::uint32_t> calls;
  static std::uint32_t loaded = 0;
  calls.clear();
  loaded = sample;
  const SyncProc note = [](std::uint32_t sync, std::uint32_t channel, std::uint32_t, void* user) {
    calls.push_back(sync);
    auto& library = *static_cast<SilentAudioLibrary*>(user);
    EXPECT_FALSE(library.Audio_SampleFree(loaded));
    library.Audio_ChannelSetPosition(channel, 0);
  };
  const std::uint32_t channel = PlayedChannel(sample);
  const std::uint32_t onSample =
      audio.Audio_ChannelSetSync(sample, audio::SyncEnd, 0, note, &audio);
  const std::uint32_t onChannel =
      audio.Audio_ChannelSetSync(channel, audio::SyncEnd, 0, note, &audio);
  audio.Advance(100);
  EXPECT_EQ(calls, (std::vector<std::uint32_t>{onChannel, onSample}));
  // The rewind from the sync kept it playing.
  EXPECT_TRUE(audio.Playing(channel));
  EXPECT_TRUE(audio.IsLoaded(sample));
}

TEST(ChannelRulesBeforeInit, EveryCallFailsWithTheInitError) {
  SilentAudioLibrary audio;
  const std::vector<std::uint8_t> wave = FakeWave();
  EXPECT_EQ(audio.Audio_SampleLoad(true, wave.data(), 0, 44, 1, 0), 0u);
  EXPECT_FALSE(audio.Audio_ChannelPlay(1, false));
  EXPECT_FALSE(audio.Audio_Stop());
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorInit);
}

}  // namespace
}  // namespace tvx
