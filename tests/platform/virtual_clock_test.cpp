#include <gtest/gtest.h>

#include "platform/doubles/VirtualClock.h"

namespace tvx {
namespace {

TEST(VirtualClockTest, CounterAndTickCountMoveTogether) {
  VirtualClock clock(500);
  std::int64_t frequency = 0;
  ASSERT_TRUE(clock.QueryPerformanceFrequency(frequency));
  EXPECT_EQ(frequency, 1000000);
  const std::int64_t counterBefore = clock.QueryPerformanceCounter();
  EXPECT_EQ(clock.GetTickCount(), 500u);
  clock.AdvanceMicroseconds(2500);
  EXPECT_EQ(clock.QueryPerformanceCounter() - counterBefore, 2500);
  EXPECT_EQ(clock.GetTickCount(), 502u);
}

TEST(VirtualClockTest, SleepAdvancesTheClockAndIsRecorded) {
  VirtualClock clock;
  clock.Sleep(5);
  clock.Sleep(0);
  clock.Advance(3);
  EXPECT_EQ(clock.GetTickCount(), 8u);
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{5, 0}));
  clock.ClearSleeps();
  EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(VirtualClockTest, EveryReadingCanCostTimeSoThatSpinningLoopsAdvance) {
  VirtualClock clock;
  clock.SetReadingCost(250);
  const std::int64_t first = clock.QueryPerformanceCounter();
  const std::int64_t second = clock.QueryPerformanceCounter();
  EXPECT_EQ(second - first, 250);
  while (clock.GetTickCount() < 10) {
  }
  EXPECT_EQ(clock.NowMicroseconds(), 10000);
}

TEST(VirtualClockTest, TheTickCountWrapsAt32Bits) {
  VirtualClock clock(0xFFFFFFFFu);
  clock.Advance(2);
  EXPECT_EQ(clock.GetTickCount(), 1u);
}

TEST(VirtualClockTest, GoingBackwardsMovesBothReadings) {
  VirtualClock clock(10);
  clock.AdvanceMicroseconds(-10500);
  EXPECT_EQ(clock.QueryPerformanceCounter(), -500);
  EXPECT_EQ(clock.GetTickCount(), 0xFFFFFFFFu) << "floor of -0.5 ms";
}

TEST(VirtualClockTest, CanLackAHighResolutionCounter) {
  VirtualClock clock;
  clock.SetHighResolutionCounter(false);
  std::int64_t frequency = 0;
  EXPECT_FALSE(clock.QueryPerformanceFrequency(frequency));
}

}  // namespace
}  // namespace tvx
