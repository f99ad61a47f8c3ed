// Losing the focus: a running level pauses as ENTER pauses it and stays paused until ENTER;
// the title and the intro go on. With the setting off the level runs on, as it always did.
// Full screen gives way to the other window (minimised); a window stays where it is.
#include "game/SoundNames.h"
#include "game_fixture.h"

namespace tvx::testing {
namespace {

class FocusLoss : public GameTest {
 protected:
  void LoseFocus() {
    harness->app.QueueDeactivate();
    harness->RunPasses(1);
  }
};

TEST_F(FocusLoss, PausesARunningLevelWithItsClockUntilEnter) {
  harness->StartLevel();
  RunFor(1500);
  ASSERT_TRUE(harness->Playing(sound::Engine));
  const std::string timeBar = State().TimeBar;
  const int score = State().Score;

  LoseFocus();
  EXPECT_TRUE(State().Paused);
  EXPECT_FALSE(harness->Playing(sound::Engine));
  EXPECT_TRUE(harness->app.Minimized());
  LoseFocus();  // a second loss must not act as a second ENTER and resume
  RunFor(5000);
  EXPECT_TRUE(State().Paused);
  EXPECT_EQ(State().TimeBar, timeBar);
  EXPECT_EQ(State().Score, score);

  harness->app.QueueRestore();
  RunFor(2000);
  EXPECT_TRUE(harness->app.WindowVisible());
  EXPECT_TRUE(State().Paused) << "coming back leaves the level paused";
  EXPECT_EQ(State().TimeBar, timeBar);

  Press(vk::Return);
  EXPECT_FALSE(State().Paused);
  EXPECT_TRUE(harness->Playing(sound::Engine));
  RunFor(3000);
  EXPECT_LT(State().TimeBar.size(), timeBar.size());
}

TEST_F(FocusLoss, ChangesNothingOnTheTitleOrTheIntro) {
  LoseFocus();
  EXPECT_FALSE(State().InGame);
  EXPECT_FALSE(State().Paused);
  RunFor(1000);
  Press(vk::Return);
  EXPECT_TRUE(State().InGame) << "the title still takes ENTER";
  harness->RunPasses(2);
  const int ticks = State().IntroTicks;
  LoseFocus();
  EXPECT_FALSE(State().Paused);
  ASSERT_TRUE(RunUntil([&] { return State().LevelRunning; }, 2000)) << "from tick " << ticks;
  EXPECT_FALSE(State().Paused);
}

class FocusLossInAWindow : public FocusLoss {
 protected:
  DisplayOptions Display() const override { return {.fullscreen = false}; }
};

TEST_F(FocusLossInAWindow, PausesWithoutMinimising) {
  harness->StartLevel();
  LoseFocus();
  EXPECT_TRUE(State().Paused);
  EXPECT_FALSE(harness->app.Minimized());
  EXPECT_TRUE(harness->app.ShowWindowCalls().empty());
}

class FocusLossWithPauseOff : public FocusLoss {
 protected:
  DisplayOptions Display() const override { return {.pauseOnFocusLoss = false}; }
};

TEST_F(FocusLossWithPauseOff, MinimisesAndTheLevelRunsOn) {
  harness->StartLevel();
  const std::size_t timeLeft = State().TimeBar.size();
  LoseFocus();
  EXPECT_TRUE(harness->app.Minimized());
  EXPECT_FALSE(State().Paused);
  RunFor(3000);
  EXPECT_FALSE(State().Paused);
  EXPECT_LT(State().TimeBar.size(), timeLeft);
  EXPECT_TRUE(harness->Playing(sound::Engine));
  harness->app.QueueRestore();
  harness->RunPasses(1);
  EXPECT_TRUE(harness->app.WindowVisible());
}

}  // namespace
}  // namespace tvx::testing
