// The player's car. Each tick (unless paused) it refreshes its collision rectangle, steers
// with the arrow keys within the road at half the scroll speed, publishes its position for
// the effects, blinks with PlayerAlpha, drifts while dizzy and keeps the engine and tyre
// sounds going. Touching a barrier throws it back, costs speed, points and damage, and
// fires the repair, jet and dizziness pick-ups. Its animation never runs: pattern 0 only.
#pragma once

#include <string>

#include "game/PlayContext.h"
#include "sprites/AnimatedSprite.h"

namespace tvx {

class TBarrier;
struct FieldKind;

class TPlayer : public TAnimatedSprite {
 public:
  TPlayer(TSpriteEngine& engine, const TPlayContext& play);

  void Move(float moveCount) override;
  void HandleCollision(TSprite& other) override;

 private:
  // The arrow keys, the edge clamps and the squeals that go with them.
  void Steer();
  void SilenceEngine();
  // A tyre squeal at its volume, started unless it is already playing.
  void Squeal(const std::string& name, int volume);
  // The sound of touching an obstacle of the given kind.
  void ContactSound(const FieldKind& kind);
  // Running into a car, a wreck or a plain barrel: both are thrown apart and wear down.
  void Bump(TBarrier& obstacle, const FieldKind& kind);
  void ExplosionSound();

  TPlayContext play_;
};

}  // namespace tvx
