#include <gtest/gtest.h>

#include "core/Numeric.h"
#include "core/Random.h"
#include "game/LevelTable.h"

namespace tvx {
namespace {

double SpeedAt(int level, int refresh, bool jet) {
  TGameState state;
  state.Level = level;
  state.RefreshRate = refresh;
  state.JetActive = jet;
  ApplyLevelSpeed(state);
  return state.ScrollSpeed;
}

TEST(LevelTable, SortsRefreshRatesIntoClasses) {
  EXPECT_EQ(RefreshClassOf(59), 0);
  EXPECT_EQ(RefreshClassOf(60), 60);
  EXPECT_EQ(RefreshClassOf(70), 60);
  EXPECT_EQ(RefreshClassOf(71), 75);
  EXPECT_EQ(RefreshClassOf(76), 85);
  EXPECT_EQ(RefreshClassOf(86), 100);
  EXPECT_EQ(RefreshClassOf(101), 120);
  EXPECT_EQ(RefreshClassOf(120), 120);
  EXPECT_EQ(RefreshClassOf(144), 0);
  EXPECT_EQ(RefreshClassOf(0), 0);
}

TEST(LevelTable, LevelOneAtSixtyHertzAndItsSpeedometer) {
  EXPECT_EQ(SpeedAt(1, 60, false), 5.0);
  EXPECT_EQ(RoundHalfEven(SpeedAt(1, 60, false) * 12), 60);
  EXPECT_EQ(SpeedAt(1, 60, true), 7.0);
  EXPECT_EQ(RoundHalfEven(SpeedAt(1, 60, true) * 12), 84);
  EXPECT_EQ(RoundHalfEven(SpeedAt(1, 120, false) * 12), 30);
}

TEST(LevelTable, KeepsTheTablesIrregularities) {
  EXPECT_EQ(SpeedAt(12, 60, false), 11.0);
  EXPECT_EQ(SpeedAt(13, 60, false), 9.0);  // slower than level 12
  for (int level = 9; level <= 14; ++level) EXPECT_EQ(SpeedAt(level, 120, false), 6.5) << level;
  EXPECT_EQ(SpeedAt(20, 85, false), 12.5);
  EXPECT_EQ(SpeedAt(17, 75, true), 14.0);
}

TEST(LevelTable, TheBoostAlwaysAddsTwo) {
  for (int level = 1; level <= 20; ++level) {
    for (int refresh : {60, 75, 85, 100, 120}) {
      EXPECT_EQ(SpeedAt(level, refresh, true) - SpeedAt(level, refresh, false), 2.0);
    }
  }
}

TEST(LevelTable, OutsideTheTableTheSpeedIsLeftAlone) {
  TGameState state;
  state.ScrollSpeed = 3.25;
  state.Level = 21;
  state.RefreshRate = 60;
  ApplyLevelSpeed(state);
  EXPECT_EQ(state.ScrollSpeed, 3.25);
  state.Level = 1;
  state.RefreshRate = 0;
  ApplyLevelSpeed(state);
  EXPECT_EQ(state.ScrollSpeed, 3.25);
}

TEST(LevelTable, LevelClockPaceByLevel) {
  EXPECT_EQ(LevelClockInterval(1), 1000u);
  EXPECT_EQ(LevelClockInterval(2), 1000u);
  EXPECT_EQ(LevelClockInterval(3), 1500u);
  EXPECT_EQ(LevelClockInterval(10), 1500u);
  EXPECT_EQ(LevelClockInterval(11), 2000u);
  EXPECT_EQ(LevelClockInterval(20), 2000u);
}

TEST(LevelTable, RoadPicturesByLevelDrawOneNumberEach) {
  for (int level = 1; level <= 25; ++level) {
    for (int i = 0; i < 200; ++i) {
      const std::uint32_t before = RandSeed();
      const std::string name = RoadImageName(level);
      EXPECT_EQ(RandSeed(), before * 134775813u + 1u);
      ASSERT_EQ(name.size(), 5u);
      const int digit = name[4] - '0';
      if (level <= 5) {
        EXPECT_LE(digit, 3);
      } else if (level <= 10) {
        EXPECT_GE(digit, 4);
      }
      EXPECT_GE(digit, 0);
      EXPECT_LE(digit, 6);
    }
  }
}

}  // namespace
}  // namespace tvx
