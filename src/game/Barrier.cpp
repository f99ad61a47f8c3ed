#include "game/Barrier.h"

#include "core/Numeric.h"
#include "core/Random.h"
#include "game/PlayFieldKinds.h"
#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "sound/SoundSystem.h"

namespace tvx {

TBarrier::TBarrier(TSpriteEngine& engine, const TPlayContext& play)
    : TAnimatedSprite(engine), play_(play) {}

void TBarrier::Move(float moveCount) {
  // Animation first: explosions and pick-ups keep animating through a pause.
  TAnimatedSprite::Move(moveCount);
  const TGameState& state = play_.state;
  if (state.Paused) return;

  const FieldKind* kind = FindFieldKind(ImageName);
  if (kind != nullptr && kind->followsRect) {
    const std::int32_t tx = Trunc(X);
    const std::int32_t ty = Trunc(Y);
    CollideRect = {tx + kind->rect.left, ty + kind->rect.top, tx + kind->rect.right,
                   ty + kind->rect.bottom};
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
  const FieldKind* kind = FindFieldKind(obstacle->ImageName);
  if (kind == nullptr) return;
  const bool explodes = kind->contact == Contact::Explode;
  if (IsBarrel(*kind)) {
    obstacle->SetY(obstacle->Y + 1.0f);
    if (0.0f < obstacle->Y && obstacle->Y < 480.0f) {
      TSoundSystem& sounds = play_.sounds;
      if (explodes) {
        sounds.SetVolume(sound::Explode, sound::ExplodeVolume);
        PlayIfSilent(sounds, sound::Explode, false);
      } else {
        PlayIfSilent(sounds, sound::BarrelDrop, false);
      }
    }
  }
  if (explodes) MakeExplosion(*obstacle, 1.2f);
}

void MakeExplosion(TAnimatedSprite& sprite, float scale) {
  constexpr const FieldKind* kExplosion = FindFieldKind(image::Explosion);
  sprite.DrawEffect = EffectAdditive;
  sprite.SetImageName(kExplosion->image);
  sprite.SetAnimStart(0);
  sprite.AnimCount = kExplosion->patterns;
  sprite.AnimSpeed = kExplosion->animSpeed;
  sprite.AnimLoop = false;
  sprite.CanCollide = false;
  sprite.Animating = true;
  sprite.SetZ(depth::Effect);
  sprite.ScaleX = scale;
  sprite.ScaleY = scale;
}

}  // namespace tvx
