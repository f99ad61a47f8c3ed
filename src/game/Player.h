// The player's car. Each tick (unless paused) it refreshes its collision rectangle, steers
// with the arrow keys within the road at half the scroll speed, publishes its position for
// the effects, blinks with PlayerAlpha, drifts while dizzy and keeps the engine and tyre
// sounds going. Touching a barrier throws it back, costs speed, points and damage, and
// fires the repair, jet and dizziness pick-ups. Its animation never runs: pattern 0 only.
#pragma once

#include "sprites/AnimatedSprite.h"

namespace tvx {

class TForm1;

class TPlayer : public TAnimatedSprite {
 public:
  TPlayer(TSpriteEngine& engine, TForm1& form);

  void Move(float moveCount) override;
  void HandleCollision(TSprite& other) override;

 private:
  TForm1& form_;
};

}  // namespace tvx
