// The traffic spawner: the sprite cap, the order of its random draws, where and how each
// obstacle enters, and the wait until the next event.
#include <vector>

#include "core/Random.h"
#include "game/Barrier.h"
#include "game_fixture.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

constexpr std::uint32_t kUnchanged = 54321;

class Spawner : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    State().Level = 1;
    Form().Timer1().SetInterval(kUnchanged);
  }

  void Fill(int count) {
    for (int i = 0; i < count; ++i) Form().Engine().Create<TSprite>();
  }
  std::vector<TBarrier*> Barriers() {
    std::vector<TBarrier*> found;
    for (TSprite* sprite : Form().Engine().SpriteList()) {
      if (auto* barrier = dynamic_cast<TBarrier*>(sprite)) found.push_back(barrier);
    }
    return found;
  }
  // The one spawned barrier that `match` picks; nullptr if there is none.
  template <class Match>
  TBarrier* Find(Match match) {
    for (TBarrier* barrier : Barriers()) {
      if (match(*barrier)) return barrier;
    }
    return nullptr;
  }
  TBarrier* MainObstacle() {
    return Find([](const TBarrier& b) { return b.Z() == 4 && b.Hits == 10; });
  }
  TBarrier* PickUp() {
    return Find([](const TBarrier& b) { return b.Z() == 3; });
  }
  // A fresh event from `seed` on an empty engine.
  void EventFrom(std::uint32_t seed) {
    Form().Engine().Clear();
    SetRandSeed(seed);
    Form().Timer1Timer();
  }
  static void ExpectTrafficEntry(const TBarrier& barrier) {
    EXPECT_FLOAT_EQ(barrier.Y, -480.0f);
    EXPECT_EQ(barrier.DrawBounds.left, -480);
    EXPECT_EQ(barrier.DrawBounds.top, -640);
    EXPECT_EQ(barrier.DrawBounds.right, 640);
    EXPECT_EQ(barrier.DrawBounds.bottom, 480);
    EXPECT_TRUE(barrier.CanCollide);
    EXPECT_EQ(barrier.CollideMode, 1);
  }
};

TEST_F(Spawner, WhilePausedItNeitherSpawnsNorDrawsANewInterval) {
  State().Paused = true;
  const std::uint32_t seed = RandSeed();
  Form().Timer1Timer();
  EXPECT_EQ(Form().Engine().Count(), 0);
  EXPECT_EQ(Form().Timer1().Interval(), kUnchanged);
  EXPECT_EQ(RandSeed(), seed);
}

TEST_F(Spawner, ItStopsOnlyWhenTheCountExceedsTheCap) {
  const std::pair<int, int> caps[] = {{1, 16}, {10, 16}, {11, 14}, {15, 14}, {16, 12}, {20, 12}};
  for (const auto& [level, cap] : caps) {
    State().Level = level;
    Form().Engine().Clear();
    Fill(cap + 1);
    Form().Timer1Timer();
    EXPECT_EQ(Form().Engine().Count(), cap + 1) << "level " << level;
    EXPECT_NE(Form().Timer1().Interval(), kUnchanged) << "level " << level;
    Form().Timer1().SetInterval(kUnchanged);
    Form().Engine().Clear();
    Fill(cap);
    Form().Timer1Timer();
    EXPECT_GT(Form().Engine().Count(), cap) << "level " << level;
  }
}

// The draws of one event below level 7, in the order the spawner makes them.
TEST_F(Spawner, EarlyLevelsDrawObstacleLaneSwervePickUpAndTwoIntervals) {
  const char* const obstacles[] = {"car0", "car1", "car2", "car3", "barril0", "barril1", "barril2"};
  const char* const pickUps[] = {"engrenagem", "gelb", "gelbpreta"};
  const auto lane = [] {
    const std::int32_t x = Random(440);
    return static_cast<float>(x <= 105 ? Random(340) + 105 : x);
  };
  State().Level = 3;
  int pickUpsSeen = 0;
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    SetRandSeed(seed);
    const int kind = Random(7);
    const float x = lane();
    const bool swerve = Random(5) == 3;
    const bool pickUp = Random(10) == 5;
    const int pickUpKind = pickUp ? Random(3) : 0;
    const float pickUpX = pickUp ? lane() : 0.0f;
    Random(1000);
    const std::int32_t wait = Random(500);

    EventFrom(seed);
    TBarrier* obstacle = MainObstacle();
    ASSERT_NE(obstacle, nullptr) << "seed " << seed;
    EXPECT_EQ(obstacle->ImageName, obstacles[kind]) << "seed " << seed;
    EXPECT_FLOAT_EQ(obstacle->ScaleX, kind >= 4 ? 0.7f : 1.0f) << "seed " << seed;
    EXPECT_FLOAT_EQ(obstacle->X, x) << "seed " << seed;
    EXPECT_EQ(obstacle->Swerve, swerve) << "seed " << seed;
    ExpectTrafficEntry(*obstacle);
    EXPECT_EQ(Form().Timer1().Interval(), wait == 0 ? 1000u : static_cast<std::uint32_t>(wait));
    EXPECT_EQ(Form().Engine().Count(), pickUp ? 2 : 1) << "seed " << seed;
    if (!pickUp) continue;
    ++pickUpsSeen;
    TBarrier* item = PickUp();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ImageName, pickUps[pickUpKind]);
    EXPECT_FLOAT_EQ(item->X, pickUpX);
  }
  EXPECT_GT(pickUpsSeen, 0);
}

TEST_F(Spawner, FromLevelNineAPairOfExplosiveBarrelsMayComeFirst) {
  State().Level = 9;
  std::uint32_t seed = 0;
  while (true) {
    SetRandSeed(seed);
    if (Random(10) == 1) break;
    ++seed;
  }
  SetRandSeed(seed);
  Random(10);
  std::int32_t x = Random(440);
  if (x <= 105) x = Random(340) + 104;
  EventFrom(seed);
  std::vector<TBarrier*> pair;
  for (TBarrier* barrier : Barriers()) {
    if (barrier->Z() == 4 && barrier->Hits == 0) pair.push_back(barrier);
  }
  ASSERT_EQ(pair.size(), 2u);
  // Among equal depths the newer sprite comes first: the second barrel, then the first.
  EXPECT_FLOAT_EQ(pair[1]->X, static_cast<float>(x));
  EXPECT_FLOAT_EQ(pair[0]->X, 200.0f);
  for (TBarrier* barrel : pair) {
    EXPECT_EQ(barrel->ImageName, "barril2");
    EXPECT_FLOAT_EQ(barrel->ScaleY, 0.7f);
    EXPECT_FALSE(barrel->Swerve);
    ExpectTrafficEntry(*barrel);
  }
  ASSERT_NE(MainObstacle(), nullptr);
  State().Level = 8;
  EventFrom(seed);
  EXPECT_EQ(Find([](const TBarrier& b) { return b.Hits == 0 && b.Z() == 4; }), nullptr);
}

TEST_F(Spawner, EverythingEntersOnTheRoad) {
  State().Level = 12;
  bool sawLowLane = false;
  bool sawPair = false;
  for (std::uint32_t seed = 0; seed < 2000; ++seed) {
    EventFrom(seed);
    for (TBarrier* barrier : Barriers()) {
      const bool pairBarrel = barrier->Z() == 4 && barrier->Hits == 0;
      sawPair = sawPair || pairBarrel;
      if (pairBarrel && barrier->X == 200.0f) continue;  // the pair's second barrel
      EXPECT_GE(barrier->X, pairBarrel ? 104.0f : 105.0f) << "seed " << seed;
      EXPECT_LE(barrier->X, pairBarrel ? 443.0f : 444.0f) << "seed " << seed;
      sawLowLane = sawLowLane || barrier->X < 110.0f;
    }
    if (TBarrier* item = PickUp()) {
      const bool repair = item->ImageName == "engrenagem";
      EXPECT_FLOAT_EQ(item->ScaleX, repair ? 0.7f : 1.0f);
      EXPECT_EQ(item->AnimCount, repair ? 2 : 7);
      EXPECT_FLOAT_EQ(item->AnimSpeed, repair ? 0.1f : 0.7f);
      EXPECT_TRUE(item->Animating);
      EXPECT_TRUE(item->AnimLoop);
      EXPECT_EQ(item->Hits, 0);
      EXPECT_EQ(item->DrawBounds.top, -200);  // visible only once it is nearly on screen
      EXPECT_FLOAT_EQ(item->Y, -480.0f);
    }
  }
  EXPECT_TRUE(sawLowLane);
  EXPECT_TRUE(sawPair);
}

TEST_F(Spawner, TheWaitShortensWithTheLevelAndIsNeverZero) {
  const std::pair<int, std::uint32_t> longest[] = {{1, 499}, {6, 499}, {7, 427}, {20, 149}};
  for (const auto& [level, most] : longest) {
    State().Level = level;
    std::uint32_t seen = 0;
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
      EventFrom(seed);
      const std::uint32_t wait = Form().Timer1().Interval();
      if (wait == 1000) continue;
      EXPECT_GE(wait, 1u);
      EXPECT_LE(wait, most) << "level " << level;
      seen = std::max(seen, wait);
    }
    EXPECT_GT(seen, most * 9 / 10) << "level " << level;
  }
}

}  // namespace
}  // namespace tvx::testing
