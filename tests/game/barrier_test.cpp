// The obstacles: how each kind falls and keeps its rectangle, swerving, the passing sound,
// removal below the screen, and what obstacles do to each other when they touch.
#include "game/Barrier.h"

#include "core/Random.h"
#include "game/PlayFieldKinds.h"
#include "game/Player.h"
#include "game/SoundNames.h"
#include "game_fixture.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

class Obstacles : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    State().Level = 1;
    State().ScrollSpeed = 3.0;
    State().PlayerX = 320.0f;
    State().PlayerY = 380.0f;
  }

  TBarrier* Make(const char* image, float x = 200.5f, float y = 100.7f) {
    TBarrier* barrier = Form().Engine().Create<TBarrier>(Form().PlayContext());
    barrier->SetImageName(image);
    barrier->SetX(x);
    barrier->SetY(y);
    barrier->CanCollide = true;
    barrier->CollideMode = kFieldCollideMode;
    return barrier;
  }
  // Moved once from (200.5, 100.7): the rectangle is taken from (200, 100).
  void ExpectRectAndFall(const char* image, gfx::Rect rect, float fall) {
    TBarrier* barrier = Make(image);
    barrier->Move(1.0f);
    EXPECT_EQ(barrier->CollideRect.left, 200 + rect.left) << image;
    EXPECT_EQ(barrier->CollideRect.top, 100 + rect.top) << image;
    EXPECT_EQ(barrier->CollideRect.right, 200 + rect.right) << image;
    EXPECT_EQ(barrier->CollideRect.bottom, 100 + rect.bottom) << image;
    EXPECT_FLOAT_EQ(barrier->Y, 100.7f + fall) << image;
    EXPECT_FLOAT_EQ(barrier->X, 200.5f) << image;
  }
  // Both sides of a touching pair, as the collision pass calls them.
  void Meet(TBarrier& a, TBarrier& b) {
    a.CollideRect = b.CollideRect = {100, 100, 200, 200};
    Form().Engine().CheckCollisions();
  }
};

using ObstacleMove = Obstacles;

TEST_F(ObstacleMove, EachKindKeepsItsRectangleAndFallsAtItsRate) {
  for (const char* car : {"car0", "car1", "car2", "car3", "car0q", "car3q"})
    ExpectRectAndFall(car, {30, 12, 65, 70}, 4.0f);
  ExpectRectAndFall("barril0", {15, 34, 75, 44}, 3.0f);
  ExpectRectAndFall("barril1", {16, 40, 48, 51}, 3.0f);
  ExpectRectAndFall("barril2", {16, 40, 48, 51}, 3.0f);
  for (const char* pickUp : {"engrenagem", "gelb", "gelbpreta"})
    ExpectRectAndFall(pickUp, {8, 8, 27, 22}, 3.0f);
}

TEST_F(ObstacleMove, TheDizzyPickUpFallsFasterAfterLevelFive) {
  State().Level = 5;
  ExpectRectAndFall("gelbpreta", {8, 8, 27, 22}, 3.0f);
  State().Level = 6;
  ExpectRectAndFall("gelbpreta", {8, 8, 27, 22}, 4.0f);
}

TEST_F(ObstacleMove, AnExplosionFallsWithTheRoadAndKeepsItsLastRectangle) {
  TBarrier* barrel = Make("barril0");
  barrel->Move(1.0f);
  MakeExplosion(*barrel, 1.0f);
  barrel->Move(1.0f);
  EXPECT_EQ(barrel->CollideRect.left, 215);
  EXPECT_EQ(barrel->CollideRect.top, 134);
  EXPECT_FLOAT_EQ(barrel->Y, 106.7f);
  for (int tick = 0; tick < 60; ++tick) barrel->Move(1.0f);
  EXPECT_EQ(barrel->PatternIndex, 31);  // played once, held on the last pattern
}

TEST_F(ObstacleMove, WhilePausedObstaclesAnimateButDoNotMove) {
  State().Paused = true;
  TBarrier* pickUp = Make("gelb");
  pickUp->SetAnimStart(0);
  pickUp->AnimCount = 7;
  pickUp->AnimSpeed = 0.7f;
  for (int tick = 0; tick < 3; ++tick) pickUp->Move(1.0f);
  EXPECT_EQ(pickUp->PatternIndex, 2);
  EXPECT_FLOAT_EQ(pickUp->Y, 100.7f);
  EXPECT_EQ(pickUp->CollideRect.right, 0);
}

TEST_F(ObstacleMove, ReachingTheBottomRemovesWrecksAndExplosionsToo) {
  TBarrier* wreck = Make("car1q", 200.0f, 475.0f);
  TBarrier* explosion = Make("barril1", 300.0f, 477.0f);
  MakeExplosion(*explosion, 1.2f);
  wreck->Move(1.0f);
  explosion->Move(1.0f);
  EXPECT_FALSE(wreck->IsDead());  // 479
  EXPECT_TRUE(explosion->IsDead());
  wreck->Move(1.0f);
  EXPECT_TRUE(wreck->IsDead());
}

TEST_F(ObstacleMove, FromLevelFifteenASwervingCarWandersOnTwoDrawsInFive) {
  State().Level = 15;
  TBarrier* car = Make("car0", 200.0f);
  car->Swerve = true;
  for (std::uint32_t seed = 0; seed < 20; ++seed) {
    SetRandSeed(seed);
    const std::int32_t r = Random(5);
    const float expected = car->X + (r == 0 ? 1.0f : r == 1 ? -1.0f : 0.0f);
    SetRandSeed(seed);
    car->Move(1.0f);
    EXPECT_FLOAT_EQ(car->X, expected) << "seed " << seed;
  }
}

TEST_F(ObstacleMove, ASwervingBarrelStaysInItsLaneButStillDraws) {
  TBarrier* barrel = Make("barril0", 200.0f);
  barrel->Swerve = true;
  State().Level = 14;
  SetRandSeed(0);  // Random(5) answers 0 from this seed: a car would step right
  barrel->Move(1.0f);
  EXPECT_EQ(RandSeed(), 0u);  // no draw below level 15
  State().Level = 15;
  barrel->Move(1.0f);
  EXPECT_NE(RandSeed(), 0u);
  EXPECT_FLOAT_EQ(barrel->X, 200.0f);
}

TEST_F(ObstacleMove, ItWhooshesWhenPassingCloseBesideThePlayer) {
  Make("barril0", 400.0f, 385.0f)->Move(1.0f);  // 388 is not yet ten below the car
  EXPECT_FALSE(harness->Playing(sound::Whoosh));
  Make("barril0", 440.0f, 390.0f)->Move(1.0f);  // beside, but too far to the right
  EXPECT_FALSE(harness->Playing(sound::Whoosh));
  Make("barril0", 400.0f, 390.0f)->Move(1.0f);
  EXPECT_TRUE(harness->Playing(sound::Whoosh));
}

using ObstacleContact = Obstacles;

TEST_F(ObstacleContact, AnExplosiveBarrelTouchedByACarExplodesAndOnlyItChanges) {
  TBarrier* car = Make("car0", 200.0f, 100.0f);
  car->Hits = 10;
  TBarrier* barrel = Make("barril2", 210.0f, 100.0f);
  Meet(*car, *barrel);
  EXPECT_EQ(barrel->ImageName, "explode");
  EXPECT_FLOAT_EQ(barrel->ScaleX, 1.2f);
  EXPECT_FLOAT_EQ(barrel->Y, 101.0f);
  EXPECT_EQ(barrel->Z(), 5);
  EXPECT_TRUE(harness->Playing(sound::Explode));
  EXPECT_EQ(car->ImageName, "car0");
  EXPECT_FLOAT_EQ(car->X, 200.0f);
  EXPECT_FLOAT_EQ(car->Y, 100.0f);
  EXPECT_EQ(car->Hits, 10);
  EXPECT_FALSE(car->IsDead());
}

TEST_F(ObstacleContact, BarrelsNudgeEachOtherDownAndCarsPassThrough) {
  TBarrier* first = Make("barril0", 200.0f, 100.0f);
  TBarrier* second = Make("barril1", 210.0f, 120.0f);
  Meet(*first, *second);
  EXPECT_FLOAT_EQ(first->Y, 101.0f);
  EXPECT_FLOAT_EQ(second->Y, 121.0f);
  EXPECT_TRUE(harness->Playing(sound::BarrelDrop));
  TBarrier* car = Make("car1", 200.0f, 150.0f);
  TBarrier* pickUp = Make("gelb", 210.0f, 150.0f);
  first->CanCollide = second->CanCollide = false;
  Meet(*car, *pickUp);
  EXPECT_FLOAT_EQ(car->Y, 150.0f);
  EXPECT_FLOAT_EQ(pickUp->Y, 150.0f);
  EXPECT_FALSE(pickUp->IsDead());
}

TEST_F(ObstacleContact, ObstaclesMeetingFarAboveTheScreenAreBothRemovedSilently) {
  TBarrier* car = Make("car2", 200.0f, -480.0f);
  TBarrier* barrel = Make("barril0", 210.0f, -50.0f);
  Meet(*car, *barrel);
  EXPECT_TRUE(car->IsDead());
  EXPECT_TRUE(barrel->IsDead());
  EXPECT_FALSE(harness->Playing(sound::BarrelDrop));  // still above the screen
}

TEST_F(ObstacleContact, NothingHappensWhilePausedOrWithThePlayer) {
  TBarrier* barrel = Make("barril2", 200.0f, 100.0f);
  TBarrier* car = Make("car0", 210.0f, 100.0f);
  TPlayer* player = Form().Engine().Create<TPlayer>(Form().PlayContext());
  barrel->HandleCollision(*player);
  EXPECT_FLOAT_EQ(player->Y, 200.0f);
  State().Paused = true;
  Meet(*barrel, *car);
  EXPECT_EQ(barrel->ImageName, "barril2");
  EXPECT_FLOAT_EQ(barrel->Y, 100.0f);
}

}  // namespace
}  // namespace tvx::testing
