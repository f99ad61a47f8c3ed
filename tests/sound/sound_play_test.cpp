#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sound_fixture.h"

namespace tvx::test {
namespace {

using ::testing::ElementsAre;

class SoundPlaying : public SoundTest {
 protected:
  void SetUp() override {
    audio.defaultLength = 1000;
    LoadThree();
    stream = HandleOf("crash.mp3");
    sample = HandleOf("bee.wav");
    module = HandleOf("tune.xm");
    mark = audio.Log().size();
  }
  std::string H(std::uint32_t handle) { return std::to_string(handle); }

  std::uint32_t stream = 0, sample = 0, module = 0;
  std::size_t mark = 0;
};

TEST_F(SoundPlaying, PlayOnceRemovesTheLoopSyncAndContinuesTheChannel) {
  Sounds().Play("crash.mp3", false);
  EXPECT_THAT(LogFrom(mark), ElementsAre("ChannelRemoveSync handle=" + H(stream) + " sync=0",
                                         "ChannelPlay handle=" + H(stream) + " restart=0"));
  EXPECT_TRUE(Sounds().IsPlaying("crash.mp3"));
  audio.Advance(1000);
  EXPECT_FALSE(Sounds().IsPlaying("crash.mp3"));
}

TEST_F(SoundPlaying, PlayLoopingSetsAnEndSyncThatRewinds) {
  Sounds().Play("crash.mp3", true);
  const std::uint32_t sync = Sounds().Sound(0)->SyncHandle();
  ASSERT_NE(sync, 0u);
  EXPECT_THAT(LogFrom(mark),
              ElementsAre("ChannelRemoveSync handle=" + H(stream) + " sync=0",
                          "ChannelSetSync handle=" + H(stream) + " type=2 parameter=0",
                          "ChannelPlay handle=" + H(stream) + " restart=0"));
  audio.Advance(600);
  const std::size_t before = audio.Log().size();
  audio.Advance(600);
  // The sync runs inside the library and only rewinds the channel.
  EXPECT_THAT(LogFrom(before),
              ElementsAre("ChannelSetPosition handle=" + H(stream) + " position=0"));
  EXPECT_TRUE(Sounds().IsPlaying("crash.mp3"));
}

TEST_F(SoundPlaying, LoopSyncsAreReplacedAndRemoved) {
  Sounds().Play("crash.mp3", true);
  const std::uint32_t first = Sounds().Sound(0)->SyncHandle();
  Sounds().Play("crash.mp3", true);
  EXPECT_NE(Sounds().Sound(0)->SyncHandle(), first);
  EXPECT_EQ(audio.SyncCount(stream), 1u);
  Sounds().Play("crash.mp3", false);
  EXPECT_EQ(audio.SyncCount(stream), 0u);
  audio.Advance(1000);
  EXPECT_FALSE(Sounds().IsPlaying("crash.mp3"));
}

TEST_F(SoundPlaying, SamplesPlayOnAChannelOfTheirOwn) {
  Sounds().Play("bee.wav", false);
  const auto channels = audio.SampleChannels(sample);
  ASSERT_EQ(channels.size(), 1u);
  EXPECT_THAT(LogFrom(mark), ElementsAre("ChannelRemoveSync handle=" + H(sample) + " sync=0",
                                         "SampleGetChannel sample=" + H(sample) + " onlyNew=0",
                                         "ChannelPlay handle=" + H(channels[0]) + " restart=0"));
  EXPECT_TRUE(Sounds().IsPlaying("bee.wav"));
  // Three playbacks at most; a fourth replaces one.
  for (int i = 0; i < 4; ++i) {
    Sounds().Play("bee.wav", false);
    audio.Advance(10);
  }
  EXPECT_EQ(audio.SampleChannels(sample).size(), 3u);
}

TEST_F(SoundPlaying, StopRewindsStreamsAndModules) {
  for (const char* name : {"crash.mp3", "tune.xm"}) {
    Sounds().Play(name, true);
  }
  audio.Advance(300);
  mark = audio.Log().size();
  Sounds().Stop("tune.xm");
  EXPECT_THAT(LogFrom(mark), ElementsAre("ChannelStop handle=" + H(module),
                                         "ChannelSetPosition handle=" + H(module) + " position=0"));
  EXPECT_FALSE(Sounds().IsPlaying("tune.xm"));
  EXPECT_EQ(audio.Position(module), 0u);
  EXPECT_EQ(audio.SyncCount(module), 1u);
  EXPECT_EQ(audio.Position(stream), 300u);
}

TEST_F(SoundPlaying, StopOfASampleStopsItsPlaybacks) {
  Sounds().Play("bee.wav", false);
  Sounds().Play("bee.wav", false);
  mark = audio.Log().size();
  Sounds().Stop("bee.wav");
  EXPECT_THAT(LogFrom(mark), ElementsAre("SampleStop sample=" + H(sample)));
  EXPECT_FALSE(Sounds().IsPlaying("bee.wav"));
}

TEST_F(SoundPlaying, PlayAfterStopStartsFromTheBeginning) {
  Sounds().Play("crash.mp3", false);
  audio.Advance(400);
  Sounds().Stop("crash.mp3");
  Sounds().Play("crash.mp3", false);
  EXPECT_EQ(audio.Position(stream), 0u);
  audio.Advance(999);
  EXPECT_TRUE(Sounds().IsPlaying("crash.mp3"));
}

TEST_F(SoundPlaying, StopAllStopsEveryIndexInOrder) {
  Sounds().Play("crash.mp3", true);
  Sounds().Play("bee.wav", false);
  Sounds().Play("tune.xm", true);
  mark = audio.Log().size();
  Sounds().StopAll();
  EXPECT_THAT(LogFrom(mark),
              ElementsAre("ChannelStop handle=" + H(stream),
                          "ChannelSetPosition handle=" + H(stream) + " position=0",
                          "SampleStop sample=" + H(sample), "ChannelStop handle=" + H(module),
                          "ChannelSetPosition handle=" + H(module) + " position=0"));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Sounds().IsPlayingIndex(i));
}

TEST_F(SoundPlaying, VolumesAreClampedAndSentAsTheyAre) {
  Sounds().SetVolume("crash.mp3", 75);
  Sounds().Play("crash.mp3", false);
  EXPECT_EQ(audio.Volume(stream), 75);
  Sounds().SetVolume("crash.mp3", 150);
  EXPECT_EQ(audio.Volume(stream), 100);
  Sounds().SetVolumeIndex(0, -3);
  EXPECT_EQ(audio.Volume(stream), 0);
  EXPECT_EQ(audio.Log().back(),
            "ChannelSetAttributes handle=" + H(stream) + " frequency=0 volume=0 pan=0");
  Sounds().SetVolume("bee.wav", 20);
  Sounds().Play("bee.wav", false);
  EXPECT_EQ(audio.Volume(audio.SampleChannels(sample)[0]), 20);
}

TEST_F(SoundPlaying, NamesAreCaseSensitiveAndUnknownOnesDoNothing) {
  Sounds().Play("Crash.mp3", true);
  Sounds().Stop("CRASH.MP3");
  Sounds().SetVolume("crash.MP3", 5);
  EXPECT_FALSE(Sounds().IsPlaying("Crash.mp3"));
  Sounds().PlayIndex(-1, false);
  Sounds().PlayIndex(3, false);
  Sounds().StopIndex(7);
  Sounds().SetVolumeIndex(-2, 50);
  EXPECT_FALSE(Sounds().IsPlayingIndex(3));
  EXPECT_TRUE(LogFrom(mark).empty());
  EXPECT_EQ(Sounds().Sound(3), nullptr);
}

TEST_F(SoundPlaying, ByNameFindsTheFirstOfEqualNames) {
  TPxDb& archive = Archive({{"twin.mp3", FakeMp3()}, {"TWIN.mp3", FakeOgg()}});
  ASSERT_TRUE(Sounds().LoadFromPxDb(archive));
  ASSERT_EQ(Sounds().Count(), 2);
  Sounds().Play("TWIN.mp3", false);
  EXPECT_FALSE(Sounds().IsPlayingIndex(0));
  EXPECT_TRUE(Sounds().IsPlayingIndex(1));
}

TEST_F(SoundPlaying, AFailedPlayIsReportedWithTheSoundsName) {
  audio.failPlay = true;
  Sounds().PlayIndex(1, false);
  Sounds().Play("crash.mp3", true);
  EXPECT_THAT(errors,
              ElementsAre("Unable to play sound bee.wav", "Unable to play sound crash.mp3"));
}

TEST_F(SoundPlaying, TheLoopSyncCallsTheLibraryItIsGiven) {
  SilentAudioLibrary other;
  other.Audio_Init(-1, 44100, 0, 0, nullptr);
  TSoundData::LoopSync(1, 42, 0, &other);
  EXPECT_THAT(other.Log().back(), "ChannelSetPosition handle=42 position=0");
  EXPECT_TRUE(LogFrom(mark).empty());
}

}  // namespace
}  // namespace tvx::test
