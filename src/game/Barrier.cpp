#include "game/Barrier.h"

#include <array>
#include <string_view>

#include "core/Numeric.h"
#include "core/Random.h"
#include "game/ImageNames.h"
#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "sound/SoundSystem.h"

namespace tvx {

namespace {

// How a kind falls each tick, in addition to the road's scroll.
enum class Fall {
  Car,    // one pixel faster than the road, before any swerve
  Road,   // lies still on the road
  Dizzy,  // with the road up to level 5, one pixel faster above
};

struct BarrierKind {
  std::string_view name;
  Fall fall;
  bool followsRect;   // false: the rectangle is left as it was (explosions never collide)
  gfx::Rect offsets;  // from the truncated position the tick begins with
};

constexpr gfx::Rect kCarRect{30, 12, 65, 70};
constexpr gfx::Rect kPickUpRect{8, 8, 27, 22};

constexpr std::array<BarrierKind, 15> kKinds{{
    {image::TrafficCars[0], Fall::Car, true, kCarRect},
    {image::TrafficCars[1], Fall::Car, true, kCarRect},
    {image::TrafficCars[2], Fall::Car, true, kCarRect},
    {image::TrafficCars[3], Fall::Car, true, kCarRect},
    {image::CrashedTrafficCars[0], Fall::Car, true, kCarRect},
    {image::CrashedTrafficCars[1], Fall::Car, true, kCarRect},
    {image::CrashedTrafficCars[2], Fall::Car, true, kCarRect},
    {image::CrashedTrafficCars[3], Fall::Car, true, kCarRect},
    {image::LyingBarrel, Fall::Road, true, {15, 34, 75, 44}},
    {image::UprightBarrel, Fall::Road, true, {16, 40, 48, 51}},
    {image::ExplosiveBarrel, Fall::Road, true, {16, 40, 48, 51}},
    {image::RepairPickUp, Fall::Road, true, kPickUpRect},
    {image::BoostPickUp, Fall::Road, true, kPickUpRect},
    {image::DizzyPickUp, Fall::Dizzy, true, kPickUpRect},
    {image::Explosion, Fall::Road, false, {}},
}};

// nullptr for a name that is none of the kinds above.
const BarrierKind* FindKind(const std::string& name) {
  for (const BarrierKind& kind : kKinds) {
    if (kind.name == name) return &kind;
  }
  return nullptr;
}

}  // namespace

TBarrier::TBarrier(TSpriteEngine& engine, const TPlayContext& play)
    : TAnimatedSprite(engine), play_(play) {}

void TBarrier::Move(float moveCount) {
  // Animation first: explosions and pick-ups keep animating through a pause.
  TAnimatedSprite::Move(moveCount);
  const TGameState& state = play_.state;
  if (state.Paused) return;

  const BarrierKind* kind = FindKind(ImageName);
  if (kind != nullptr && kind->followsRect) {
    const std::int32_t tx = Trunc(X);
    const std::int32_t ty = Trunc(Y);
    CollideRect = {tx + kind->offsets.left, ty + kind->offsets.top, tx + kind->offsets.right,
                   ty + kind->offsets.bottom};
  }
  if (kind != nullptr && kind->fall == Fall::Car) {
    SetY(static_cast<float>(Y + state.ScrollSpeed + 1.0));
  }
  if (state.Level > 14 && Swerve) {
    // Drawn for every kind, so a swerving barrel still uses up a number each tick.
    const std::int32_t r = Random(5);
    const bool isCar = kind != nullptr && kind->fall == Fall::Car;
    if (r == 0 && isCar) SetX(X + 1.0f);
    if (r == 1 && isCar) SetX(X - 1.0f);
  }
  if (kind != nullptr && kind->fall == Fall::Road) {
    SetY(static_cast<float>(Y + state.ScrollSpeed));
  }
  if (kind != nullptr && kind->fall == Fall::Dizzy) {
    const double extra = state.Level <= 5 ? 0.0 : 1.0;
    SetY(static_cast<float>(Y + state.ScrollSpeed + extra));
  }
  PassingSound();
  if (Y >= 480.0f) Kill();
}

void TBarrier::PassingSound() {
  const TGameState& state = play_.state;
  if (!(state.PlayerY + 10.0f < Y && Y < state.PlayerY + 60.0f)) return;
  TSoundSystem& sounds = play_.sounds;
  sounds.SetVolume(sound::Whoosh, sound::WhooshVolume);
  if (state.PlayerX - 70.0f < X && X < state.PlayerX + 100.0f)
    PlayIfSilent(sounds, sound::Whoosh, false);
}

void TBarrier::HandleCollision(TSprite& other) {
  // Only the other side changes; the engine calls both sides, so each is treated once.
  if (play_.state.Paused) return;
  auto* obstacle = dynamic_cast<TBarrier*>(&other);
  if (obstacle == nullptr) return;  // the player reacts for itself

  // Obstacles that meet while still far above the screen are taken away unseen.
  if (obstacle->Y <= -50.0f) obstacle->Kill();
  if (image::IsBarrel(obstacle->ImageName)) {
    obstacle->SetY(obstacle->Y + 1.0f);
    if (0.0f < obstacle->Y && obstacle->Y < 480.0f) {
      TSoundSystem& sounds = play_.sounds;
      if (obstacle->ImageName == image::ExplosiveBarrel) {
        sounds.SetVolume(sound::Explode, sound::ExplodeVolume);
        PlayIfSilent(sounds, sound::Explode, false);
      } else {
        PlayIfSilent(sounds, sound::BarrelDrop, false);
      }
    }
  }
  if (obstacle->ImageName == image::ExplosiveBarrel) MakeExplosion(*obstacle, 1.2f);
}

void MakeExplosion(TAnimatedSprite& sprite, float scale) {
  sprite.DrawEffect = EffectAdditive;
  sprite.SetImageName(image::Explosion);
  sprite.SetAnimStart(0);
  sprite.AnimCount = 32;
  sprite.AnimSpeed = 0.7f;
  sprite.AnimLoop = false;
  sprite.CanCollide = false;
  sprite.Animating = true;
  sprite.SetZ(5);
  sprite.ScaleX = scale;
  sprite.ScaleY = scale;
}

}  // namespace tvx
