// The real library without a device, and with data it cannot decode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "disk_output.h"
#include "harness/TestSounds.h"
#include "platform/audio/SdlAudioLibrary.h"

namespace tvx::test {
namespace {

std::uint32_t LoadStream(IAudioLibrary& audio, const Bytes& data) {
  return audio.Audio_StreamCreateFile(true, data.data(), 0, data.size(), 0);
}
std::uint32_t LoadMusic(IAudioLibrary& audio, const Bytes& data) {
  return audio.Audio_MusicLoad(true, data.data(), 0, static_cast<std::uint32_t>(data.size()),
                               audio::MusicRamp, 0);
}
std::uint32_t LoadSample(IAudioLibrary& audio, const Bytes& data) {
  return audio.Audio_SampleLoad(true, data.data(), 0, static_cast<std::uint32_t>(data.size()), 3,
                                audio::SampleOverPos);
}

Bytes Truncated(Bytes data, std::size_t size) {
  data.resize(std::min(size, data.size()));
  return data;
}

TEST(AudioWithoutDevice, InitFailsAndEverythingAfterIsHarmless) {
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlAudioLibrary audio;
  EXPECT_EQ(audio.Audio_GetVersion(), audio::Version);
  EXPECT_FALSE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorInit);
  const Bytes wave = MakeWave(1000);
  EXPECT_EQ(LoadSample(audio, wave), 0u);
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorInit);
  EXPECT_EQ(LoadStream(audio, MakeOgg(1000)), 0u);
  EXPECT_FALSE(audio.Audio_ChannelPlay(1, false));
  EXPECT_FALSE(audio.Audio_ChannelSetPosition(1, 0));
  EXPECT_EQ(audio.Audio_ChannelIsActive(1), audio::ActiveStopped);
  EXPECT_FALSE(audio.Audio_Stop());
  EXPECT_FALSE(audio.Audio_StreamFree(1));
}

// alsa-lib would add its own lines ("ALSA lib pcm.c:...: Unknown PCM ...") to the game's one.
TEST(AudioWithoutDevice, ALSAKeepsItsMessagesToItself) {
  ::setenv("SDL_AUDIODRIVER", "alsa", 1);
  ::setenv("AUDIODEV", "tarvex_no_such_pcm", 1);
  ::testing::internal::CaptureStderr();
  {
    SdlAudioLibrary audio;
    EXPECT_FALSE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  ::unsetenv("AUDIODEV");
  EXPECT_EQ(said, "");
}

TEST(AudioWithoutDevice, ANonexistentDeviceNumberFails) {
  UseDummyDriver();
  SdlAudioLibrary audio;
  EXPECT_FALSE(audio.Audio_Init(999, 44100, 0, 0, nullptr));
  EXPECT_FALSE(audio.Audio_Init(0, 44100, 0, 0, nullptr));
  EXPECT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
}

class DamagedData : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyDriver();
    ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr));
  }
  void ExpectRefused(std::uint32_t handle, const char* what) {
    EXPECT_EQ(handle, 0u) << what;
    EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorFileFormat) << what;
  }
  SdlAudioLibrary audio;
};

TEST_F(DamagedData, RandomBytesLoadAsNothing) {
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    const Bytes noise = RandomBytes(8192, seed);
    ExpectRefused(LoadStream(audio, noise), "stream");
    ExpectRefused(LoadMusic(audio, noise), "module");
    ExpectRefused(LoadSample(audio, noise), "sample");
  }
}

TEST_F(DamagedData, FilesCutShortAreRefused) {
  ExpectRefused(LoadStream(audio, Truncated(MakeMp3(20000), 100)), "mp3");
  ExpectRefused(LoadStream(audio, Truncated(MakeOgg(20000), 200)), "ogg");
  ExpectRefused(LoadMusic(audio, Truncated(MakeModule(), 600)), "module");
  ExpectRefused(LoadSample(audio, Truncated(MakeWave(20000), 44 + 1000)), "wave");
}

TEST_F(DamagedData, AValidHeaderOverGarbageIsRefused) {
  Bytes ogg = MakeOgg(20000);
  Bytes fakeOgg = RandomBytes(4096, 7);
  std::copy(ogg.begin(), ogg.begin() + 4, fakeOgg.begin());
  ExpectRefused(LoadStream(audio, fakeOgg), "OggS over noise");
  Bytes fakeWave = RandomBytes(4096, 9);
  const Bytes wave = MakeWave(100);
  std::copy(wave.begin(), wave.begin() + 12, fakeWave.begin());
  ExpectRefused(LoadSample(audio, fakeWave), "RIFF/WAVE over noise");
}

TEST_F(DamagedData, EmptyDataAndFileLoadsAreRefused) {
  const Bytes wave = MakeWave(100);
  EXPECT_EQ(audio.Audio_SampleLoad(true, wave.data(), 0, 0, 3, 0), 0u);
  EXPECT_EQ(audio.Audio_StreamCreateFile(false, "crash.mp3", 0, 0, 0), 0u);
  EXPECT_EQ(audio.Audio_StreamCreateFile(true, nullptr, 0, 100, 0), 0u);
}

TEST_F(DamagedData, AStreamThatTurnsBadLaterPlaysUntilItEnds) {
  for (bool ogg : {false, true}) {
    // 512 bytes at four fifths are overwritten; the last page stays, so OGG still opens.
    Bytes data = ogg ? MakeOgg(44100 * 3) : MakeMp3(44100 * 3);
    const Bytes noise = RandomBytes(512, 3);
    std::copy(noise.begin(), noise.end(),
              data.begin() + static_cast<std::ptrdiff_t>(data.size() * 4 / 5));
    const std::uint32_t stream = LoadStream(audio, data);
    ASSERT_NE(stream, 0u) << (ogg ? "ogg" : "mp3");
    ASSERT_TRUE(audio.Audio_ChannelPlay(stream, false));
    EXPECT_TRUE(WaitUntilStopped(audio, stream));
    EXPECT_TRUE(audio.Audio_StreamFree(stream));
  }
}

TEST_F(DamagedData, HandlesOfTheWrongKindAreRefused) {
  const Bytes ogg = MakeOgg(1000);
  const std::uint32_t stream = LoadStream(audio, ogg);
  ASSERT_NE(stream, 0u);
  EXPECT_FALSE(audio.Audio_MusicFree(stream));
  EXPECT_FALSE(audio.Audio_SampleFree(stream));
  EXPECT_EQ(audio.Audio_SampleGetChannel(stream, false), 0u);
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorHandle);
  EXPECT_EQ(audio.Audio_ChannelSetSync(stream, 0, 0, nullptr, nullptr), 0u);
  EXPECT_FALSE(audio.Audio_ChannelRemoveSync(stream, 12345));
  EXPECT_TRUE(audio.Audio_StreamFree(stream));
  EXPECT_FALSE(audio.Audio_StreamFree(stream));
  EXPECT_FALSE(audio.Audio_ChannelPlay(stream, false));
}

}  // namespace
}  // namespace tvx::test
