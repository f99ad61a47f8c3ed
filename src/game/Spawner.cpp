// The traffic spawner: each event of Timer1 adds one obstacle above the screen, sometimes a
// pick-up and, from level 9, sometimes a pair of explosive barrels, unless the engine is
// already fuller than the level allows; then it draws the wait until the next event. The
// order of the random draws is part of the game's behaviour.
#include <cstdint>

#include "core/Numeric.h"
#include "core/Random.h"
#include "game/Barrier.h"
#include "game/Form1.h"
#include "game/PlayFieldKinds.h"
#include "sprites/SpriteEngine.h"

namespace tvx {

namespace {

constexpr float kSpawnY = -480.0f;
// Traffic is drawn from far above the screen so that it is seen sliding in.
constexpr gfx::Rect kTrafficBounds{-480, -640, 640, 480};

constexpr auto kObstacleKinds = SpawnedKinds<Spawn::Traffic>();
constexpr auto kPickUpKinds = SpawnedKinds<Spawn::PickUp>();

// More traffic is allowed on the early levels; the count includes every sprite.
std::int32_t SpriteCap(int level) {
  if (level <= 10) return 16;
  if (level <= 15) return 14;
  return 12;
}

TBarrier& NewBarrier(TForm1& form, const FieldKind& kind) {
  TBarrier& barrier = *form.Engine().Create<TBarrier>(form.PlayContext());
  barrier.SetImageName(kind.image);
  barrier.ScaleX = kind.scale;
  barrier.ScaleY = kind.scale;
  return barrier;
}

// A random lane; a draw at the left verge is drawn again once, from `lowest` on.
void PlaceOnRoad(TBarrier& barrier, std::int32_t lowest) {
  barrier.SetX(static_cast<float>(Random(440)));
  if (barrier.X <= 105.0f) barrier.SetX(static_cast<float>(Random(340) + lowest));
}

void EnterTraffic(TBarrier& barrier) {
  barrier.SetY(kSpawnY);
  barrier.SetZ(depth::Car);
  barrier.DrawBounds = kTrafficBounds;
  barrier.CanCollide = true;
  barrier.CollideMode = kFieldCollideMode;
}

// Two explosive barrels with no hits left; only the first gets a lane of its own, the
// second keeps the sprite's default X.
void SpawnBarrelPair(TForm1& form) {
  for (int i = 0; i < 2; ++i) {
    TBarrier& barrel = NewBarrier(form, *FindFieldKind(image::ExplosiveBarrel));
    // Deliberately one pixel further left than every other spawn.
    if (i == 0) PlaceOnRoad(barrel, 104);
    EnterTraffic(barrel);
  }
}

void SpawnObstacle(TForm1& form) {
  const FieldKind& kind = *kObstacleKinds[Random(static_cast<std::int32_t>(kObstacleKinds.size()))];
  TBarrier& obstacle = NewBarrier(form, kind);
  PlaceOnRoad(obstacle, 105);
  EnterTraffic(obstacle);
  obstacle.Hits = kind.hits;
  if (Random(5) == 3) obstacle.Swerve = true;
}

void SpawnPickUp(TForm1& form) {
  const FieldKind& kind = *kPickUpKinds[Random(static_cast<std::int32_t>(kPickUpKinds.size()))];
  TBarrier& pickUp = NewBarrier(form, kind);
  pickUp.SetZ(depth::PickUp);
  pickUp.SetY(kSpawnY);
  PlaceOnRoad(pickUp, 105);
  pickUp.CanCollide = true;
  pickUp.CollideMode = kFieldCollideMode;
  // The default draw bounds are kept: a pick-up shows only from Y -200 on.
  pickUp.Animating = true;
  pickUp.SetAnimStart(0);
  pickUp.AnimCount = kind.patterns;
  pickUp.AnimSpeed = kind.animSpeed;
}

}  // namespace

void TForm1::Timer1Timer() {
  if (state_.Paused) return;  // not even a new interval
  if (Engine_->Count() <= SpriteCap(state_.Level)) {
    if (state_.Level >= 9 && Random(10) == 1) SpawnBarrelPair(*this);
    SpawnObstacle(*this);
    if (Random(10) == 5) SpawnPickUp(*this);
  }
  std::int32_t interval = Random(Trunc(3000.0 / state_.Level));
  // The early levels throw the first draw away for a short wait of their own.
  if (state_.Level < 7) interval = Random(500);
  if (interval == 0) interval = 1000;
  Timer1_->SetInterval(static_cast<std::uint32_t>(interval));
}

}  // namespace tvx
