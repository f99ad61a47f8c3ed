// The player's volumes at the mixer's gain stage: master scales everything, music and effects
// scale their own group only, mute silences all.
#include <gtest/gtest.h>

#include <string>

#include "disk_output.h"
#include "harness/TestSounds.h"
#include "platform/audio/SdlAudioLibrary.h"

namespace tvx::test {
namespace {

constexpr std::size_t kFrames = 44100 * 3 / 10;

// The output peak of a stream (marked as music or left an effect) or a sample played once.
float PeakWith(const MixLevels& levels, bool stream, bool music, const std::string& name) {
  const Bytes data = stream ? MakeMp3(kFrames) : MakeWave(kFrames);
  const auto size = static_cast<std::uint32_t>(data.size());
  DiskOutput output("levels_" + name);
  {
    SdlAudioLibrary audio;
    audio.SetMixLevels(levels);
    EXPECT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
    const std::uint32_t handle =
        stream ? audio.Audio_StreamCreateFile(true, data.data(), 0, size, 0)
               : audio.Audio_SampleLoad(true, data.data(), 0, size, 2, audio::SampleOverPos);
    if (music) {
      EXPECT_TRUE(audio.SetMusic(handle));
    }
    const std::uint32_t channel = stream ? handle : audio.Audio_SampleGetChannel(handle, false);
    EXPECT_TRUE(audio.Audio_ChannelPlay(channel, false));
    EXPECT_TRUE(WaitUntilStopped(audio, channel));
    EXPECT_TRUE(output.WaitForMore(2 * kDeviceBlockBytes));
  }
  return Peak(output.Samples());
}

TEST(MixLevels, MasterGroupsAndMuteScaleTheirChannelsOnly) {
  const float music = PeakWith({}, true, true, "music");
  const float effect = PeakWith({}, false, false, "effect");
  ASSERT_GT(music, 0.1f);
  ASSERT_GT(effect, 0.1f);
  // Half a setting is a quarter of the amplitude: the levels are squared.
  EXPECT_NEAR(PeakWith({.master = 50}, true, true, "master") / music, 0.25f, 0.03f);
  EXPECT_NEAR(PeakWith({.music = 50}, true, true, "music50") / music, 0.25f, 0.03f);
  EXPECT_NEAR(PeakWith({.music = 0}, false, false, "nomusic") / effect, 1.0f, 0.03f);
  EXPECT_NEAR(PeakWith({.effects = 70}, true, true, "effects70") / music, 1.0f, 0.03f);
  EXPECT_NEAR(PeakWith({.effects = 70}, false, false, "effect70") / effect, 0.49f, 0.03f);
  // An unmarked stream is an effect, whatever its kind.
  EXPECT_NEAR(PeakWith({.music = 0}, true, false, "streameffect") / music, 1.0f, 0.03f);
  EXPECT_EQ(PeakWith({.muted = true}, true, true, "muted"), 0.0f);
}

}  // namespace
}  // namespace tvx::test
