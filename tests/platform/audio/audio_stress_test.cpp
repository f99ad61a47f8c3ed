// Main-thread calls racing the mixer thread.
#include <gtest/gtest.h>

#include <random>

#include "disk_output.h"
#include "harness/TestSounds.h"
#include "platform/audio/SdlAudioLibrary.h"

namespace tvx::test {
namespace {

void Rewind(std::uint32_t, std::uint32_t channel, std::uint32_t, void* user) {
  static_cast<IAudioLibrary*>(user)->Audio_ChannelSetPosition(channel, 0);
}

TEST(MixerRaces, RapidCallsWhileMixingAreSafe) {
  UseDummyDriver();
  SdlAudioLibrary audio;
  ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
  const Bytes mp3 = MakeMp3(2000);
  const Bytes ogg = MakeOgg(2000);
  const Bytes module = MakeModule(4);
  const Bytes wave = MakeWave(500);
  const std::uint32_t streams[] = {
      audio.Audio_StreamCreateFile(true, mp3.data(), 0, mp3.size(), 0),
      audio.Audio_StreamCreateFile(true, ogg.data(), 0, ogg.size(), 0),
      audio.Audio_MusicLoad(true, module.data(), 0, static_cast<std::uint32_t>(module.size()),
                            audio::MusicRamp, 0)};
  const std::uint32_t sample = audio.Audio_SampleLoad(
      true, wave.data(), 0, static_cast<std::uint32_t>(wave.size()), 3, audio::SampleOverPos);
  for (std::uint32_t s : streams) ASSERT_NE(s, 0u);
  ASSERT_NE(sample, 0u);
  audio.Audio_ChannelSetSync(sample, audio::SyncEnd, 0, Rewind, &audio);

  std::mt19937 random(42);
  std::uint32_t syncs[3] = {};
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t stream = streams[random() % 3];
    switch (random() % 8) {
      case 0:
        audio.Audio_ChannelPlay(stream, random() % 2 == 0);
        break;
      case 1:
        audio.Audio_ChannelStop(stream);
        audio.Audio_ChannelSetPosition(stream, 0);
        break;
      case 2:
        audio.Audio_ChannelRemoveSync(stream, syncs[stream % 3]);
        syncs[stream % 3] = audio.Audio_ChannelSetSync(stream, audio::SyncEnd, 0, Rewind, &audio);
        break;
      case 3:
        audio.Audio_ChannelSetAttributes(stream, 0, static_cast<int>(random() % 101), 0);
        break;
      case 4:
        audio.Audio_ChannelPlay(audio.Audio_SampleGetChannel(sample, false), false);
        break;
      case 5:
        audio.Audio_SampleStop(sample);
        break;
      case 6:
        audio.Audio_ChannelIsActive(stream);
        break;
      default:
        audio.Audio_ChannelSetPosition(stream, (random() % 4000) * 4);
        break;
    }
  }
  EXPECT_TRUE(audio.Audio_Stop());
  for (std::uint32_t s : streams) EXPECT_EQ(audio.Audio_ChannelIsActive(s), audio::ActiveStopped);
}

TEST(MixerRaces, LoadingAndFreeingWhilePlaying) {
  UseDummyDriver();
  SdlAudioLibrary audio;
  ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
  const Bytes ogg = MakeOgg(4000);
  const Bytes wave = MakeWave(4000);
  for (int i = 0; i < 200; ++i) {
    const std::uint32_t stream = audio.Audio_StreamCreateFile(true, ogg.data(), 0, ogg.size(), 0);
    const std::uint32_t sample =
        audio.Audio_SampleLoad(true, wave.data(), 0, static_cast<std::uint32_t>(wave.size()), 2, 0);
    ASSERT_NE(stream, 0u);
    ASSERT_NE(sample, 0u);
    audio.Audio_ChannelSetSync(stream, audio::SyncEnd, 0, Rewind, &audio);
    audio.Audio_ChannelPlay(stream, false);
    audio.Audio_ChannelPlay(audio.Audio_SampleGetChannel(sample, false), false);
    EXPECT_TRUE(audio.Audio_StreamFree(stream));
    EXPECT_TRUE(audio.Audio_SampleFree(sample));
  }
}

}  // namespace
}  // namespace tvx::test
