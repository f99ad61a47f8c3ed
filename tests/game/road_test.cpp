// The scrolling road: its step, its jump back to the top, and its stop while paused.
#include "game/Road.h"

#include "game/PlayFieldKinds.h"
#include "game_fixture.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

class Road : public GameTest {
 protected:
  // Laid out as a level's set-up lays it out.
  void SetUp() override {
    GameTest::SetUp();
    road = Form().Engine().Create<TRoad>(Form().PlayContext());
    road->SetImageName("road0");
    road->SetX(0.0f);
    road->SetY(-480.0f);
    road->SetZ(depth::Road);
    road->DrawBounds = gfx::Rect{-480, -640, 640, 480};
  }
  void MoveTimes(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) road->Move(1.0f);
  }

  TRoad* road = nullptr;
};

TEST_F(Road, ScrollsDownByTheScrollSpeedEveryTick) {
  State().ScrollSpeed = 4.5;
  MoveTimes(3);
  EXPECT_FLOAT_EQ(road->Y, -466.5f);
  EXPECT_FLOAT_EQ(road->X, 0.0f);
}

TEST_F(Road, StandsStillAtScrollSpeedZero) {
  State().ScrollSpeed = 0.0;
  MoveTimes(100);
  EXPECT_FLOAT_EQ(road->Y, -480.0f);
}

TEST_F(Road, AStepReachingExactlyZeroWrapsToTheTop) {
  State().ScrollSpeed = 8.0;
  MoveTimes(59);
  EXPECT_FLOAT_EQ(road->Y, -8.0f);
  MoveTimes(1);
  EXPECT_FLOAT_EQ(road->Y, -480.0f);
}

TEST_F(Road, TheOvershootPastZeroIsDropped) {
  State().ScrollSpeed = 4.0;
  road->SetY(-4.5f);
  MoveTimes(1);
  EXPECT_FLOAT_EQ(road->Y, -0.5f);  // still above 0: no jump yet
  MoveTimes(1);
  EXPECT_FLOAT_EQ(road->Y, -480.0f);  // not -476.5
}

TEST_F(Road, StopsWhilePausedAndGoesOnFromThere) {
  State().ScrollSpeed = 6.0;
  MoveTimes(2);
  State().Paused = true;
  MoveTimes(50);
  EXPECT_FLOAT_EQ(road->Y, -468.0f);
  State().Paused = false;
  MoveTimes(1);
  EXPECT_FLOAT_EQ(road->Y, -462.0f);
}

}  // namespace
}  // namespace tvx::testing
