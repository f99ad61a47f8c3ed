// The real mixer's output, captured through SDL's disk driver.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "disk_output.h"
#include "harness/TestSounds.h"
#include "platform/audio/SdlAudioLibrary.h"

namespace tvx::test {
namespace {

enum class Kind { kMp3, kOgg, kModule, kWave };

std::string KindName(Kind kind) {
  switch (kind) {
    case Kind::kMp3:
      return "mp3";
    case Kind::kOgg:
      return "ogg";
    case Kind::kModule:
      return "module";
    case Kind::kWave:
      return "wave";
  }
  return "";
}

constexpr std::size_t kShortFrames = 44100 * 4 / 10;

Bytes ShortSound(Kind kind) {
  switch (kind) {
    case Kind::kMp3:
      return MakeMp3(kShortFrames);
    case Kind::kOgg:
      return MakeOgg(kShortFrames);
    case Kind::kModule:
      return MakeModule(20);
    case Kind::kWave:
      return MakeWave(kShortFrames);
  }
  return {};
}

// Loads the data with the loader of its kind and gives the channel to play it on.
struct Loaded {
  std::uint32_t handle = 0;
  std::uint32_t channel = 0;
};

Loaded Load(IAudioLibrary& audio, Kind kind, const Bytes& data) {
  const auto size = static_cast<std::uint32_t>(data.size());
  Loaded loaded;
  switch (kind) {
    case Kind::kMp3:
    case Kind::kOgg:
      loaded.handle = audio.Audio_StreamCreateFile(true, data.data(), 0, size, 0);
      loaded.channel = loaded.handle;
      break;
    case Kind::kModule:
      loaded.handle = audio.Audio_MusicLoad(true, data.data(), 0, size, audio::MusicRamp, 0);
      loaded.channel = loaded.handle;
      break;
    case Kind::kWave:
      loaded.handle = audio.Audio_SampleLoad(true, data.data(), 0, size, 3, audio::SampleOverPos);
      loaded.channel = loaded.handle == 0 ? 0 : audio.Audio_SampleGetChannel(loaded.handle, false);
      break;
  }
  return loaded;
}

// Plays the sound once through at `volume` and returns everything the device wrote.
std::vector<float> PlayThrough(Kind kind, int volume) {
  const Bytes data = ShortSound(kind);
  DiskOutput output(KindName(kind) + std::to_string(volume));
  {
    SdlAudioLibrary audio;
    EXPECT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
    const Loaded sound = Load(audio, kind, data);
    EXPECT_NE(sound.channel, 0u) << KindName(kind);
    EXPECT_TRUE(audio.Audio_ChannelSetAttributes(sound.channel, 0, volume, 0));
    EXPECT_TRUE(audio.Audio_ChannelPlay(sound.channel, false));
    EXPECT_TRUE(WaitUntilStopped(audio, sound.channel));
    EXPECT_TRUE(output.WaitForMore(2 * kDeviceBlockBytes));
  }
  return output.Samples();
}

class EveryKind : public ::testing::TestWithParam<Kind> {};

TEST_P(EveryKind, PlaysAudiblyAndScalesWithTheVolume) {
  const std::vector<float> full = PlayThrough(GetParam(), 100);
  const std::vector<float> half = PlayThrough(GetParam(), 50);
  const float fullPeak = Peak(full);
  const float halfPeak = Peak(half);
  EXPECT_GT(fullPeak, 0.1f);
  EXPECT_NEAR(halfPeak / fullPeak, 0.5f, 0.05f);
  // It plays once and then the output is silent again.
  EXPECT_LT(LastAudible(full), full.size() - 2 * 1024);
}

INSTANTIATE_TEST_SUITE_P(Audio, EveryKind,
                         ::testing::Values(Kind::kMp3, Kind::kOgg, Kind::kModule, Kind::kWave),
                         [](const auto& info) { return KindName(info.param); });

std::atomic<int> endSyncs{0};

void Rewind(std::uint32_t, std::uint32_t channel, std::uint32_t, void* user) {
  ++endSyncs;
  static_cast<IAudioLibrary*>(user)->Audio_ChannelSetPosition(channel, 0);
}

class LoopedStream : public ::testing::TestWithParam<Kind> {};

TEST_P(LoopedStream, GoesOnPastItsEndWithoutAGap) {
  const Bytes data = GetParam() == Kind::kMp3 ? MakeMp3(8820) : MakeOgg(8820);  // 0.2 s
  DiskOutput output("loop" + KindName(GetParam()));
  endSyncs = 0;
  {
    SdlAudioLibrary audio;
    ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
    const Loaded sound = Load(audio, GetParam(), data);
    ASSERT_NE(sound.channel, 0u);
    ASSERT_NE(audio.Audio_ChannelSetSync(sound.channel, audio::SyncEnd, 0, Rewind, &audio), 0u);
    ASSERT_TRUE(audio.Audio_ChannelPlay(sound.channel, false));
    // Three times its length.
    ASSERT_TRUE(output.WaitForMore(3 * 8820 * 2 * sizeof(float)));
    EXPECT_GE(endSyncs.load(), 2);
    EXPECT_EQ(audio.Audio_ChannelIsActive(sound.channel), audio::ActivePlaying);
    audio.Audio_ChannelStop(sound.channel);
  }
  const std::vector<float> samples = output.Samples();
  const std::size_t first = FirstAudible(samples);
  const std::size_t last = LastAudible(samples);
  ASSERT_LT(first, last);
  // A decoder delay or a late rewind would leave a silent stretch at every loop point; a sine
  // is below the threshold for a frame or two around its zero crossings only.
  EXPECT_LE(LongestSilentRun(samples, first, last), 8u);
}

INSTANTIATE_TEST_SUITE_P(Audio, LoopedStream, ::testing::Values(Kind::kMp3, Kind::kOgg),
                         [](const auto& info) { return KindName(info.param); });

TEST(StreamPlayback, AStoppedStreamIsSilent) {
  const Bytes data = MakeOgg(44100 * 3);
  DiskOutput output("stopped");
  std::uintmax_t stoppedAt = 0;
  {
    SdlAudioLibrary audio;
    ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
    const std::uint32_t stream = Load(audio, Kind::kOgg, data).channel;
    ASSERT_TRUE(audio.Audio_ChannelPlay(stream, false));
    ASSERT_TRUE(output.WaitForMore(4 * kDeviceBlockBytes));
    ASSERT_TRUE(audio.Audio_ChannelStop(stream));
    EXPECT_EQ(audio.Audio_ChannelIsActive(stream), audio::ActiveStopped);
    stoppedAt = output.Size();
    ASSERT_TRUE(output.WaitForMore(6 * kDeviceBlockBytes));
  }
  const std::vector<float> samples = output.Samples();
  ASSERT_GT(samples.size(), stoppedAt / sizeof(float));
  EXPECT_GT(Peak(samples, 0, stoppedAt / sizeof(float)), 0.1f);
  // Allow the block that was being written when Stop came.
  const std::size_t after = stoppedAt / sizeof(float) + 2 * kDeviceBlockBytes / sizeof(float);
  EXPECT_EQ(Peak(samples, after), 0.0f);
}

TEST(StreamPlayback, PlayingAPlayingStreamContinuesIt) {
  const std::size_t frames = 44100 * 2;
  const Bytes data = MakeMp3(frames, Rising);
  DiskOutput output("twice");
  {
    SdlAudioLibrary audio;
    ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
    const std::uint32_t stream = Load(audio, Kind::kMp3, data).channel;
    ASSERT_TRUE(audio.Audio_ChannelPlay(stream, false));
    ASSERT_TRUE(output.WaitForMore(frames * sizeof(float)));  // about half of it
    ASSERT_EQ(audio.Audio_ChannelIsActive(stream), audio::ActivePlaying);
    ASSERT_TRUE(audio.Audio_ChannelPlay(stream, false));
    ASSERT_TRUE(WaitUntilStopped(audio, stream));
  }
  // The tone rises over the sound: a restart would show as a fall of the loudness.
  const std::vector<float> samples = output.Samples();
  const std::size_t first = FirstAudible(samples);
  const std::size_t last = LastAudible(samples);
  constexpr std::size_t kWindow = 2 * 4410;  // 0.1 s
  float previous = 0.0f;
  for (std::size_t at = first; at + kWindow < last; at += kWindow) {
    const float peak = Peak(samples, at, at + kWindow);
    EXPECT_GT(peak, previous - 0.02f) << "at sample " << at;
    previous = peak;
  }
  // And it was played through once: about its own length of sound.
  EXPECT_NEAR(static_cast<double>(last - first) / 2, static_cast<double>(frames), 4410.0);
}

TEST(SamplePlayback, TheOneFurthestAlongIsReplaced) {
  const Bytes data = MakeWave(44100 * 2);
  DiskOutput output("sample");
  SdlAudioLibrary audio;
  ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
  const std::uint32_t sample = audio.Audio_SampleLoad(
      true, data.data(), 0, static_cast<std::uint32_t>(data.size()), 2, audio::SampleOverPos);
  ASSERT_NE(sample, 0u);
  const std::uint32_t first = audio.Audio_SampleGetChannel(sample, false);
  ASSERT_TRUE(audio.Audio_ChannelPlay(first, false));
  ASSERT_TRUE(output.WaitForMore(2 * kDeviceBlockBytes));
  const std::uint32_t second = audio.Audio_SampleGetChannel(sample, false);
  EXPECT_NE(second, first);
  ASSERT_TRUE(audio.Audio_ChannelPlay(second, false));
  EXPECT_EQ(audio.Audio_ChannelIsActive(sample), audio::ActivePlaying);
  const std::uint32_t third = audio.Audio_SampleGetChannel(sample, false);
  EXPECT_EQ(third, first);
  EXPECT_EQ(audio.Audio_ChannelIsActive(third), audio::ActiveStopped);
  EXPECT_TRUE(audio.Audio_SampleStop(sample));
  EXPECT_EQ(audio.Audio_ChannelIsActive(sample), audio::ActiveStopped);
  EXPECT_TRUE(audio.Audio_SampleFree(sample));
  EXPECT_EQ(audio.Audio_ChannelIsActive(second), audio::ActiveStopped);
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorHandle);
}

}  // namespace
}  // namespace tvx::test
