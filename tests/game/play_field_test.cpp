// The play field in a running game: the car and the road of each level, the engine's passes,
// the effects spawned on request, traffic from the spawner, and the clearing between levels.
#include <set>

#include "game/Barrier.h"
#include "game/Player.h"
#include "game/Road.h"
#include "game/SpriteFX.h"
#include "game_fixture.h"
#include "platform/KeyboardDevice.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

class PlayField : public GameTest {
 protected:
  TSpriteEngine& Engine() { return Form().Engine(); }
  template <class T>
  std::vector<T*> All() {
    std::vector<T*> found;
    for (TSprite* sprite : Engine().SpriteList()) {
      if (auto* kind = dynamic_cast<T*>(sprite)) found.push_back(kind);
    }
    return found;
  }
  std::multiset<std::string> EffectImages() {
    std::multiset<std::string> images;
    for (TSpriteFX* effect : All<TSpriteFX>()) images.insert(effect->ImageName);
    return images;
  }
};

TEST_F(PlayField, EachLevelStartsWithTheChosenCarAboveTheRoad) {
  State().CarIndex = 2;
  harness->StartLevel();
  ASSERT_EQ(Engine().Count(), 2);
  auto* road = dynamic_cast<TRoad*>(Engine().Items(0));
  auto* car = dynamic_cast<TPlayer*>(Engine().Items(1));
  ASSERT_NE(road, nullptr);
  ASSERT_NE(car, nullptr);
  EXPECT_EQ(car->ImageName, "pcar2");
  EXPECT_EQ(car->X, 320.0f);
  EXPECT_EQ(car->Y, 380.0f);
  EXPECT_EQ(car->Z(), 4);
  EXPECT_TRUE(car->CanCollide);
  EXPECT_EQ(car->CollideMode, 1);
  const std::set<std::string> firstRoads{"road0", "road1", "road2", "road3"};
  EXPECT_EQ(firstRoads.count(road->ImageName), 1u) << road->ImageName;
  EXPECT_EQ(road->Z(), 1);
  EXPECT_EQ(road->X, 0.0f);
  EXPECT_EQ(road->DrawBounds.left, -480);
  EXPECT_EQ(road->DrawBounds.bottom, 480);
  EXPECT_EQ(Engine().Images, &Form().Images());
  EXPECT_EQ(Engine().Canvas, &Form().MyCanvas());
}

TEST_F(PlayField, TicksMoveTheSpritesAndPublishTheCar) {
  harness->StartLevel();
  auto* road = dynamic_cast<TRoad*>(Engine().Items(0));
  ASSERT_NE(road, nullptr);
  const float roadY = road->Y;
  harness->keyboard.SetKeyDown(dik::Left, true);
  RunFor(500);
  EXPECT_NE(road->Y, roadY);
  EXPECT_LT(State().PlayerX, 320.0f);
  EXPECT_EQ(State().PlayerY, 380.0f);
  EXPECT_EQ(State().FinalScore, State().Score);
  EXPECT_GT(State().ScrollSpeed, 0.0);
}

TEST_F(PlayField, RequestsOfOneFrameStartBothEffectsAndSmokeComesOncePerLevel) {
  harness->StartLevel();
  State().JetRequest = true;
  State().StarsRequest = true;
  harness->RunPasses(1);
  EXPECT_EQ(EffectImages(), (std::multiset<std::string>{"firejet", "groggystars"}));
  EXPECT_TRUE(State().JetActive);
  EXPECT_TRUE(State().StarsActive);
  EXPECT_FALSE(State().JetRequest);
  EXPECT_FALSE(State().StarsRequest);
  for (TSpriteFX* effect : All<TSpriteFX>()) {
    EXPECT_EQ(effect->Z(), 5);
    EXPECT_FALSE(effect->CanCollide);
    EXPECT_EQ(effect->DrawEffect, EffectAdditive);
  }

  State().DamageBar.assign(25, '|');
  harness->RunPasses(3);
  EXPECT_EQ(EffectImages().count("fogflow"), 1u);
  EXPECT_TRUE(State().SmokeShown);
}

TEST_F(PlayField, PausedLevelsStillDrawAndSpawnRequestedEffects) {
  harness->StartLevel();
  Press(vk::Return);
  ASSERT_TRUE(State().Paused);
  State().JetRequest = true;
  harness->RunPasses(1);
  EXPECT_EQ(EffectImages().count("firejet"), 1u);
}

TEST_F(PlayField, LevelEndsAndReturnsEmptyTheEngine) {
  harness->StartLevel();
  State().JetRequest = true;
  harness->RunPasses(1);
  ASSERT_GT(Engine().Count(), 2);
  State().LevelDone = true;
  harness->RunPasses(1);
  EXPECT_EQ(Engine().Count(), 0);
  ASSERT_TRUE(RunUntil([&] { return State().LevelRunning; }, 5000));
  EXPECT_EQ(Engine().Count(), 2);  // the next level's car and road
  Press(vk::Escape);
  harness->RunPasses(1);
  EXPECT_EQ(Engine().Count(), 0);
}

TEST_F(PlayField, TheSpawnerFillsTheRoadWithinItsCap) {
  harness->StartLevel();
  int most = 0;
  bool sawTraffic = false;
  RunUntil(
      [&] {
        most = std::max(most, Engine().Count());
        sawTraffic = sawTraffic || !All<TBarrier>().empty();
        return false;
      },
      20000);
  EXPECT_TRUE(sawTraffic);
  EXPECT_LE(most, 16 + 4);  // one event adds up to four sprites past the cap
}

// Whole levels with traffic and a driver who never lets go of the keys: the game must come
// through to its end on damage or the clock without any sprite misbehaving.
TEST_F(PlayField, LevelsPlayedWithTrafficEndInGameOverOrTheNextLevel) {
  harness->StartLevel();
  harness->keyboard.SetKeyDown(dik::Up, true);
  int levelsStarted = 1;
  for (int second = 0; second < 240 && !State().GameOver; ++second) {
    harness->keyboard.SetKeyDown(dik::Left, second % 4 < 2);  // left, then right
    harness->keyboard.SetKeyDown(dik::Right, second % 4 >= 2);
    const bool wasRunning = State().LevelRunning;
    RunFor(1000);
    if (!wasRunning && State().LevelRunning) ++levelsStarted;
    if (State().LevelRunning) {
      EXPECT_GE(State().PlayerX, 104.0f - static_cast<float>(State().ScrollSpeed));
      EXPECT_LE(State().PlayerX, 440.0f + static_cast<float>(State().ScrollSpeed) + 1.0f);
      EXPECT_LE(State().PlayerY, 400.0f);
    }
  }
  EXPECT_TRUE(State().GameOver || levelsStarted > 1);
}

}  // namespace
}  // namespace tvx::testing
