#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/doubles/FakeApplication.h"
#include "platform/doubles/VirtualClock.h"
#include "timing/PxTimers.h"

namespace tvx {
namespace {

constexpr std::int32_t kOneMs = 1 << 20;

class PxTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { Create(); }

  void Create() {
    timer = CreateComponent<TPxTimer>(&owner, clock, app);
    timer->OnTimer = [this](TComponent* sender) {
      EXPECT_EQ(sender, timer);
      ++frames;
      if (processEachFrame) timer->Process();
    };
    timer->OnProcess = [this](TComponent* sender) {
      EXPECT_EQ(sender, timer);
      ++ticks;
    };
  }

  // One idle pass, `milliseconds` after the previous clock reading (plus whatever it slept).
  void Frame(std::uint32_t milliseconds) {
    clock.Advance(milliseconds);
    app.RunPass();
  }

  // Enables the timer and runs one frame whose ticks are not banked (Processed starts
  // false), so that the next frame starts from ProcessTime 0.
  void StartRunning(double speed) {
    timer->SetSpeed(speed);
    timer->SetEnabled(true);
    Frame(100);
    ASSERT_EQ(timer->ProcessTime(), 0);
    ticks = 0;
  }

  VirtualClock clock{10000};
  FakeApplication app{clock};
  TComponent owner{nullptr};
  TPxTimer* timer = nullptr;
  bool processEachFrame = true;
  int frames = 0;
  int ticks = 0;
};

TEST_F(PxTimerTest, StartsDisabledAtSixtyTicksAndAHundredFramesWithTheHighResolutionCounter) {
  EXPECT_EQ(timer->Speed(), 60.0);
  EXPECT_EQ(timer->MaxFPS(), 100);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Precision(), TPerformancePrecision::ppHigh);
  EXPECT_EQ(timer->TickInterval(), 17476267);
  EXPECT_EQ(timer->MinFrameTime(), 10485760);
  EXPECT_EQ(timer->ProcessTime(), 0);
  EXPECT_EQ(timer->Delta(), 0);
  EXPECT_FALSE(timer->Processed());
}

TEST_F(PxTimerTest, InstallsItsIdleHandlerInPlaceOfAnyOther) {
  bool otherCalled = false;
  app.SetIdleHandler([&](bool&) { otherCalled = true; });
  Create();
  const std::uint64_t passes = app.Passes();
  Frame(0);
  EXPECT_FALSE(otherCalled);
  EXPECT_EQ(app.Passes(), passes + 1);
}

TEST_F(PxTimerTest, SpeedIsAtLeastOneTickPerSecond) {
  timer->SetSpeed(0.5);
  EXPECT_EQ(timer->Speed(), 1.0);
  EXPECT_EQ(timer->TickInterval(), 1048576000);
  timer->SetSpeed(-3);
  EXPECT_EQ(timer->Speed(), 1.0);
  timer->SetSpeed(std::nan(""));
  EXPECT_EQ(timer->Speed(), 1.0);
  EXPECT_EQ(timer->TickInterval(), 1048576000);
}

TEST_F(PxTimerTest, TickIntervalRoundsToTheNearestHalvesToEven) {
  timer->SetSpeed(60);
  EXPECT_EQ(timer->TickInterval(), 17476267);
  timer->SetSpeed(100);
  EXPECT_EQ(timer->TickInterval(), 10485760);
  timer->SetSpeed(16777216.0);  // exactly 62.5
  EXPECT_EQ(timer->TickInterval(), 62);
  timer->SetSpeed(83886080.0);  // exactly 12.5
  EXPECT_EQ(timer->TickInterval(), 12);
}

TEST_F(PxTimerTest, SpeedIsBoundedSoThatATickNeverBecomesZeroLong) {
  for (double speed : {2097152000.0, 3e9, std::numeric_limits<double>::infinity()}) {
    timer->SetSpeed(speed);
    EXPECT_EQ(timer->Speed(), TPxTimer::kMaxSpeed) << speed;
    EXPECT_EQ(timer->TickInterval(), 1) << speed;
  }
  timer->SetSpeed(1048576000.0);
  EXPECT_EQ(timer->TickInterval(), 1);
  // A frame at the fastest speed is capped like any other.
  StartRunning(3e9);
  Frame(1);
  EXPECT_EQ(timer->Delta(), 32 * kOneMs);
}

TEST_F(PxTimerTest, MaxFpsIsAtLeastOne) {
  for (int maxFPS : {0, -5}) {
    timer->SetMaxFPS(maxFPS);
    EXPECT_EQ(timer->MaxFPS(), 1);
    EXPECT_EQ(timer->MinFrameTime(), 1048576000);
  }
  timer->SetMaxFPS(150);
  EXPECT_EQ(timer->MinFrameTime(), 6990507);
  timer->SetMaxFPS(100);
  EXPECT_EQ(timer->MinFrameTime(), 10485760);
  timer->SetMaxFPS(16777216);  // exactly 62.5
  EXPECT_EQ(timer->MinFrameTime(), 62);
}

TEST_F(PxTimerTest, FiftyMillisecondsAtSpeedHundredAreExactlyFiveTicks) {
  StartRunning(100);
  Frame(50);
  EXPECT_EQ(timer->Elapsed(), 52428800);
  EXPECT_EQ(timer->Delta(), 5242880);
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(timer->ProcessTime(), 0);
}

TEST_F(PxTimerTest, FiftyMillisecondsAtSpeedSixtyAreJustUnderThreeTicks) {
  StartRunning(60);
  Frame(50);
  EXPECT_EQ(timer->Delta(), 3145727);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(timer->ProcessTime(), 1048575);
}

TEST_F(PxTimerTest, TwentyMillisecondsAtSpeedSixtyAreOneTickAndACarry) {
  StartRunning(60);
  Frame(20);
  EXPECT_EQ(timer->Delta(), 1258291);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer->ProcessTime(), 209715);
}

TEST_F(PxTimerTest, AFrameRunsAtMostThirtyTwoTicks) {
  StartRunning(60);
  Frame(600);
  EXPECT_EQ(timer->Elapsed(), 600 * kOneMs);
  EXPECT_EQ(timer->Delta(), 0x2000000) << "37748735 capped";
  EXPECT_EQ(ticks, 32);
}

TEST_F(PxTimerTest, AFrameThatTicksBanksItsTicksOnlyAtTheNextFrame) {
  StartRunning(100);
  processEachFrame = false;
  Frame(50);  // Process ran in the frame before, so this frame's ticks are banked
  EXPECT_EQ(timer->ProcessTime(), 5242880);
  EXPECT_FALSE(timer->Processed());
  Frame(50);  // no Process since: nothing more is banked
  EXPECT_EQ(timer->ProcessTime(), 5242880);
  timer->Process();
  EXPECT_EQ(ticks, 5);
  EXPECT_TRUE(timer->Processed());
}

TEST_F(PxTimerTest, AShortFrameSleepsOffTheRestOfTheShortestFrame) {
  timer->SetMaxFPS(150);
  StartRunning(60);
  clock.ClearSleeps();
  Frame(2);
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{4})) << "(6990507 - 2097152) div 2^20";
  EXPECT_EQ(timer->Delta(), 125829) << "the sleep is not part of this frame";
  EXPECT_EQ(frames, 2) << "a short frame still runs";
  Frame(0);
  EXPECT_EQ(timer->Elapsed(), 4 * kOneMs) << "it falls into the next one";
}

TEST_F(PxTimerTest, WithoutOnProcessWholeTicksAreStillDropped) {
  timer->OnProcess = nullptr;
  StartRunning(60);
  Frame(50);
  EXPECT_EQ(timer->ProcessTime(), 1048575);
  Frame(50);
  EXPECT_EQ(timer->ProcessTime(), (1048575 + 3145727) & 0xFFFFF);
}

TEST_F(PxTimerTest, IfProcessIsNeverCalledNoTicksAccumulateOrRun) {
  processEachFrame = false;
  timer->SetEnabled(true);
  for (int i = 0; i < 20; ++i) Frame(50);
  EXPECT_EQ(frames, 20);
  EXPECT_EQ(timer->ProcessTime(), 0);
  EXPECT_EQ(ticks, 0);
}

TEST_F(PxTimerTest, WhileDisabledEachPassOnlyReadsTheClockAndSleepsFiveMilliseconds) {
  for (int i = 0; i < 10; ++i) Frame(20);
  EXPECT_EQ(frames, 0);
  EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(10, 5));
  EXPECT_EQ(timer->Elapsed(), 25 * kOneMs) << "20 ms plus the previous pass's sleep";
}

TEST_F(PxTimerTest, TheFirstEnabledFrameMeasuresOnlySinceTheLastDisabledPass) {
  Frame(1000);
  Frame(1000);
  timer->SetEnabled(true);
  Frame(30);
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(timer->Elapsed(), 35 * kOneMs) << "30 ms plus the disabled pass's 5 ms sleep";
}

TEST_F(PxTimerTest, TheIdleHandlerAsksToBeCalledAgainAtOnce) {
  bool done = true;
  timer->IdleHandler(done);
  EXPECT_FALSE(done);
  timer->SetEnabled(true);
  done = true;
  timer->IdleHandler(done);
  EXPECT_FALSE(done);
}

TEST_F(PxTimerTest, HighResolutionReadingsTruncateToFixedPointMilliseconds) {
  timer->SetEnabled(true);
  Frame(100);
  clock.AdvanceMicroseconds(1);
  app.RunPass();
  EXPECT_EQ(timer->Elapsed(), 1048) << "1 us is 1048.576 fixed-point units";
}

TEST_F(PxTimerTest, AGapTooLongForElapsedIsMeasuredAsItsLargestValue) {
  timer->SetEnabled(true);
  Frame(5000);
  EXPECT_EQ(timer->Elapsed(), 0x7FFFFFFF);
  EXPECT_EQ(timer->Delta(), 0x2000000);
  clock.AdvanceMicroseconds(std::int64_t{1} << 50);  // would overflow the 64-bit product
  app.RunPass();
  EXPECT_EQ(timer->Elapsed(), 0x7FFFFFFF);
}

TEST_F(PxTimerTest, AClockThatWentBackwardsMeasuresNoTime) {
  timer->SetEnabled(true);
  Frame(100);
  clock.AdvanceMicroseconds(-50000);
  app.RunPass();
  EXPECT_EQ(timer->Elapsed(), 0);
  EXPECT_EQ(timer->Delta(), 0);
}

class PxTimerLowPrecisionTest : public PxTimerTest {
 protected:
  void SetUp() override {
    clock.SetHighResolutionCounter(false);
    Create();
  }
};

TEST_F(PxTimerLowPrecisionTest, MeasuresWithTheMillisecondTickCount) {
  EXPECT_EQ(timer->Precision(), TPerformancePrecision::ppLow);
  StartRunning(100);
  clock.AdvanceMicroseconds(50400);  // the tick count sees whole milliseconds only
  app.RunPass();
  EXPECT_EQ(timer->Elapsed(), 50 * kOneMs);
  EXPECT_EQ(ticks, 5);
}

TEST_F(PxTimerLowPrecisionTest, BoundsLongGapsAndBackwardTicksLikeTheCounter) {
  timer->SetEnabled(true);
  Frame(2047);
  EXPECT_EQ(timer->Elapsed(), 2047 * kOneMs) << "the longest gap that fits";
  Frame(2048);
  EXPECT_EQ(timer->Elapsed(), 0x7FFFFFFF);
  clock.AdvanceMicroseconds(-3000000);
  app.RunPass();
  EXPECT_EQ(timer->Elapsed(), 0);
}

TEST_F(PxTimerLowPrecisionTest, CountsAcrossTheTickCountWrap) {
  VirtualClock nearWrap(0xFFFFFFF0u);
  nearWrap.SetHighResolutionCounter(false);
  FakeApplication wrapApp(nearWrap);
  TPxTimer* wrapping = CreateComponent<TPxTimer>(&owner, nearWrap, wrapApp);
  wrapping->SetEnabled(true);
  nearWrap.Advance(40);
  wrapApp.RunPass();
  EXPECT_EQ(wrapping->Elapsed(), 40 * kOneMs);
}

TEST_F(PxTimerTest, AFreedTimerLeavesTheApplicationsIdlePassHarmless) {
  delete timer;
  timer = nullptr;
  const std::size_t sleeps = clock.Sleeps().size();
  app.RunPass();
  EXPECT_EQ(clock.Sleeps().size(), sleeps);
  EXPECT_TRUE(owner.Components().empty());
}

TEST_F(PxTimerTest, InTheMessageLoopTicksFollowSpeedAndShortFramesSleepInsteadOfSpinning) {
  timer->SetMaxFPS(150);
  timer->SetEnabled(true);
  app.RunFor(1000);
  frames = 0;
  ticks = 0;
  clock.ClearSleeps();
  app.RunFor(1000);
  EXPECT_GE(ticks, 59);
  EXPECT_LE(ticks, 61);
  std::uint32_t slept = 0;
  for (std::uint32_t milliseconds : clock.Sleeps()) slept += milliseconds;
  EXPECT_GE(slept, 990u) << "frames that do no work spend their time asleep";
  // Deliberate: a sleep counts toward the next frame, which may then be short and sleep
  // again, so frames without work alternate between about 2 and 4 ms.
  EXPECT_LE(frames, 1000 / 2);
}

TEST_F(PxTimerTest, PacingIsOffUntilARateIsGivenAndMaxFpsBoundsIt) {
  EXPECT_EQ(timer->PaceRate(), 0);
  EXPECT_EQ(timer->PacePeriod(), 0);
  timer->SetPaceRate(60);
  EXPECT_EQ(timer->PacePeriod(), 17476267);
  timer->SetPaceRate(240);
  EXPECT_EQ(timer->PacePeriod(), 10485760) << "MaxFPS 100 is the bound";
  timer->SetMaxFPS(360);
  EXPECT_EQ(timer->PacePeriod(), 4369067);
  timer->SetPaceRate(0);
  EXPECT_EQ(timer->PacePeriod(), 0);
}

TEST_F(PxTimerTest, PacedFramesThatDoNoWorkSleepTheRestOfEachPeriod) {
  timer->SetPaceRate(60);
  StartRunning(60);
  frames = 0;
  clock.ClearSleeps();
  app.RunFor(1000);
  EXPECT_NEAR(frames, 60, 1);
  EXPECT_NEAR(ticks, 60, 2) << "the last sleeps fall into frames not run yet";
  std::uint32_t slept = 0;
  for (std::uint32_t milliseconds : clock.Sleeps()) {
    EXPECT_GE(milliseconds, 16u);
    EXPECT_LE(milliseconds, 17u) << "a sixtieth of a second, the fractions carried";
    slept += milliseconds;
  }
  EXPECT_GE(slept, 999u);
}

TEST_F(PxTimerTest, PacedFramesSleepWhatTheirWorkLeavesOfThePeriod) {
  timer->SetPaceRate(100);
  StartRunning(100);
  clock.ClearSleeps();
  Frame(10);  // after the first frame's ten milliseconds: nothing to sleep
  Frame(3);   // three milliseconds of work: seven left
  Frame(3);
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{7, 7}));
}

TEST_F(PxTimerTest, PacedFramesThatTheDisplayHoldsToItsRefreshSleepNothing) {
  timer->SetMaxFPS(360);
  timer->SetPaceRate(144);
  StartRunning(60);
  clock.ClearSleeps();
  for (int i = 0; i < 300; ++i) {
    clock.AdvanceMicroseconds(6944 + (i % 9 == 0 ? 1 : 0));
    app.RunPass();
  }
  EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(PxTimerTest, TheShownTimeFallsBetweenTheLastTicksAndMovesEvenlyOnAJitteryDisplay) {
  timer->SetMaxFPS(360);
  timer->SetPaceRate(144);
  StartRunning(60);
  // The frame's picture, in ticks: as many behind the newest tick as the lag says.
  double shown = 0;
  timer->OnTimer = [&](TComponent*) {
    EXPECT_GE(timer->ShownLag(), 0.0);
    EXPECT_LE(timer->ShownLag(), 2.0);
    shown = static_cast<double>(timer->TicksRun()) - timer->ShownLag();
    timer->Process();
  };
  std::int64_t boundaryUs = clock.NowMicroseconds();
  double previous = 0;
  for (int i = 0; i < 1440; ++i) {
    boundaryUs += 6944;
    const std::int64_t wokeUs = boundaryUs + (i * 7919) % 700;  // up to 0.7 ms late
    clock.AdvanceMicroseconds(wokeUs - clock.NowMicroseconds());
    app.RunPass();
    if (i > 30) {
      EXPECT_NEAR(shown - previous, 60.0 / 144.0, 0.01) << "frame " << i;
    }
    previous = shown;
  }
}

}  // namespace
}  // namespace tvx
