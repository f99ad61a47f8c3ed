// The screens and their transitions, driven by key events and timers on the virtual clock.
#include "game_fixture.h"

namespace tvx::testing {
namespace {

using StateMachine = GameTest;

TEST_F(StateMachine, FirstFrameLoadsAndShowsTheTitle) {
  EXPECT_FALSE(State().NeedLoad);
  EXPECT_FALSE(State().InGame);
  EXPECT_EQ(State().Level, 0);
  EXPECT_GE(State().TitleCarX, 105);
  EXPECT_LT(State().TitleCarX, 405);
  EXPECT_TRUE(harness->app.CursorHidden());
  EXPECT_TRUE(harness->app.OnGameSurface());
}

TEST_F(StateMachine, EnterGoesThroughTheIntroToTheFirstLevel) {
  Press(vk::Return);
  EXPECT_TRUE(State().InGame);
  EXPECT_FALSE(State().IntroDone);
  harness->RunPasses(1);
  EXPECT_EQ(State().Level, 1);  // the first game of a run starts at level 0
  ASSERT_TRUE(RunUntil([&] { return State().IntroDone; }, 5000));
  EXPECT_EQ(State().LevelCaption, "LEVEL 01");
  EXPECT_EQ(State().IntroTicks, 0);
  EXPECT_FALSE(State().LevelRunning);
  harness->RunPasses(1);
  EXPECT_TRUE(State().LevelRunning);
  EXPECT_EQ(State().TimeBar, std::string(30, '|'));
  EXPECT_TRUE(Form().Timer1().Enabled());
  EXPECT_TRUE(Form().GameTimer().Enabled());
  EXPECT_EQ(Form().GameTimer().Interval(), 1000u);
  harness->RunPasses(1);
  EXPECT_EQ(State().ScrollSpeed, 5.0);
}

TEST_F(StateMachine, TheIntroLastsTenTicksOfAHundredAndFiftyMilliseconds) {
  Press(vk::Return);
  const std::uint32_t start = harness->clock.GetTickCount();
  ASSERT_TRUE(RunUntil([&] { return State().IntroDone; }, 5000));
  const std::uint32_t took = harness->clock.GetTickCount() - start;
  EXPECT_GE(took, 1350u);  // the first tick may follow the title's last blink early
  EXPECT_LE(took, 1600u);
}

TEST_F(StateMachine, EnterPausesAndResumesARunningLevel) {
  harness->StartLevel();
  Press(vk::Return);
  EXPECT_TRUE(State().Paused);
  harness->RunPasses(3);
  EXPECT_TRUE(State().LevelRunning);
  Press(vk::Return);
  EXPECT_FALSE(State().Paused);
}

TEST_F(StateMachine, EscapeOnTheTitleEndsTheProgram) {
  Press(vk::Escape);
  EXPECT_TRUE(harness->app.Terminated());
  EXPECT_EQ(Form().ExitCode(), 0);
}

TEST_F(StateMachine, EscapeFromTheIntroReturnsToTheTitleAndKeepsIntroTicks) {
  Press(vk::Return);
  ASSERT_TRUE(RunUntil([&] { return State().IntroTicks >= 4; }, 5000));
  const int ticks = State().IntroTicks;
  Press(vk::Escape);
  EXPECT_FALSE(State().InGame);
  EXPECT_FALSE(State().ResetRequest);
  EXPECT_EQ(State().Level, 1);
  EXPECT_EQ(State().IntroTicks, ticks);
  // The next intro is shorter by the ticks already counted.
  Press(vk::Return);
  const std::uint32_t start = harness->clock.GetTickCount();
  ASSERT_TRUE(RunUntil([&] { return State().IntroDone; }, 5000));
  EXPECT_LE(harness->clock.GetTickCount() - start, (10u - ticks + 1) * 150u);
}

TEST_F(StateMachine, EscapeFromPlayingOrPausedTearsTheLevelDown) {
  for (bool paused : {false, true}) {
    harness->StartLevel();
    State().Score = 120;
    State().DamageBar = "|||";
    if (paused) Press(vk::Return);
    Press(vk::Escape);
    EXPECT_FALSE(State().InGame);
    EXPECT_FALSE(State().LevelRunning);
    EXPECT_FALSE(State().Paused);
    EXPECT_EQ(State().Score, 0);
    EXPECT_TRUE(State().DamageBar.empty());
    EXPECT_FALSE(Form().Timer1().Enabled());
    EXPECT_FALSE(Form().GameTimer().Enabled());
  }
}

TEST_F(StateMachine, DamageEndsTheGameAndTheNextFrameTearsDown) {
  harness->StartLevel();
  State().Score = 250;
  State().DamageBar = std::string(31, '|');
  harness->RunPasses(1);
  EXPECT_TRUE(State().GameOver);
  EXPECT_TRUE(State().ResetRequest);
  EXPECT_TRUE(State().LevelRunning);  // the detecting frame still has its level
  EXPECT_EQ(State().FinalScore, 250);
  harness->RunPasses(1);
  EXPECT_FALSE(State().LevelRunning);
  EXPECT_EQ(State().Level, 1);
  EXPECT_EQ(State().Score, 0);
  EXPECT_TRUE(State().DamageBar.empty());
  EXPECT_EQ(State().FinalScore, 250);
  EXPECT_TRUE(State().GameOver);
}

TEST_F(StateMachine, GameOverLeadsToTheRankingOrBackToTheTitle) {
  harness->StartLevel();
  State().DamageBar = std::string(31, '|');
  harness->RunPasses(2);
  Press(vk::Return);
  EXPECT_TRUE(State().RankingMode);
  harness->RunPasses(1);
  EXPECT_TRUE(State().GameOver);
  Press(vk::Escape);
  EXPECT_FALSE(State().GameOver);
  EXPECT_FALSE(State().RankingMode);
  EXPECT_FALSE(State().InGame);
  EXPECT_FALSE(harness->app.Terminated());
}

TEST_F(StateMachine, EscapeOnTheGameOverScreenReturnsWithoutARanking) {
  harness->StartLevel();
  State().DamageBar = std::string(31, '|');
  harness->RunPasses(3);
  Press(vk::Escape);
  EXPECT_FALSE(State().GameOver);
  EXPECT_FALSE(State().RankingMode);
  EXPECT_FALSE(State().InGame);
  EXPECT_FALSE(State().RankInserted);
  EXPECT_TRUE(State().PlayerName.empty());
  EXPECT_FALSE(harness->app.Terminated());
}

TEST_F(StateMachine, ALevelEndsWhenItsClockRunsOutAndDamageCarriesOver) {
  harness->StartLevel();
  State().DamageBar = "||||";
  ASSERT_TRUE(harness->RunUntilWithoutTraffic([&] { return State().Level == 2; }, 40000));
  EXPECT_EQ(State().Score, 300);
  EXPECT_FALSE(State().IntroDone);
  EXPECT_FALSE(State().LevelDone);
  EXPECT_EQ(State().DamageBar, "||||");
  ASSERT_TRUE(RunUntil([&] { return State().LevelRunning; }, 5000));
  EXPECT_EQ(State().LevelCaption, "LEVEL 02");
}

TEST_F(StateMachine, AfterLevelTwentyTheWinScreenLeadsToGameOver) {
  harness->StartLevel();
  State().Level = 20;
  State().TimeBar = "|";
  ASSERT_TRUE(RunUntil([&] { return State().Level == 21; }, 5000));
  const std::uint32_t start = harness->clock.GetTickCount();
  ASSERT_TRUE(RunUntil([&] { return State().LevelCaption == "YOU WIN!"; }, 1000));
  ASSERT_TRUE(RunUntil([&] { return State().GameOver; }, 10000));
  const std::uint32_t took = harness->clock.GetTickCount() - start;
  EXPECT_GE(took, 24u * 150u);
  EXPECT_LE(took, 26u * 150u);
  EXPECT_FALSE(State().LevelRunning);
  harness->RunPasses(2);  // the first game-over frame asks for the return to the title
  EXPECT_EQ(State().Level, 1);
}

TEST_F(StateMachine, LevelTwelveShowsItsCaptionWithTheLeadingZero) {
  harness->StartLevel();
  State().Level = 11;
  State().TimeBar = "|";
  ASSERT_TRUE(RunUntil([&] { return State().Level == 12 && State().IntroTicks > 0; }, 5000));
  EXPECT_EQ(State().LevelCaption, "LEVEL 012");
}

}  // namespace
}  // namespace tvx::testing
