// Smooth motion and quiet frames on the doubles. A virtual display refreshes at 144 Hz or
// 90 Hz and returns each present up to a millisecond late: the road moves by an even amount
// every presented frame, its jump back to the top included. Without smooth motion it holds
// and jumps, as the game always drew it. A paused level whose picture stands still, and a
// title out of sight, leave their frames out until something happens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "core/TempFolder.h"
#include "game_fixture.h"
#include "harness/GameHarness.h"
#include "harness/TestArchive.h"
#include "harness/VirtualDisplay.h"

namespace tvx::testing {
namespace {

class OnAVirtualDisplay {
 public:
  OnAVirtualDisplay(int hertz, bool smooth) : display_(hertz, kJitterUs) {
    EXPECT_TRUE(WriteTestArchive(folder_.Path() + "resources.tvx"));
    harness_ = std::make_unique<GameHarness>(display_, folder_.Path(), hertz,
                                             DisplayOptions{.smoothMotion = smooth});
    display_.SetClock(harness_->clock);
    harness_->Start();
    harness_->StartLevel();
    EXPECT_TRUE(harness_->State().LevelRunning);
    harness_->RunUntilWithoutTraffic([] { return false; }, 500);
  }

  // The road's movement between the frames presented in the next `ms`, the jump back to the
  // top counted as the scroll it continues.
  std::vector<double> RoadMoves(std::uint32_t ms) {
    display_.ClearPresents();
    harness_->RunUntilWithoutTraffic([] { return false; }, ms);
    std::vector<double> moves;
    const auto& shown = display_.Presents();
    for (std::size_t i = 1; i < shown.size(); ++i) {
      double move = static_cast<double>(shown[i].firstY) - shown[i - 1].firstY;
      if (move < -240.0) move += 480.0;
      moves.push_back(move);
    }
    return moves;
  }

  static constexpr std::int64_t kJitterUs = 1000;

 private:
  TempFolder folder_;
  VirtualDisplay display_;
  std::unique_ptr<GameHarness> harness_;
};

class SmoothMotionAt : public ::testing::TestWithParam<int> {};

TEST_P(SmoothMotionAt, TheRoadMovesByAnEvenAmountEveryPresentedFrame) {
  OnAVirtualDisplay game(GetParam(), true);
  const std::vector<double> moves = game.RoadMoves(4000);  // two jumps back to the top
  ASSERT_GE(moves.size(), static_cast<std::size_t>(GetParam()) * 4 - 2);
  double mean = 0;
  for (double move : moves) mean += move;
  mean /= static_cast<double>(moves.size());
  EXPECT_NEAR(mean, 300.0 / GetParam(), 0.02) << "300 pixels a second on every display";
  for (std::size_t i = 0; i < moves.size(); ++i) {
    EXPECT_NEAR(moves[i], mean, 0.02 * mean) << "frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(, SmoothMotionAt, ::testing::Values(144, 90),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "Hz";
                         });

TEST(SmoothMotionOff, TheRoadHoldsAndJumpsAsTheGameAlwaysDrewIt) {
  OnAVirtualDisplay game(144, false);
  const std::vector<double> moves = game.RoadMoves(1000);
  const auto held = std::count(moves.begin(), moves.end(), 0.0);
  EXPECT_GT(held, static_cast<long>(moves.size()) / 3);
  EXPECT_EQ(*std::max_element(moves.begin(), moves.end()), 5.0) << "a whole tick at a time";
}

class QuietFrames : public GameTest {
 protected:
  std::uint64_t PresentsDuring(std::uint32_t ms) {
    const std::uint64_t before = graphics.Count(gfx::Call::Present);
    harness->RunUntilWithoutTraffic([] { return false; }, ms);
    return graphics.Count(gfx::Call::Present) - before;
  }
};

TEST_F(QuietFrames, APausedLevelThatStandsStillRestsUntilAKeyOrATimer) {
  harness->StartLevel();
  PresentsDuring(1000);
  Press(vk::Return);
  ASSERT_TRUE(State().Paused);
  PresentsDuring(100);  // two paused ticks: the picture comes to rest
  // Each firing of the level clock ends a rest: the frame that closes it and the timer's own.
  EXPECT_LE(PresentsDuring(3000), 8u);
  EXPECT_GT(harness->app.RestingPasses(), 100u);
  const std::string timeBar = State().TimeBar;
  Press(vk::Return);
  EXPECT_FALSE(State().Paused);
  EXPECT_GT(PresentsDuring(1500), 80u);
  EXPECT_LT(State().TimeBar.size(), timeBar.size()) << "the level clock counts again";
}

TEST_F(QuietFrames, ATitleOutOfSightRestsAndComesBackWithItsWindow) {
  PresentsDuring(500);
  harness->app.QueueDeactivate();  // full screen: the window is minimised
  harness->RunPasses(1);
  ASSERT_TRUE(harness->app.Minimized());
  EXPECT_EQ(PresentsDuring(2000), 0u);
  harness->app.QueueRestore();
  EXPECT_GT(PresentsDuring(1000), 50u);
}

}  // namespace
}  // namespace tvx::testing
