// The player's car: steering within the road, its sounds, the dizzy drift, and what each
// kind of obstacle does to it when they touch.
#include "game/Player.h"

#include "core/Random.h"
#include "game/Barrier.h"
#include "game/PlayFieldKinds.h"
#include "game/SoundNames.h"
#include "game_fixture.h"
#include "platform/KeyboardDevice.h"
#include "sprites/SpriteEngine.h"
#include "timing/PxKeyboard.h"

namespace tvx::testing {
namespace {

class PlayerCar : public GameTest {
 protected:
  // Laid out as a level's set-up lays it out.
  void SetUp() override {
    GameTest::SetUp();
    State().ScrollSpeed = 4.0;
    State().PlayerAlpha = 255;
    player = Form().Engine().Create<TPlayer>(Form().PlayContext());
    player->SetImageName("pcar0");
    player->SetX(320.0f);
    player->SetY(380.0f);
    player->SetZ(depth::Car);
    player->CanCollide = true;
    player->CollideMode = kFieldCollideMode;
  }

  void Hold(std::uint8_t key) {
    harness->keyboard.SetKeyDown(key, true);
    Form().Keyboard().Update();
  }
  void Tick() { player->Move(1.0f); }

  int VolumeOf(const std::string& name) {
    TSoundSystem& sounds = Form().SoundSystem1();
    for (int index = 0; index < sounds.Count(); ++index) {
      if (sounds.Sound(index)->Name() == name)
        return harness->audio.Volume(sounds.Sound(index)->Handle());
    }
    ADD_FAILURE() << name << " is not loaded";
    return -1;
  }

  TPlayer* player = nullptr;
};

using Steering = PlayerCar;

TEST_F(Steering, EachTickTakesTheRectangleBeforeTheStepAndPublishesTheCar) {
  State().PlayerAlpha = 75;
  player->SetX(320.7f);
  player->SetY(380.9f);
  Hold(dik::Up);
  Tick();
  EXPECT_EQ(player->CollideRect.left, 353);
  EXPECT_EQ(player->CollideRect.top, 392);
  EXPECT_EQ(player->CollideRect.right, 386);
  EXPECT_EQ(player->CollideRect.bottom, 448);
  EXPECT_FLOAT_EQ(player->Y, 378.9f);
  EXPECT_FLOAT_EQ(State().PlayerY, 378.9f);
  EXPECT_FLOAT_EQ(State().PlayerX, 320.7f);
  EXPECT_EQ(player->Alpha, 75);  // the jet's blink
}

TEST_F(Steering, BelowSpeedOneTheCarCannotTurnButLeftStillSqueals) {
  State().ScrollSpeed = 0.9;
  Hold(dik::Right);
  Tick();
  EXPECT_FLOAT_EQ(player->X, 320.0f);
  EXPECT_FALSE(harness->Playing(sound::SquealSide));
  Hold(dik::Left);
  Tick();
  EXPECT_FLOAT_EQ(player->X, 320.0f);
  EXPECT_TRUE(harness->Playing(sound::SquealSide));
  EXPECT_EQ(VolumeOf(sound::SquealSide), 30);
}

TEST_F(Steering, HeldAgainstAnEdgeTheCarEndsEveryTickHalfAStepBeyondIt) {
  player->SetX(430.0f);
  Hold(dik::Right);
  for (int tick = 0; tick < 10; ++tick) Tick();
  EXPECT_FLOAT_EQ(player->X, 442.0f);
  harness->keyboard.ReleaseAllKeys();
  player->SetX(110.0f);
  Hold(dik::Left);
  for (int tick = 0; tick < 10; ++tick) Tick();
  EXPECT_FLOAT_EQ(player->X, 102.0f);
  // Let go, and the next tick pulls it back onto the road.
  harness->keyboard.ReleaseAllKeys();
  Form().Keyboard().Update();
  Tick();
  EXPECT_FLOAT_EQ(player->X, 104.0f);
}

TEST_F(Steering, ClimbingStopsOnceAboveTheTopWithoutAClamp) {
  player->SetY(1.0f);
  Hold(dik::Up);
  Tick();
  EXPECT_FLOAT_EQ(player->Y, -1.0f);
  Tick();
  EXPECT_FLOAT_EQ(player->Y, -1.0f);
}

TEST_F(Steering, TheBottomClampActsAfterTheStep) {
  player->SetY(399.0f);
  Hold(dik::Down);
  Tick();
  EXPECT_FLOAT_EQ(player->Y, 400.0f);
  EXPECT_TRUE(harness->Playing(sound::SquealDown));
  EXPECT_EQ(VolumeOf(sound::SquealDown), 15);
}

TEST_F(Steering, UpAndDownTogetherCancelOut) {
  Hold(dik::Up);
  Hold(dik::Down);
  Tick();
  EXPECT_FLOAT_EQ(player->Y, 380.0f);
  EXPECT_TRUE(harness->Playing(sound::SquealUp));
  EXPECT_TRUE(harness->Playing(sound::SquealDown));
}

TEST_F(Steering, TheEngineDronesUnlessASquealRuns) {
  Tick();
  EXPECT_TRUE(harness->Playing(sound::Engine));
  EXPECT_EQ(VolumeOf(sound::Engine), 20);
  Hold(dik::Up);
  Tick();
  EXPECT_FALSE(harness->Playing(sound::Engine));
  EXPECT_TRUE(harness->Playing(sound::SquealUp));
  EXPECT_EQ(VolumeOf(sound::SquealUp), 30);
}

TEST_F(Steering, ADizzyCarDriftsOnePixelByADrawOfFifty) {
  State().StarsActive = true;
  for (std::uint32_t seed : {0u, 1u, 7u, 1234u, 99999u}) {
    SetRandSeed(seed);
    const float expected = Random(50) > 10 ? 321.0f : 319.0f;
    SetRandSeed(seed);
    player->SetX(320.0f);
    Tick();
    EXPECT_FLOAT_EQ(player->X, expected) << "seed " << seed;
  }
  EXPECT_TRUE(harness->Playing(sound::SquealSide));
}

TEST_F(Steering, PausedTheCarDoesNothing) {
  State().Paused = true;
  State().StarsActive = true;
  Hold(dik::Left);
  const std::uint32_t seed = RandSeed();
  Tick();
  EXPECT_FLOAT_EQ(player->X, 320.0f);
  EXPECT_EQ(player->CollideRect.right, 0);
  EXPECT_FLOAT_EQ(State().PlayerX, 0.0f);
  EXPECT_EQ(RandSeed(), seed);
  EXPECT_FALSE(harness->Playing(sound::Engine));
  EXPECT_FALSE(harness->Playing(sound::SquealSide));
}

class Contact : public PlayerCar {
 protected:
  TBarrier* Obstacle(const char* image, int hits, float x = 330.0f) {
    TBarrier* obstacle = Form().Engine().Create<TBarrier>(Form().PlayContext());
    obstacle->SetImageName(image);
    obstacle->SetX(x);
    obstacle->SetY(300.0f);
    obstacle->CanCollide = true;
    obstacle->CollideMode = kFieldCollideMode;
    obstacle->Hits = hits;
    State().PlayerX = 320.0f;
    return obstacle;
  }
  void Touch(TSprite& other, int times = 1) {
    for (int i = 0; i < times; ++i) player->HandleCollision(other);
  }
  void ExpectExplosion(const TBarrier& sprite, float scale) {
    EXPECT_EQ(sprite.ImageName, "explode");
    EXPECT_EQ(sprite.DrawEffect, EffectAdditive);
    EXPECT_EQ(sprite.AnimCount, 32);
    EXPECT_FLOAT_EQ(sprite.AnimSpeed, 0.7f);
    EXPECT_FALSE(sprite.AnimLoop);
    EXPECT_TRUE(sprite.Animating);
    EXPECT_FALSE(sprite.CanCollide);
    EXPECT_EQ(sprite.Z(), 5);
    EXPECT_FLOAT_EQ(sprite.ScaleX, scale);
    EXPECT_FLOAT_EQ(sprite.ScaleY, scale);
    EXPECT_TRUE(harness->Playing(sound::Explode));
    EXPECT_EQ(VolumeOf(sound::Explode), 20);
  }
};

TEST_F(Contact, ACarThrowsBothApartAndCostsSpeedAPointAndABar) {
  State().Score = 50;
  TBarrier* right = Obstacle("car1", 10, 330.0f);
  Touch(*right);
  EXPECT_FLOAT_EQ(player->Y, 384.0f);
  EXPECT_DOUBLE_EQ(State().ScrollSpeed, 3.0);
  EXPECT_EQ(State().Score, 49);
  EXPECT_EQ(State().DamageBar, "|");
  EXPECT_FLOAT_EQ(right->Y, 296.0f);  // pushed up by the lowered speed plus one
  EXPECT_FLOAT_EQ(right->X, 333.0f);
  EXPECT_EQ(right->Hits, 9);
  EXPECT_TRUE(harness->Playing(sound::Bang));
  TBarrier* left = Obstacle("car0", 10, 319.0f);
  Touch(*left);
  EXPECT_FLOAT_EQ(left->X, 316.0f);
}

TEST_F(Contact, TenHitsOnACarAddNineBarsThenWreckIt) {
  TBarrier* car = Obstacle("car3", 10);
  Touch(*car, 9);
  EXPECT_EQ(State().DamageBar.size(), 9u);
  EXPECT_EQ(car->ImageName, "car3");
  EXPECT_FALSE(harness->Playing(sound::Crash));
  Touch(*car);
  EXPECT_EQ(State().DamageBar.size(), 9u);
  EXPECT_EQ(car->ImageName, "car3q");
  EXPECT_TRUE(harness->Playing(sound::Crash));
  EXPECT_EQ(VolumeOf(sound::Crash), 75);
  Form().SoundSystem1().Stop(sound::Crash);
  Touch(*car);
  EXPECT_TRUE(harness->Playing(sound::Crash));
  EXPECT_EQ(State().DamageBar.size(), 9u);
  EXPECT_EQ(car->ImageName, "car3q");
}

TEST_F(Contact, ABarrelAddsABarPerContactAndExplodesOnTheTenth) {
  TBarrier* barrel = Obstacle("barril1", 10);
  barrel->ScaleX = barrel->ScaleY = 0.7f;
  Touch(*barrel, 9);
  EXPECT_EQ(State().DamageBar.size(), 9u);
  EXPECT_FLOAT_EQ(barrel->X, 330.0f);  // barrels are not pushed aside
  EXPECT_TRUE(harness->Playing(sound::BarrelDrop));
  EXPECT_FALSE(harness->Playing(sound::Explode));
  Touch(*barrel);
  EXPECT_EQ(State().DamageBar.size(), 10u);
  ExpectExplosion(*barrel, 1.0f);
}

TEST_F(Contact, TheExplosiveBarrelCostsAHundredPointsAndTenBars) {
  State().Score = 250;
  TBarrier* barrel = Obstacle("barril2", 10);
  Touch(*barrel);
  EXPECT_EQ(State().Score, 150);
  EXPECT_EQ(State().DamageBar.size(), 10u);
  EXPECT_FLOAT_EQ(player->Y, 380.0f);  // no throw-back
  EXPECT_DOUBLE_EQ(State().ScrollSpeed, 4.0);
  EXPECT_TRUE(harness->Playing(sound::Bang));
  ExpectExplosion(*barrel, 1.2f);
  State().Score = 100;
  Touch(*Obstacle("barril2", 0));
  EXPECT_EQ(State().Score, 0);
}

TEST_F(Contact, DuringTheJetEveryObstacleGivesWayAtOnceForFree) {
  State().JetActive = true;
  State().Score = 500;
  TBarrier* car = Obstacle("car2", 10);
  TBarrier* barrel = Obstacle("barril0", 10);
  TBarrier* explosive = Obstacle("barril2", 10);
  Touch(*car);
  Touch(*barrel);
  Touch(*explosive);
  EXPECT_EQ(car->ImageName, "car2q");
  EXPECT_EQ(car->Hits, 0);
  ExpectExplosion(*barrel, 1.0f);
  EXPECT_EQ(explosive->ImageName, "explode");
  EXPECT_EQ(State().DamageBar, "");
  EXPECT_EQ(State().Score, 500);
}

TEST_F(Contact, TheRepairEmptiesTheBarEvenDuringTheJet) {
  State().JetActive = true;
  State().DamageBar = "|||||";
  TBarrier* repair = Obstacle("engrenagem", 0);
  Touch(*repair);
  EXPECT_EQ(State().DamageBar, "");
  EXPECT_TRUE(repair->IsDead());
  EXPECT_TRUE(harness->Playing(sound::RepairPickUp));
  EXPECT_FALSE(harness->Playing(sound::Bang));
  EXPECT_FLOAT_EQ(player->Y, 380.0f);
}

TEST_F(Contact, APickUpAsksForItsEffectOnlyWhenItIsNotRunning) {
  TBarrier* jet = Obstacle("gelb", 0);
  Touch(*jet);
  EXPECT_TRUE(State().JetRequest);
  EXPECT_TRUE(jet->IsDead());
  EXPECT_FALSE(harness->Playing(sound::Bang));
  State().JetRequest = false;
  State().JetActive = true;
  Touch(*Obstacle("gelb", 0));
  EXPECT_FALSE(State().JetRequest);

  TBarrier* stars = Obstacle("gelbpreta", 0);
  State().StarsActive = true;
  Touch(*stars);
  EXPECT_FALSE(State().StarsRequest);
  EXPECT_TRUE(stars->IsDead());
  EXPECT_TRUE(harness->Playing(sound::DizzyPickUp));
  State().StarsActive = false;
  Touch(*Obstacle("gelbpreta", 0));
  EXPECT_TRUE(State().StarsRequest);
}

TEST_F(Contact, OnlyObstaclesCountAndNothingHappensWhilePaused) {
  TAnimatedSprite* stranger = Form().Engine().Create<TAnimatedSprite>();
  stranger->SetImageName("car0");
  Touch(*stranger);
  TBarrier* car = Obstacle("car0", 10);
  State().Paused = true;
  Touch(*car);
  EXPECT_EQ(car->Hits, 10);
  EXPECT_EQ(State().DamageBar, "");
  EXPECT_DOUBLE_EQ(State().ScrollSpeed, 4.0);
  EXPECT_FALSE(harness->Playing(sound::Bang));
}

TEST_F(Contact, TheCollisionPassReactsOnTheCarsSideOnly) {
  TBarrier* car = Obstacle("car0", 10);
  player->CollideRect = {353, 392, 386, 448};
  car->CollideRect = {360, 380, 395, 438};
  Form().Engine().CheckCollisions();
  EXPECT_EQ(car->Hits, 9);
  EXPECT_EQ(State().DamageBar, "|");
  EXPECT_FLOAT_EQ(player->Y, 384.0f);
}

}  // namespace
}  // namespace tvx::testing
