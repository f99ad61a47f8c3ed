#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "sound_fixture.h"

namespace tvx::test {
namespace {

using ::testing::ElementsAre;

class SoundCreation : public SoundTest {};

TEST_F(SoundCreation, ChecksTheVersionThenOpensTheDefaultDevice) {
  Sounds();
  EXPECT_THAT(audio.Log(), ElementsAre("GetVersion", "Init device=-1 frequency=44100 flags=0"));
  EXPECT_TRUE(errors.empty());
}

TEST_F(SoundCreation, WrongVersionIsReportedAndInitStillRuns) {
  audio.version = 0x20001;
  Sounds();
  EXPECT_THAT(errors,
              ElementsAre("Error initializing sound. Audio library version 2.2 was not loaded!"));
  EXPECT_TRUE(audio.Initialized());
}

TEST_F(SoundCreation, FailedInitIsReportedAndTheSystemStillExists) {
  audio.version = 0;
  audio.failInit = true;
  EXPECT_EQ(Sounds().Count(), 0);
  EXPECT_THAT(errors,
              ElementsAre("Error initializing sound. Audio library version 2.2 was not loaded!",
                          "Error initializing sound"));
  // Without output every load fails, but nothing else goes wrong.
  EXPECT_FALSE(Sounds().LoadFromPxDb(Archive({{"crash.mp3", FakeMp3()}})));
  EXPECT_EQ(errors.back(), "Unable to load sound crash.mp3 - audio errocode 8");
  Sounds().Play("crash.mp3", true);
  EXPECT_FALSE(Sounds().IsPlaying("crash.mp3"));
}

class SoundLoading : public SoundTest {};

TEST_F(SoundLoading, TheLoadEventSeesTheCountBeforeTheSoundIsAdded) {
  std::vector<std::pair<int, int>> indexAndCount;
  Sounds().OnLoad = [&](TComponent*, int index, const std::string&) {
    indexAndCount.emplace_back(index, Sounds().Count());
  };
  ASSERT_TRUE(Sounds().LoadFromPxDb(
      Archive({{"a.mp3", FakeMp3()}, {"b.ogg", FakeOgg()}, {"c.wav", FakeWave()}})));
  EXPECT_EQ(indexAndCount, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}}));
  EXPECT_EQ(Sounds().Count(), 3);
}

TEST_F(SoundLoading, EverySoundRecordLoadsInTableOrderWithItsKindsLoader) {
  std::vector<std::pair<int, std::string>> loaded;
  Sounds().OnLoad = [&](TComponent* sender, int index, const std::string& name) {
    EXPECT_EQ(sender, &Sounds());
    loaded.emplace_back(index, name);
  };
  TPxDb& archive = Archive({{"tune.xM", FakeModule()},
                            {"road0", FakeMp3()},
                            {"crash.mp3", FakeMp3()},
                            {"logo.png", FakeOgg()},
                            {"theme.OGG", FakeOgg()},
                            {"bee.wav", FakeWave()}});
  const std::size_t mark = audio.Log().size();
  ASSERT_TRUE(Sounds().LoadFromPxDb(archive));

  ASSERT_EQ(Sounds().Count(), 4);
  EXPECT_EQ(loaded, (std::vector<std::pair<int, std::string>>{
                        {0, "tune.xM"}, {1, "crash.mp3"}, {2, "theme.OGG"}, {3, "bee.wav"}}));
  const TSoundKind kinds[] = {TSoundKind::skModule, TSoundKind::skMp3, TSoundKind::skOgg,
                              TSoundKind::skWave};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Sounds().Sound(i)->Index(), i);
    EXPECT_EQ(Sounds().Sound(i)->Kind(), kinds[i]);
    EXPECT_NE(Sounds().Sound(i)->Handle(), 0u);
    EXPECT_EQ(Sounds().Sound(i)->SyncHandle(), 0u);
  }
  const std::string h0 = std::to_string(Sounds().Sound(0)->Handle());
  const std::string h1 = std::to_string(Sounds().Sound(1)->Handle());
  const std::string h2 = std::to_string(Sounds().Sound(2)->Handle());
  const std::string h3 = std::to_string(Sounds().Sound(3)->Handle());
  // Records of no sound kind are never handed to the library.
  EXPECT_THAT(LogFrom(mark),
              ElementsAre("MusicLoad length=400 flags=512 frequency=0",
                          "ChannelSetAttributes handle=" + h0 + " frequency=0 volume=100 pan=0",
                          "StreamCreateFile length=64 flags=0",
                          "ChannelSetAttributes handle=" + h1 + " frequency=0 volume=100 pan=0",
                          "StreamCreateFile length=64 flags=0",
                          "ChannelSetAttributes handle=" + h2 + " frequency=0 volume=100 pan=0",
                          "SampleLoad length=44 max=3 flags=131072",
                          "ChannelSetAttributes handle=" + h3 + " frequency=0 volume=100 pan=0"));
}

TEST_F(SoundLoading, AFailedSoundTakesNoIndexAndIsReportedWithTheLibrarysCode) {
  TPxDb& archive =
      Archive({{"a.mp3", FakeMp3()}, {"broken.mp3", Garbage()}, {"b.wav", FakeWave()}});
  EXPECT_TRUE(Sounds().LoadFromPxDb(archive));
  ASSERT_EQ(Sounds().Count(), 2);
  EXPECT_EQ(Sounds().Sound(1)->Name(), "b.wav");
  EXPECT_EQ(Sounds().Sound(1)->Index(), 1);
  EXPECT_THAT(errors, ElementsAre("Unable to load sound broken.mp3 - audio errocode 41"));
}

TEST_F(SoundLoading, TheResultIsThatOfTheLastSound) {
  EXPECT_FALSE(Sounds().LoadFromPxDb(Archive({{"a.mp3", FakeMp3()}, {"z.ogg", Garbage()}})));
  EXPECT_EQ(Sounds().Count(), 1);
  EXPECT_FALSE(Sounds().LoadFromPxDb(Archive({{"road0", FakeMp3()}})));
  EXPECT_EQ(Sounds().Count(), 0);
  EXPECT_FALSE(Sounds().LoadFromPxDb(Archive({})));
}

TEST_F(SoundLoading, ReloadingFreesEverySoundAndRestartsTheIndices) {
  LoadThree();
  const std::uint32_t stream = HandleOf("crash.mp3");
  const std::uint32_t sample = HandleOf("bee.wav");
  const std::uint32_t module = HandleOf("tune.xm");
  TPxDb& second = Archive({{"other.mp3", FakeMp3()}});
  const std::size_t mark = audio.Log().size();
  ASSERT_TRUE(Sounds().LoadFromPxDb(second));
  const auto log = LogFrom(mark);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "StreamFree handle=" + std::to_string(stream));
  EXPECT_EQ(log[1], "SampleFree handle=" + std::to_string(sample));
  EXPECT_EQ(log[2], "MusicFree handle=" + std::to_string(module));
  EXPECT_EQ(audio.LoadedCount(), 1u);
  ASSERT_EQ(Sounds().Count(), 1);
  EXPECT_EQ(Sounds().Sound(0)->Name(), "other.mp3");
  EXPECT_EQ(Sounds().Sound(0)->Index(), 0);
}

TEST_F(SoundLoading, AnArchiveThatCannotOpenKeepsTheLoadedSounds) {
  LoadThree();
  TPxDb missing(nullptr);
  missing.OpenMode = TOpenModes::opReadOnly;
  missing.SetFileName("/nonexistent-folder/resources.tvx");
  EXPECT_FALSE(Sounds().LoadFromPxDb(missing));
  EXPECT_FALSE(Sounds().LoadSound("crash.mp3", missing));
  EXPECT_EQ(Sounds().Count(), 3);
}

TEST_F(SoundLoading, LoadSoundRefusesMissingKeysAndOtherKindsSilently) {
  TPxDb& archive = Archive({{"road0.png", FakeMp3()}});
  Sounds();
  const std::size_t mark = audio.Log().size();
  EXPECT_FALSE(Sounds().LoadSound("nothere.mp3", archive));
  EXPECT_FALSE(Sounds().LoadSound("road0.png", archive));
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(LogFrom(mark).empty());
}

TEST_F(SoundLoading, LoadSoundAddsAtTheEnd) {
  LoadThree();
  TPxDb& archive = Archive({{"late.ogg", FakeOgg()}});
  EXPECT_TRUE(Sounds().LoadSound("late.ogg", archive));
  ASSERT_EQ(Sounds().Count(), 4);
  EXPECT_EQ(Sounds().Sound(3)->Index(), 3);
}

TEST_F(SoundLoading, AnUnreadableRecordReachesTheLibraryEmptyAndFails) {
  TPxDb& archive = Archive({{"crash.mp3", FakeMp3()}});
  const std::string path = archive.FileName();
  Sounds();
  {
    // The record's stored bytes follow the 12-byte file header and its 44-byte header.
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(12 + 44 + 4);
    file.put('\x55');
  }
  const std::size_t mark = audio.Log().size();
  EXPECT_FALSE(Sounds().LoadFromPxDb(archive));
  EXPECT_EQ(LogFrom(mark).front(), "StreamCreateFile length=0 flags=0");
  EXPECT_THAT(errors, ElementsAre("Unable to load sound crash.mp3 - audio errocode 41"));
}

TEST_F(SoundLoading, AnExceptionWhileLoadingIsReportedWithItsMessage) {
  Sounds().OnLoad = [](TComponent*, int, const std::string&) {
    throw std::runtime_error("handler failed");
  };
  EXPECT_FALSE(Sounds().LoadFromPxDb(Archive({{"crash.mp3", FakeMp3()}})));
  EXPECT_THAT(errors, ElementsAre("Unable to load sound crash.mp3. handler failed"));
}

TEST_F(SoundLoading, DestructionStopsOutputThenFreesEverySound) {
  audio.Audio_Init(-1, 44100, 0, 0, nullptr);
  auto system = std::make_unique<TSoundSystem>(nullptr, audio);
  ASSERT_TRUE(system->LoadFromPxDb(
      Archive({{"crash.mp3", FakeMp3()}, {"bee.wav", FakeWave()}, {"tune.xm", FakeModule()}})));
  const std::string stream = std::to_string(system->Sound(0)->Handle());
  const std::string sample = std::to_string(system->Sound(1)->Handle());
  const std::string module = std::to_string(system->Sound(2)->Handle());
  system->Play("crash.mp3", true);
  const std::size_t mark = audio.Log().size();
  system.reset();
  EXPECT_THAT(LogFrom(mark),
              ElementsAre("Stop", "StreamFree handle=" + stream, "SampleFree handle=" + sample,
                          "MusicFree handle=" + module));
  EXPECT_EQ(audio.LoadedCount(), 0u);
}

}  // namespace
}  // namespace tvx::test
