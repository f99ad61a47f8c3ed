// The level clock and the effect timers on the virtual clock.
#include "game/SoundNames.h"
#include "game_fixture.h"

namespace tvx::testing {
namespace {

using TimedEvents = GameTest;

// Plays `level` from its set-up until the level clock has run out; answers the time taken.
std::uint32_t LevelLength(GameHarness& harness, int level) {
  TGameState& state = harness.State();
  harness.StartLevel();
  if (level != 1) {
    state.Level = level - 1;
    state.TimeBar = "|";
    harness.RunUntilWithoutTraffic([&] { return state.Level == level && state.LevelRunning; },
                                   10000);
  }
  EXPECT_EQ(state.Level, level);
  const std::uint32_t start = harness.clock.GetTickCount();
  harness.RunUntilWithoutTraffic([&] { return state.Level == level + 1; }, 70000);
  return harness.clock.GetTickCount() - start;
}

// A window timer fires on the first pass after it is due and counts its next interval
// from then, so each of the 30 ticks may come up to one frame (under 7 ms) late.
constexpr std::uint32_t kLateness = 30 * 7;

TEST_F(TimedEvents, LevelOneLastsThirtySeconds) {
  const std::uint32_t took = LevelLength(*harness, 1);
  EXPECT_GE(took, 30000u);
  EXPECT_LE(took, 30000u + kLateness);
}

TEST_F(TimedEvents, LevelThreeLastsFortyFourAndAHalfSeconds) {
  const std::uint32_t took = LevelLength(*harness, 3);
  EXPECT_GE(took, 44500u);
  EXPECT_LE(took, 44500u + kLateness);
}

TEST_F(TimedEvents, LevelElevenLastsFiftyNineSeconds) {
  const std::uint32_t took = LevelLength(*harness, 11);
  EXPECT_GE(took, 59000u);
  EXPECT_LE(took, 59000u + kLateness);
}

TEST_F(TimedEvents, EachClockTickTakesAMarkAndGivesTenPoints) {
  harness->StartLevel();
  RunFor(1010);
  EXPECT_EQ(State().TimeBar.size(), 29u);
  EXPECT_EQ(State().Score, 10);
}

TEST_F(TimedEvents, PausingStopsTheLevelClock) {
  harness->StartLevel();
  Press(vk::Return);
  RunFor(5000);
  EXPECT_EQ(State().TimeBar.size(), 30u);
  EXPECT_EQ(State().Score, 0);
  EXPECT_TRUE(Form().GameTimer().Enabled());
  Press(vk::Return);
  // The clock kept its rhythm through the pause; the next tick is at most a second away.
  EXPECT_TRUE(RunUntil([&] { return State().TimeBar.size() == 29u; }, 1010));
}

TEST_F(TimedEvents, TheJetRunsFiveSecondsAndBlinks) {
  harness->StartLevel();
  State().JetActive = true;
  Form().timerfirejet().SetEnabled(true);
  Form().timeralpha().SetEnabled(true);
  std::vector<int> alphas;  // each value the car's alpha takes, in order
  while (alphas.size() < 4) {
    RunFor(10);
    const int alpha = State().PlayerAlpha;
    if (alpha != (alphas.empty() ? 255 : alphas.back())) alphas.push_back(alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{75, 150, 75, 150}));
  const std::uint32_t start = harness->clock.GetTickCount();
  ASSERT_TRUE(RunUntil([&] { return State().JetOver; }, 6000));
  EXPECT_LE(harness->clock.GetTickCount() - start, 5000u);
  EXPECT_FALSE(State().JetActive);
  EXPECT_EQ(State().PlayerAlpha, 255);
  EXPECT_FALSE(Form().timeralpha().Enabled());
  EXPECT_FALSE(Form().timerfirejet().Enabled());
}

TEST_F(TimedEvents, ReEnablingTheJetTimerDoesNotExtendTheJet) {
  harness->StartLevel();
  State().JetActive = true;
  Form().timerfirejet().SetEnabled(true);
  const std::uint32_t start = harness->clock.GetTickCount();
  RunFor(3000);
  Form().timerfirejet().SetEnabled(true);
  ASSERT_TRUE(RunUntil([&] { return State().JetOver; }, 6000));
  EXPECT_LE(harness->clock.GetTickCount() - start, 5050u);
}

TEST_F(TimedEvents, TheJetEndsDuringAPause) {
  harness->StartLevel();
  State().JetActive = true;
  Form().timerfirejet().SetEnabled(true);
  Press(vk::Return);
  RunFor(5100);
  EXPECT_TRUE(State().JetOver);
  EXPECT_FALSE(State().JetActive);
}

TEST_F(TimedEvents, TheStarsLastFiveSeconds) {
  harness->StartLevel();
  State().StarsActive = true;
  Form().timerstars().SetEnabled(true);
  RunFor(4900);
  EXPECT_TRUE(State().StarsActive);
  RunFor(200);
  EXPECT_FALSE(State().StarsActive);
  EXPECT_TRUE(State().StarsOver);
  EXPECT_FALSE(Form().timerstars().Enabled());
}

TEST_F(TimedEvents, EndingALevelMidJetResetsEveryEffect) {
  harness->StartLevel();
  State().JetActive = true;
  State().PlayerAlpha = 75;
  Form().timerfirejet().SetEnabled(true);
  Form().timeralpha().SetEnabled(true);
  Form().timerstars().SetEnabled(true);
  State().TimeBar = "|";
  ASSERT_TRUE(RunUntil([&] { return State().Level == 2; }, 3000));
  EXPECT_FALSE(State().JetActive);
  EXPECT_EQ(State().PlayerAlpha, 255);
  EXPECT_FALSE(Form().timerfirejet().Enabled());
  EXPECT_FALSE(Form().timeralpha().Enabled());
  EXPECT_FALSE(Form().timerstars().Enabled());
}

}  // namespace
}  // namespace tvx::testing
