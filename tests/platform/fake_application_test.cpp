#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/doubles/FakeApplication.h"

namespace tvx {
namespace {

class FakeApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationEvents events;
    events.onKeyDown = [this](std::uint16_t key) { log.push_back("key " + std::to_string(key)); };
    events.onDeactivate = [this] { log.push_back("deactivate"); };
    events.onRestore = [this] { log.push_back("restore"); };
    events.onStartClicked = [this] { log.push_back("start"); };
    app.SetEvents(std::move(events));
  }

  VirtualClock clock;
  FakeApplication app{clock};
  std::vector<std::string> log;
};

TEST_F(FakeApplicationTest, QueuedEventsArriveInOrderAtTheNextPass) {
  app.EnterGameSurface();
  app.QueueKey(vk::Control);
  app.QueueDeactivate();
  app.QueueRestore();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(app.PendingEvents(), 3u);
  app.RunPass();
  EXPECT_EQ(log, (std::vector<std::string>{"key 17", "deactivate", "restore"}));
  EXPECT_EQ(app.PendingEvents(), 0u);
}

TEST_F(FakeApplicationTest, EnterAndSpacePressTheLauncherButtonOnly) {
  app.QueueKey(vk::Return);
  app.QueueKey(vk::Space);
  app.QueueKey(vk::Escape);
  app.RunPass();
  EXPECT_EQ(log, (std::vector<std::string>{"start", "start", "key 27"}));

  log.clear();
  app.EnterGameSurface();
  app.QueueKey(vk::Return);
  app.ClickStart();
  app.RunPass();
  EXPECT_EQ(log, (std::vector<std::string>{"key 13"})) << "the button is gone on the game surface";
}

TEST_F(FakeApplicationTest, APassRunsEventsThenTimersThenIdleLikeTheRealLoop) {
  app.EnterGameSurface();
  auto timer = app.CreateTimer();
  timer->SetInterval(20);
  timer->SetOnTimer([this] { log.push_back("timer"); });
  timer->SetEnabled(true);
  app.SetIdleHandler([this](bool&) { log.push_back("idle"); });
  clock.Advance(20);
  app.QueueKey(vk::A);
  app.RunPass();
  EXPECT_EQ(log, (std::vector<std::string>{"key 65", "timer", "idle"}));
}

TEST_F(FakeApplicationTest, AnIdleHandlerThatIsDoneMakesThePassWaitForTheNextTimer) {
  auto timer = app.CreateTimer();
  timer->SetInterval(3);
  timer->SetEnabled(true);
  app.RunPass();
  EXPECT_EQ(clock.NowMicroseconds(), 3000) << "woken by the timer";
  timer->SetEnabled(false);
  app.RunPass();
  EXPECT_EQ(clock.NowMicroseconds(), 3000 + 1000 * MessageLoop::kWaitLimitMs);
}

TEST_F(FakeApplicationTest, AnIdleHandlerThatIsNotDoneRunsAgainAtOnce) {
  int calls = 0;
  app.SetIdleHandler([&](bool& done) {
    ++calls;
    done = false;
  });
  app.RunPasses(5);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(app.Passes(), 5u);
  EXPECT_EQ(clock.NowMicroseconds(), 0);
}

TEST_F(FakeApplicationTest, RunForRunsPassesUntilTheVirtualTimeIsSpent) {
  int fired = 0;
  auto timer = app.CreateTimer();
  timer->SetInterval(100);
  timer->SetOnTimer([&] { ++fired; });
  timer->SetEnabled(true);
  app.SetIdleHandler([&](bool& done) {
    done = false;
    clock.Sleep(7);
  });
  app.RunFor(1000);
  EXPECT_GE(clock.NowMicroseconds(), 1000000);
  EXPECT_LT(clock.NowMicroseconds(), 1007000);
  EXPECT_EQ(fired, 9) << "a 7 ms frame meets the 100 ms timer 9 times in a second";
}

TEST_F(FakeApplicationTest, RunUntilReportsWhetherThePredicateCameTrue) {
  auto timer = app.CreateTimer();
  int fired = 0;
  timer->SetInterval(50);
  timer->SetOnTimer([&] { ++fired; });
  timer->SetEnabled(true);
  EXPECT_TRUE(app.RunUntil([&] { return fired == 2; }, 1000));
  EXPECT_EQ(clock.NowMicroseconds(), 110000) << "fired at 100 ms, then waited one wait limit";
  EXPECT_FALSE(app.RunUntil([] { return false; }, 30));
  EXPECT_EQ(clock.NowMicroseconds(), 140000);
}

TEST_F(FakeApplicationTest, TerminateEndsRunAndSkipsTheRestOfThePass) {
  app.EnterGameSurface();
  bool idleRan = false;
  app.SetIdleHandler([&](bool&) { idleRan = true; });
  ApplicationEvents events;
  events.onKeyDown = [this](std::uint16_t key) {
    if (key == vk::Escape) app.Terminate();
  };
  app.SetEvents(std::move(events));
  app.QueueKey(vk::Escape);
  app.QueueKey(vk::A);
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(idleRan);
  EXPECT_EQ(app.PendingEvents(), 1u) << "nothing is delivered after Terminate";
  EXPECT_EQ(app.TerminateCalls(), 1);
  app.RunPasses(3);
  EXPECT_EQ(app.Passes(), 1u);
}

TEST_F(FakeApplicationTest, RecordsWhatTheGameAsksOfTheWindow) {
  app.SetRefreshRate(75);
  EXPECT_EQ(app.RefreshRate(), 75);
  EXPECT_NE(app.WindowHandle(), 0u);
  EXPECT_FALSE(app.OnGameSurface());
  app.EnterGameSurface();
  app.HideCursor();
  app.ShowMessage("Erro ao inicializar o Device");
  app.ShowWindow(false);
  app.Minimize();
  EXPECT_TRUE(app.OnGameSurface());
  EXPECT_TRUE(app.CursorHidden());
  EXPECT_EQ(app.MessagesShown(), (std::vector<std::string>{"Erro ao inicializar o Device"}));
  EXPECT_FALSE(app.WindowVisible());
  EXPECT_TRUE(app.Minimized());
  EXPECT_EQ(app.MinimizeCalls(), 1);

  app.QueueRestore();
  app.RunPass();
  EXPECT_FALSE(app.Minimized());
  app.ShowWindow(true);
  EXPECT_EQ(app.ShowWindowCalls(), (std::vector<bool>{false, true}));
}

TEST_F(FakeApplicationTest, TimersAreTheSchedulersOwn) {
  auto first = app.CreateTimer();
  auto second = app.CreateTimer();
  EXPECT_EQ(app.TimerCount(), 2u);
  second.reset();
  EXPECT_EQ(app.TimerCount(), 1u);
}

}  // namespace
}  // namespace tvx
