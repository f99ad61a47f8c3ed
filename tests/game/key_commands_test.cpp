// ENTER, ESC, CTRL and the name entry, on every screen.
#include "game/SoundNames.h"
#include "game_fixture.h"

namespace tvx::testing {
namespace {

using KeyCommands = GameTest;

class RankingScreen : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    harness->StartLevel();
    State().DamageBar = std::string(31, '|');
    harness->RunPasses(2);
    ASSERT_TRUE(State().GameOver);
  }
  void Type(const std::string& keys) {
    for (char c : keys) Press(static_cast<std::uint16_t>(c));
  }
};

TEST_F(KeyCommands, ControlCyclesTheCarOnTheTitleWithABeep) {
  for (int expected : {1, 2, 3, 0, 1}) {
    Press(vk::Control);
    EXPECT_EQ(State().CarIndex, expected);
  }
  EXPECT_TRUE(harness->Playing(sound::Beep));
}

TEST_F(RankingScreen, ControlStillCyclesTheCarAfterGameOverButSilently) {
  harness->audio.ClearLog();
  Form().SoundSystem1().Stop(sound::Beep);
  const int before = State().CarIndex;
  Press(vk::Control);
  EXPECT_EQ(State().CarIndex, (before + 1) % 4);
  EXPECT_FALSE(harness->Playing(sound::Beep));
}

TEST_F(KeyCommands, ControlWhilePlayingBeepsAndWhilePausedOnlyStopsTheBeep) {
  harness->StartLevel();
  Press(vk::Control);
  EXPECT_EQ(State().CarIndex, 0);
  EXPECT_TRUE(harness->Playing(sound::Beep));
  Press(vk::Return);
  Press(vk::Control);
  EXPECT_FALSE(harness->Playing(sound::Beep));
}

TEST_F(KeyCommands, EnterOnTheIntroChangesNothingAudible) {
  Press(vk::Return);
  harness->RunPasses(2);
  Form().SoundSystem1().Stop(sound::DoubleBeep);
  Press(vk::Return);
  EXPECT_FALSE(harness->Playing(sound::DoubleBeep));
  EXPECT_FALSE(State().Paused);
  EXPECT_FALSE(State().IntroDone);
}

TEST_F(KeyCommands, EnterWhilePlayingBeepsTwiceAndPausesTheEngine) {
  harness->StartLevel();
  Form().SoundSystem1().Play(sound::Engine, true);
  Press(vk::Return);
  EXPECT_TRUE(State().Paused);
  EXPECT_TRUE(harness->Playing(sound::DoubleBeep));
  EXPECT_FALSE(harness->Playing(sound::Engine));
  Press(vk::Return);
  EXPECT_FALSE(State().Paused);
  EXPECT_TRUE(harness->Playing(sound::Engine));
}

TEST_F(KeyCommands, LettersBeforeTheRankingScreenAreIgnored) {
  harness->StartLevel();
  Press('A');
  EXPECT_TRUE(State().PlayerName.empty());
}

TEST_F(RankingScreen, LettersOnTheGameOverScreenAreIgnored) {
  Press('A');
  Press(vk::Space);
  EXPECT_TRUE(State().PlayerName.empty());
}

TEST_F(RankingScreen, SixLettersAtMostAndOnlyCapitalsAndSpace) {
  Press(vk::Return);
  ASSERT_TRUE(State().RankingMode);
  Type("AB");
  Press(vk::Space);
  Press('0');
  Press(8);  // backspace erases nothing
  Type("CDEFG");
  EXPECT_EQ(State().PlayerName, "AB CDE");
}

TEST_F(RankingScreen, EnterAfterTwoLettersPadsTheName) {
  Press(vk::Return);
  Type("JO");
  Press(vk::Return);
  EXPECT_EQ(State().PlayerName, "JO      ");
  EXPECT_GT(State().PlayerName.size(), 5u);
}

TEST_F(RankingScreen, EnterWithNoLettersLeavesTheNameEmpty) {
  Press(vk::Return);
  Press(vk::Return);
  EXPECT_TRUE(State().PlayerName.empty());
}

TEST_F(RankingScreen, AutoRepeatFillsTheNameWithOneLetter) {
  Press(vk::Return);
  for (int i = 0; i < 20; ++i) harness->app.QueueKey('Z');
  harness->RunPasses(1);
  EXPECT_EQ(State().PlayerName, "ZZZZZZ");
}

TEST_F(RankingScreen, EscapeReturnsToTheTitleAndSilencesEverything) {
  Press(vk::Return);
  harness->RunPasses(1);
  ASSERT_TRUE(harness->Playing(sound::RankingMusic));
  Press(vk::Escape);
  EXPECT_FALSE(harness->Playing(sound::RankingMusic));
  EXPECT_FALSE(State().GameOver);
  EXPECT_FALSE(State().InGame);
}

}  // namespace
}  // namespace tvx::testing
