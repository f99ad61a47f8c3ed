// The silent library's own rules, which whole-game tests rely on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/doubles/SilentAudioLibrary.h"
#include "sound_fixture.h"

namespace tvx::test {
namespace {

using ::testing::ElementsAre;

class SilentAudio : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(audio.Audio_Init(-1, 44100, 0, 0, nullptr)); }
  std::uint32_t Stream(const std::vector<std::uint8_t>& bytes) {
    return audio.Audio_StreamCreateFile(true, bytes.data(), 0, bytes.size(), 0);
  }
  SilentAudioLibrary audio;
};

TEST_F(SilentAudio, RecognisesEachKindByItsHeader) {
  std::vector<std::uint8_t> sync = {0xFF, 0xFB, 0x90, 0x64};
  EXPECT_NE(Stream(sync), 0u);
  EXPECT_NE(Stream(FakeOgg()), 0u);
  EXPECT_NE(Stream(FakeMp3()), 0u);
  EXPECT_EQ(Stream(FakeWave()), 0u);
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorFileFormat);
  std::vector<std::uint8_t> mod(1084, 0);
  std::copy_n("M.K.", 4, mod.begin() + 1080);
  EXPECT_NE(audio.Audio_MusicLoad(true, mod.data(), 0, 1084, 0, 0), 0u);
  EXPECT_EQ(audio.Audio_MusicLoad(true, mod.data(), 0, 1083, 0, 0), 0u);
  const auto wave = FakeWave();
  EXPECT_NE(audio.Audio_SampleLoad(true, wave.data(), 0, 44, 3, 0), 0u);
  EXPECT_EQ(audio.Audio_SampleLoad(true, wave.data(), 0, 0, 3, 0), 0u);
  EXPECT_EQ(audio.Audio_SampleLoad(false, "bee.wav", 0, 44, 3, 0), 0u);
}

TEST_F(SilentAudio, InjectedFailures) {
  SilentAudioLibrary failing;
  failing.failInit = true;
  failing.version = 0x10000;
  EXPECT_EQ(failing.Audio_GetVersion(), 0x10000u);
  EXPECT_FALSE(failing.Audio_Init(-1, 44100, 0, 0, nullptr));
  EXPECT_EQ(failing.Audio_ErrorGetCode(), audio::ErrorInit);
  audio.failLoads = true;
  audio.loadErrorCode = audio::ErrorMemory;
  EXPECT_EQ(Stream(FakeOgg()), 0u);
  EXPECT_EQ(audio.Audio_ErrorGetCode(), audio::ErrorMemory);
}

TEST_F(SilentAudio, AVirtualLengthEndsTheSoundAndFiresItsSync) {
  audio.defaultLength = 100;
  const std::uint32_t stream = Stream(FakeOgg());
  static int fired = 0;
  fired = 0;
  audio.Audio_ChannelSetSync(
      stream, audio::SyncEnd, 0,
      [](std::uint32_t, std::uint32_t, std::uint32_t, void*) { ++fired; }, nullptr);
  audio.Audio_ChannelPlay(stream, false);
  audio.Advance(99);
  EXPECT_TRUE(audio.Playing(stream));
  audio.Advance(1);
  EXPECT_FALSE(audio.Playing(stream));
  EXPECT_EQ(fired, 1);
  // An ended sound starts over when played again; a stopped one goes on.
  audio.Audio_ChannelPlay(stream, false);
  EXPECT_EQ(audio.Position(stream), 0u);
  audio.Advance(40);
  audio.Audio_ChannelStop(stream);
  audio.Audio_ChannelPlay(stream, false);
  EXPECT_EQ(audio.Position(stream), 40u);
}

TEST_F(SilentAudio, WithoutALengthASoundPlaysUntilStopped) {
  const std::uint32_t stream = Stream(FakeMp3());
  audio.Audio_ChannelPlay(stream, false);
  audio.Advance(1u << 30);
  EXPECT_EQ(audio.Audio_ChannelIsActive(stream), audio::ActivePlaying);
  audio.Audio_Stop();
  EXPECT_EQ(audio.Audio_ChannelIsActive(stream), audio::ActiveStopped);
}

TEST_F(SilentAudio, LogsEveryCallReadably) {
  audio.ClearLog();
  const std::uint32_t stream = Stream(FakeOgg());
  audio.Audio_ChannelSetAttributes(stream, 0, 40, 0);
  audio.Audio_ChannelPlay(stream, true);
  audio.Audio_StreamFree(stream);
  const std::string h = std::to_string(stream);
  EXPECT_THAT(audio.Log(),
              ElementsAre("StreamCreateFile length=64 flags=0",
                          "ChannelSetAttributes handle=" + h + " frequency=0 volume=40 pan=0",
                          "ChannelPlay handle=" + h + " restart=1", "StreamFree handle=" + h));
  EXPECT_FALSE(audio.IsLoaded(stream));
}

}  // namespace
}  // namespace tvx::test
