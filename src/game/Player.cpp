#include "game/Player.h"

#include "core/Numeric.h"
#include "core/Random.h"
#include "game/Barrier.h"
#include "game/PlayFieldKinds.h"
#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "platform/KeyboardDevice.h"
#include "sound/SoundSystem.h"
#include "timing/PxKeyboard.h"

namespace tvx {

namespace {

// The road's edges for the car's position.
constexpr float kLeftEdge = 104.0f;
constexpr float kRightEdge = 440.0f;
constexpr float kBottomEdge = 400.0f;

}  // namespace

TPlayer::TPlayer(TSpriteEngine& engine, const TPlayContext& play)
    : TAnimatedSprite(engine), play_(play) {}

void TPlayer::Move(float) {
  TGameState& state = play_.state;
  if (state.Paused) return;
  const std::int32_t tx = Trunc(X);
  const std::int32_t ty = Trunc(Y);
  CollideRect = {tx + 33, ty + 12, tx + 66, ty + 68};

  Steer();
  state.PlayerX = X;
  state.PlayerY = Y;
  SetAlpha(state.PlayerAlpha);
  if (state.StarsActive) {
    // Deliberately lopsided: a dizzy car drifts right 39 ticks in 50.
    SetX(Random(50) > 10 ? X + 1.0f : X - 1.0f);
    Squeal(sound::SquealSide, sound::SquealSideVolume);
  }
  TSoundSystem& sounds = play_.sounds;
  sounds.SetVolume(sound::Engine, sound::EngineVolume);
  if (!sounds.IsPlaying(sound::SquealUp) && !sounds.IsPlaying(sound::SquealDown) &&
      !sounds.IsPlaying(sound::Engine)) {
    sounds.Play(sound::Engine, false);
  }
}

void TPlayer::Steer() {
  const TGameState& state = play_.state;
  const TPxKeyboard& keys = play_.keyboard;
  const double step = state.ScrollSpeed / 2.0;
  const bool canTurn = state.ScrollSpeed >= 1.0;

  // There is no top clamp: the car just stops climbing once it is above the screen.
  if (Y >= 0.0f && keys.KeyPressed(dik::Up)) {
    SetY(static_cast<float>(Y - step));
    SilenceEngine();
    Squeal(sound::SquealUp, sound::SquealUpVolume);
  }
  if (Y <= kBottomEdge && keys.KeyPressed(dik::Down)) {
    SetY(static_cast<float>(Y + step));
    SilenceEngine();
    Squeal(sound::SquealDown, sound::SquealDownVolume);
  }
  // The side clamps come before the sideways step on purpose: a car held against an edge
  // ends each tick half a step beyond it.
  if (X <= kLeftEdge) SetX(kLeftEdge);
  if (X >= kLeftEdge && keys.KeyPressed(dik::Left)) {
    if (canTurn) SetX(static_cast<float>(X - step));
    Squeal(sound::SquealSide, sound::SquealSideVolume);
  }
  if (X >= kRightEdge) SetX(kRightEdge);
  if (X <= kRightEdge && canTurn && keys.KeyPressed(dik::Right)) {
    SetX(static_cast<float>(X + step));
    Squeal(sound::SquealSide, sound::SquealSideVolume);
  }
  if (Y >= kBottomEdge) SetY(kBottomEdge);
}

void TPlayer::SilenceEngine() {
  // The engine drone gives way to the squeal of braking or accelerating.
  TSoundSystem& sounds = play_.sounds;
  StopIfPlaying(sounds, sound::Engine);
}

void TPlayer::Squeal(const std::string& name, int volume) {
  TSoundSystem& sounds = play_.sounds;
  sounds.SetVolume(name, volume);
  PlayIfSilent(sounds, name, false);
}

void TPlayer::HandleCollision(TSprite& other) {
  TGameState& state = play_.state;
  if (state.Paused) return;
  auto* obstacle = dynamic_cast<TBarrier*>(&other);
  if (obstacle == nullptr) return;
  // Looked up once: the name may change below. A name outside the table bumps like a wreck.
  static constexpr FieldKind kUnknown = field::Wreck("");
  const FieldKind* found = FindFieldKind(obstacle->ImageName);
  const FieldKind& kind = found != nullptr ? *found : kUnknown;

  ContactSound(kind);
  switch (kind.contact) {
    case Contact::Explode:
      MakeExplosion(*obstacle, 1.2f);
      if (!state.JetActive) {
        state.Score = state.Score > kind.points ? state.Score - kind.points : 0;
        state.DamageBar.append(static_cast<std::size_t>(kind.damage), '|');
      }
      ExplosionSound();
      break;
    case Contact::Dizzy:
      if (!state.StarsActive) state.StarsRequest = true;
      obstacle->Kill();
      break;
    case Contact::Boost:
      if (!state.JetActive) state.JetRequest = true;
      obstacle->Kill();
      break;
    case Contact::Repair:
      state.DamageBar.clear();  // repairs also while the jet runs
      obstacle->Kill();
      break;
    default:
      Bump(*obstacle, kind);
      break;
  }
}

void TPlayer::ContactSound(const FieldKind& kind) {
  TSoundSystem& sounds = play_.sounds;
  if (kind.spawn == Spawn::PickUp) {
    if (kind.sound != nullptr) sounds.Play(*kind.sound, false);
  } else {
    // Restarted rather than stacked.
    StopIfPlaying(sounds, sound::Bang);
    sounds.Play(sound::Bang, false);
  }
}

void TPlayer::Bump(TBarrier& obstacle, const FieldKind& kind) {
  TGameState& state = play_.state;
  SetY(static_cast<float>(Y + state.ScrollSpeed));
  // The level table sets the speed again on the next rendered frame.
  state.ScrollSpeed -= 1.0;
  if (!state.JetActive && state.Score > 0) state.Score -= kind.points;
  // The obstacle is pushed up by the already lowered speed.
  obstacle.SetY(static_cast<float>(obstacle.Y - (state.ScrollSpeed + 1.0)));

  if (kind.contact == Contact::Barrel) {
    if (state.JetActive) {
      obstacle.Hits = 0;
    } else {
      --obstacle.Hits;
      state.DamageBar.append(static_cast<std::size_t>(kind.damage), '|');
    }
    if (obstacle.Hits <= 0) {
      MakeExplosion(obstacle, 1.0f);
      ExplosionSound();
    }
  } else {
    if (obstacle.X >= state.PlayerX) obstacle.SetX(obstacle.X + 3.0f);
    // Deliberately tests the position just changed.
    if (obstacle.X < state.PlayerX) obstacle.SetX(obstacle.X - 3.0f);
    if (state.JetActive) {
      obstacle.Hits = 0;
    } else {
      --obstacle.Hits;
      // The contact that wrecks the car adds no bar.
      if (obstacle.Hits >= 1) state.DamageBar.append(static_cast<std::size_t>(kind.damage), '|');
    }
    if (obstacle.Hits <= 0) {
      TSoundSystem& sounds = play_.sounds;
      sounds.SetVolume(sound::Crash, sound::CrashVolume);
      sounds.Play(sound::Crash, false);
      if (kind.wreck != nullptr) obstacle.SetImageName(kind.wreck);
    }
  }
  // By the name as it is now: a barrel that exploded no longer drops.
  if (const FieldKind* now = FindFieldKind(obstacle.ImageName); now != nullptr && IsBarrel(*now))
    PlayIfSilent(play_.sounds, sound::BarrelDrop, false);
}

void TPlayer::ExplosionSound() {
  TSoundSystem& sounds = play_.sounds;
  sounds.SetVolume(sound::Explode, sound::ExplodeVolume);
  sounds.Play(sound::Explode, false);
}

}  // namespace tvx
