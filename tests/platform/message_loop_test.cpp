#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/doubles/VirtualClock.h"
#include "platform/rules/MessageLoop.h"

namespace tvx {
namespace {

class MessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    timer = loop.Timers().CreateTimer();
    timer->SetInterval(10);
    timer->SetOnTimer([this] { steps.push_back("timer"); });
    timer->SetEnabled(true);
    clock.Advance(10);
  }

  // A pass whose events `deliver` stands for; it always has some.
  template <class Deliver>
  bool PassWith(Deliver deliver) {
    return loop.RunPass(
        [&] {
          deliver();
          return true;
        },
        [] { return true; });
  }

  VirtualClock clock;
  MessageLoop loop{clock};
  std::unique_ptr<IIntervalTimer> timer;
  std::vector<std::string> steps;
};

TEST_F(MessageLoopTest, APassRunsEventsThenTimersThenTheIdleHandler) {
  loop.SetIdleHandler([this](bool&) { steps.push_back("idle"); });
  PassWith([this] { steps.push_back("events"); });
  EXPECT_EQ(steps, (std::vector<std::string>{"events", "timer", "idle"}));
}

TEST_F(MessageLoopTest, TheIdleHandlerDecidesWhetherTheLoopWaits) {
  EXPECT_TRUE(PassWith([] {})) << "no idle handler: wait";
  loop.SetIdleHandler([](bool& done) { EXPECT_TRUE(done) << "done starts set"; });
  EXPECT_TRUE(PassWith([] {}));
  loop.SetIdleHandler([](bool& done) { done = false; });
  EXPECT_FALSE(PassWith([] {}));
}

TEST_F(MessageLoopTest, TerminatingSkipsTheRestOfThePass) {
  loop.SetIdleHandler([this](bool&) { steps.push_back("idle"); });
  PassWith([this] { loop.Terminate(); });
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(loop.Terminated());
}

TEST_F(MessageLoopTest, AnIdleHandlerMayReplaceItself) {
  int second = 0;
  loop.SetIdleHandler([&](bool&) {
    std::vector<int> bulky(32, 1);
    loop.SetIdleHandler([&second, bulky](bool&) { second += bulky[0]; });
  });
  PassWith([] {});
  PassWith([] {});
  EXPECT_EQ(second, 1);
}

TEST_F(MessageLoopTest, TheWaitEndsWhenTheNextTimerIsDueAndIsBounded) {
  PassWith([] {});  // fires the timer; its next countdown starts now
  clock.Advance(4);
  EXPECT_EQ(loop.WaitTimeout(), 6u);
  timer->SetInterval(500);
  EXPECT_EQ(loop.WaitTimeout(), MessageLoop::kWaitLimitMs);
  timer->SetEnabled(false);
  EXPECT_EQ(loop.WaitTimeout(), MessageLoop::kWaitLimitMs);
}

// Resting: a quiet pass may leave the idle handler out when the rest query allows.
class RestingLoopTest : public MessageLoopTest {
 protected:
  void SetUp() override {
    MessageLoopTest::SetUp();
    PassWith([] {});  // the timer fires; the next is due in 10 ms
    steps.clear();
    loop.SetIdleHandler([this](bool& done) {
      steps.push_back("idle");
      done = false;
    });
    loop.SetRestQuery([this](bool hidden) {
      steps.push_back(hidden ? "asked hidden" : "asked");
      return rest;
    });
  }
  // A pass with `events` queued (delivered by it).
  bool Pass(int events) {
    queued = events;
    return loop.RunPass(
        [this] {
          const bool any = queued > 0;
          for (; queued > 0; --queued) steps.push_back("event");
          return any;
        },
        [this] { return queued > 0; });
  }

  bool rest = true;
  int queued = 0;
};

TEST_F(RestingLoopTest, OnlyAQuietPassAsksAndARestLeavesTheIdleHandlerOut) {
  EXPECT_FALSE(Pass(1)) << "an event: the idle handler runs";
  EXPECT_EQ(steps, (std::vector<std::string>{"event", "idle"}));
  steps.clear();
  EXPECT_TRUE(Pass(0)) << "a quiet pass that may rest waits";
  EXPECT_EQ(steps, (std::vector<std::string>{"asked"}));
  EXPECT_TRUE(loop.Resting());
  EXPECT_EQ(loop.WaitTimeout(), 10u) << "until the timer is due";
  clock.Advance(5);
  timer->SetEnabled(false);
  EXPECT_EQ(loop.WaitTimeout(), MessageLoop::kRestingWaitLimitMs);
  rest = false;
  steps.clear();
  loop.SetHidden(true);
  EXPECT_TRUE(Pass(0)) << "resting on: nothing is pending";
  EXPECT_TRUE(steps.empty());
}

TEST_F(RestingLoopTest, WhatEndsARestFindsTheIdleHandlerRunFirst) {
  Pass(0);
  steps.clear();
  EXPECT_FALSE(Pass(2));
  EXPECT_EQ(steps, (std::vector<std::string>{"idle", "event", "event", "idle"}));
  EXPECT_FALSE(loop.Resting());

  Pass(0);
  steps.clear();
  clock.Advance(10);
  EXPECT_FALSE(Pass(0)) << "the timer fell due: the rest ends";
  EXPECT_EQ(steps, (std::vector<std::string>{"idle", "timer", "idle"}));
  steps.clear();
  loop.SetHidden(true);
  rest = false;
  EXPECT_FALSE(Pass(0));
  EXPECT_EQ(steps, (std::vector<std::string>{"asked hidden", "idle"}));
}

}  // namespace
}  // namespace tvx
