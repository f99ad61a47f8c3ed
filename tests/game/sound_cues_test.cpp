// The music and effect sounds at the state machine's events.
#include "game/SoundNames.h"
#include "game_fixture.h"
#include "sound/SoundSystem.h"

namespace tvx::testing {
namespace {

using SoundCues = GameTest;

bool AnyMusicSlotPlaying(TForm1& form) {
  for (int slot = 0; slot < sound::MusicSlots; ++slot) {
    if (form.SoundSystem1().IsPlayingIndex(slot)) return true;
  }
  return false;
}

TEST_F(SoundCues, EverySoundOfTheArchiveIsLoadedInTableOrder) {
  const auto& keys = TestSoundKeys();
  ASSERT_EQ(Form().SoundSystem1().Count(), static_cast<int>(keys.size()));
  EXPECT_EQ(Form().SoundSystem1().Sound(0)->Name(), keys[0]);
}

TEST_F(SoundCues, TheTitlePlaysItsMusicUntilEnter) {
  EXPECT_TRUE(harness->Playing(sound::TitleMusic));
  Press(vk::Return);
  EXPECT_FALSE(harness->Playing(sound::TitleMusic));
  harness->RunPasses(1);
  EXPECT_TRUE(harness->Playing(sound::IntroSting));
}

TEST_F(SoundCues, ALevelStopsTheStingAndLoopsOneOfTheFirstSixSlotsQuietly) {
  harness->StartLevel();
  EXPECT_FALSE(harness->Playing(sound::IntroSting));
  const int slot = State().MusicIndex;
  EXPECT_GE(slot, 0);
  EXPECT_LT(slot, sound::ChosenMusicSlots);
  EXPECT_TRUE(Form().SoundSystem1().IsPlayingIndex(slot));
  const TSoundData* music = Form().SoundSystem1().Sound(slot);
  EXPECT_EQ(harness->audio.Volume(music->Handle()), sound::LevelMusicVolume);
  EXPECT_NE(music->SyncHandle(), 0u);  // looping
}

TEST_F(SoundCues, ReturningToTheTitleStopsLevelMusicAndEffects) {
  harness->StartLevel();
  Form().SoundSystem1().Play(sound::Engine, true);
  Form().SoundSystem1().Play(sound::HotIdle, true);
  Form().SoundSystem1().PlayIndex(6, true);  // slot 6 is stopped though never chosen
  State().TimeBar = "|";
  ASSERT_TRUE(RunUntil([&] { return State().Level == 2; }, 3000));
  EXPECT_FALSE(AnyMusicSlotPlaying(Form()));
  EXPECT_FALSE(harness->Playing(sound::Engine));
  EXPECT_FALSE(harness->Playing(sound::HotIdle));
}

TEST_F(SoundCues, GameOverMusicPlaysOnAndTheRankingReplacesIt) {
  harness->StartLevel();
  State().DamageBar = std::string(31, '|');
  harness->RunPasses(2);
  EXPECT_TRUE(harness->Playing(sound::GameOverMusic));
  EXPECT_FALSE(AnyMusicSlotPlaying(Form()));
  harness->audio.ClearLog();
  harness->RunPasses(5);
  for (const std::string& entry : harness->audio.Log())
    EXPECT_EQ(entry.find("ChannelPlay"), std::string::npos) << entry;  // not restarted
  Press(vk::Return);
  harness->RunPasses(1);
  EXPECT_FALSE(harness->Playing(sound::GameOverMusic));
  EXPECT_TRUE(harness->Playing(sound::RankingMusic));
}

TEST_F(SoundCues, EscapeSilencesTheLevelAndTheTitleMusicReturns) {
  harness->StartLevel();
  Form().SoundSystem1().Play(sound::Engine, true);
  const int slot = State().MusicIndex;
  Press(vk::Escape);  // the same pass runs the first title frame
  EXPECT_FALSE(harness->Playing(sound::Engine));
  EXPECT_FALSE(Form().SoundSystem1().IsPlayingIndex(slot));
  EXPECT_TRUE(harness->Playing(sound::TitleMusic));
}

}  // namespace
}  // namespace tvx::testing
