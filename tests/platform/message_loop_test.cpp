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

  VirtualClock clock;
  MessageLoop loop{clock};
  std::unique_ptr<IIntervalTimer> timer;
  std::vector<std::string> steps;
};

TEST_F(MessageLoopTest, APassRunsEventsThenTimersThenTheIdleHandler) {
  loop.SetIdleHandler([this](bool&) { steps.push_back("idle"); });
  loop.RunPass([this] { steps.push_back("events"); });
  EXPECT_EQ(steps, (std::vector<std::string>{"events", "timer", "idle"}));
}

TEST_F(MessageLoopTest, TheIdleHandlerDecidesWhetherTheLoopWaits) {
  EXPECT_TRUE(loop.RunPass([] {})) << "no idle handler: wait";
  loop.SetIdleHandler([](bool& done) { EXPECT_TRUE(done) << "done starts set"; });
  EXPECT_TRUE(loop.RunPass([] {}));
  loop.SetIdleHandler([](bool& done) { done = false; });
  EXPECT_FALSE(loop.RunPass([] {}));
}

TEST_F(MessageLoopTest, TerminatingSkipsTheRestOfThePass) {
  loop.SetIdleHandler([this](bool&) { steps.push_back("idle"); });
  loop.RunPass([this] { loop.Terminate(); });
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(loop.Terminated());
}

TEST_F(MessageLoopTest, AnIdleHandlerMayReplaceItself) {
  int second = 0;
  loop.SetIdleHandler([&](bool&) {
    std::vector<int> bulky(32, 1);
    loop.SetIdleHandler([&second, bulky](bool&) { second += bulky[0]; });
  });
  loop.RunPass([] {});
  loop.RunPass([] {});
  EXPECT_EQ(second, 1);
}

TEST_F(MessageLoopTest, TheWaitEndsWhenTheNextTimerIsDueAndIsBounded) {
  loop.RunPass([] {});  // fires the timer; its next countdown starts now
  clock.Advance(4);
  EXPECT_EQ(loop.WaitTimeout(), 6u);
  timer->SetInterval(500);
  EXPECT_EQ(loop.WaitTimeout(), MessageLoop::kWaitLimitMs);
  timer->SetEnabled(false);
  EXPECT_EQ(loop.WaitTimeout(), MessageLoop::kWaitLimitMs);
}

}  // namespace
}  // namespace tvx
