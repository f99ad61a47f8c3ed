// Everything the player meets on the road, of the kinds in PlayFieldKinds.h, told apart by
// the image name. Each tick a barrier animates, then (unless paused)
// refreshes its collision rectangle from the position the tick began with, falls with the
// road (cars one pixel faster), may swerve, sounds as it passes the player, and dies below
// the screen. Touching another obstacle acts only on that other one.
#pragma once

#include <cstdint>
#include <string>

#include "game/PlayContext.h"
#include "sprites/AnimatedSprite.h"

namespace tvx {

class TBarrier : public TAnimatedSprite {
 public:
  TBarrier(TSpriteEngine& engine, const TPlayContext& play);

  void Move(float moveCount) override;
  void HandleCollision(TSprite& other) override;

  std::int32_t Hits = 0;  // player contacts it can still take
  bool Swerve = false;    // wanders sideways from level 15 on

 private:
  // Whoosh as it goes past the player's side.
  void PassingSound();

  TPlayContext play_;
};

// Turns a sprite into the explosion animation at the given scale, drawn additively above
// the player and out of every collision.
void MakeExplosion(TAnimatedSprite& sprite, float scale);

}  // namespace tvx
