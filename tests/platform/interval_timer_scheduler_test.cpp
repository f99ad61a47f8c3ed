#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/doubles/VirtualClock.h"
#include "platform/rules/IntervalTimerScheduler.h"

namespace tvx {
namespace {

class SchedulerTest : public ::testing::Test {
 protected:
  std::unique_ptr<IIntervalTimer> Counting(std::uint32_t interval, int& count) {
    auto timer = scheduler.CreateTimer();
    timer->SetInterval(interval);
    timer->SetOnTimer([&count] { ++count; });
    timer->SetEnabled(true);
    return timer;
  }
  void PassAfter(std::uint32_t milliseconds) {
    clock.Advance(milliseconds);
    scheduler.FireDueTimers();
  }
  // Nothing more for `milliseconds` - 1, then one firing exactly when they have passed.
  void ExpectOneFiringAfter(std::uint32_t milliseconds, const int& fired) {
    const int before = fired;
    PassAfter(milliseconds - 1);
    EXPECT_EQ(fired, before) << "early";
    PassAfter(1);
    EXPECT_EQ(fired, before + 1);
  }

  VirtualClock clock{1000};
  IntervalTimerScheduler scheduler{clock};
};

TEST_F(SchedulerTest, FiresWhenTheIntervalHasPassedAndCountsAgainFromThen) {
  int fired = 0;
  auto timer = Counting(100, fired);
  ExpectOneFiringAfter(100, fired);
  ExpectOneFiringAfter(100, fired);
}

TEST_F(SchedulerTest, AStallFiresOnceAndTheNextCountdownStartsAfterIt) {
  int fired = 0;
  auto timer = Counting(100, fired);
  PassAfter(1050);
  EXPECT_EQ(fired, 1);
  scheduler.FireDueTimers();
  EXPECT_EQ(fired, 1) << "no catch-up burst in the same or the next pass";
  ExpectOneFiringAfter(100, fired);
}

TEST_F(SchedulerTest, PeriodsCountFromWhenTheyFellDueSoFrameLatenessDoesNotAddUp) {
  int fired = 0;
  auto timer = Counting(100, fired);
  for (int pass = 0; pass < 160; ++pass) PassAfter(16);  // a loop served every 16 ms
  EXPECT_EQ(fired, 25) << "due at 100, 200 ... 2500 ms, each seen on the first pass after";
  // Late by less than a period: the next one is still due a period after the last was.
  PassAfter(139);  // 2699: due at 2600
  EXPECT_EQ(fired, 26);
  PassAfter(1);  // 2700
  EXPECT_EQ(fired, 27);
}

TEST_F(SchedulerTest, EnablingAnEnabledTimerKeepsItsCountdown) {
  int fired = 0;
  auto timer = Counting(100, fired);
  clock.Advance(60);
  timer->SetEnabled(true);
  PassAfter(40);
  EXPECT_EQ(fired, 1);
}

TEST_F(SchedulerTest, ReEnablingADisabledTimerStartsAFreshCountdown) {
  int fired = 0;
  auto timer = Counting(100, fired);
  clock.Advance(60);
  timer->SetEnabled(false);
  PassAfter(100);
  EXPECT_EQ(fired, 0) << "a disabled timer never fires";
  timer->SetEnabled(true);
  ExpectOneFiringAfter(100, fired);
}

TEST_F(SchedulerTest, ADifferentIntervalRestartsTheCountdownTheSameOneChangesNothing) {
  int fired = 0;
  auto timer = Counting(100, fired);
  clock.Advance(60);
  timer->SetInterval(100);
  PassAfter(40);
  EXPECT_EQ(fired, 1);

  clock.Advance(60);
  timer->SetInterval(80);
  PassAfter(40);
  EXPECT_EQ(fired, 1) << "the new countdown started 40 ms ago";
  PassAfter(40);
  EXPECT_EQ(fired, 2);
}

TEST_F(SchedulerTest, IntervalZeroNeverFires) {
  int fired = 0;
  auto timer = Counting(0, fired);
  PassAfter(5000);
  EXPECT_EQ(fired, 0);
  EXPECT_FALSE(scheduler.MillisecondsUntilNextDue().has_value());
}

TEST_F(SchedulerTest, TimersFireInCreationOrder) {
  std::vector<std::string> order;
  std::vector<std::unique_ptr<IIntervalTimer>> timers;
  for (const char* name : {"first", "second", "third"}) {
    auto timer = scheduler.CreateTimer();
    // Shorter intervals later: order must follow creation, not due time.
    timer->SetInterval(timers.empty() ? 300
                                      : 300 - 100 * static_cast<std::uint32_t>(timers.size()));
    timer->SetOnTimer([&order, name] { order.push_back(name); });
    timer->SetEnabled(true);
    timers.push_back(std::move(timer));
  }
  PassAfter(300);
  EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(SchedulerTest, AHandlerMayDisableReEnableOrReIntervalItself) {
  int fired = 0;
  auto timer = scheduler.CreateTimer();
  timer->SetInterval(100);
  timer->SetOnTimer([&] {
    ++fired;
    timer->SetEnabled(false);
    timer->SetEnabled(true);  // restarts from now
    timer->SetInterval(50);
  });
  timer->SetEnabled(true);
  PassAfter(100);
  EXPECT_EQ(fired, 1);
  ExpectOneFiringAfter(50, fired);  // the handler's own interval change is kept
}

TEST_F(SchedulerTest, AHandlerThatDisablesItselfStaysDisabled) {
  int fired = 0;
  auto timer = scheduler.CreateTimer();
  timer->SetInterval(10);
  timer->SetOnTimer([&] {
    ++fired;
    timer->SetEnabled(false);
  });
  timer->SetEnabled(true);
  PassAfter(10);
  PassAfter(100);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(timer->Enabled());
}

TEST_F(SchedulerTest, AHandlerMayDestroyItselfAndOthers) {
  int laterFired = 0;
  std::unique_ptr<IIntervalTimer> later;
  auto self = scheduler.CreateTimer();
  self->SetInterval(10);
  self->SetOnTimer([&] {
    self.reset();
    later.reset();
  });
  self->SetEnabled(true);
  later = Counting(10, laterFired);
  PassAfter(10);
  EXPECT_EQ(laterFired, 0);
  EXPECT_EQ(scheduler.TimerCount(), 0u);
  PassAfter(10);
}

TEST_F(SchedulerTest, ATimerCreatedByAHandlerWaitsForTheNextPass) {
  int createdFired = 0;
  std::unique_ptr<IIntervalTimer> created;
  auto creator = scheduler.CreateTimer();
  creator->SetInterval(10);
  creator->SetOnTimer([&] {
    if (!created) created = Counting(1, createdFired);
  });
  creator->SetEnabled(true);
  PassAfter(10);
  EXPECT_EQ(createdFired, 0);
  PassAfter(1);
  EXPECT_EQ(createdFired, 1);
}

TEST_F(SchedulerTest, ReplacingTheHandlerFromInsideItIsSafe) {
  int secondFired = 0;
  auto timer = scheduler.CreateTimer();
  timer->SetInterval(10);
  timer->SetOnTimer([&] {
    std::string padding(64, 'x');  // a capture too big for the small-buffer case
    timer->SetOnTimer(
        [&secondFired, padding] { secondFired += static_cast<int>(padding.size()) > 0; });
  });
  timer->SetEnabled(true);
  PassAfter(10);
  PassAfter(10);
  EXPECT_EQ(secondFired, 1);
}

TEST_F(SchedulerTest, CountsAcrossTheTickCountWrap) {
  VirtualClock nearWrap(0xFFFFFFF0u);
  IntervalTimerScheduler wrapping(nearWrap);
  int fired = 0;
  auto timer = wrapping.CreateTimer();
  timer->SetInterval(32);
  timer->SetOnTimer([&] { ++fired; });
  timer->SetEnabled(true);
  nearWrap.Advance(31);
  wrapping.FireDueTimers();
  EXPECT_EQ(fired, 0);
  nearWrap.Advance(1);
  wrapping.FireDueTimers();
  EXPECT_EQ(fired, 1);
}

TEST_F(SchedulerTest, ReportsTheTimeUntilTheSoonestEnabledTimer) {
  int fired = 0;
  auto slow = Counting(100, fired);
  auto fast = Counting(30, fired);
  auto disabled = Counting(5, fired);
  disabled->SetEnabled(false);
  clock.Advance(10);
  EXPECT_EQ(scheduler.MillisecondsUntilNextDue(), 20u);
  clock.Advance(25);
  EXPECT_EQ(scheduler.MillisecondsUntilNextDue(), 0u);
}

TEST_F(SchedulerTest, ATimerOutlivingItsSchedulerNeverFiresAndIsSafeToUse) {
  int fired = 0;
  std::unique_ptr<IIntervalTimer> orphan;
  {
    IntervalTimerScheduler shortLived(clock);
    orphan = shortLived.CreateTimer();
    orphan->SetOnTimer([&] { ++fired; });
  }
  orphan->SetInterval(10);
  orphan->SetEnabled(true);
  EXPECT_TRUE(orphan->Enabled());
  EXPECT_EQ(orphan->Interval(), 10u);
  orphan.reset();
  EXPECT_EQ(fired, 0);
}

}  // namespace
}  // namespace tvx
