// An effect that follows the player's car while it lasts, drawn additively above it: the
// smoke of a badly damaged car ("fogflow"), the fire jet of the boost ("firejet") and the
// stars of dizziness ("groggystars"). It animates even while paused; otherwise it follows
// the car's published position, keeps its sound and timer going, and kills itself when its
// effect is over.
#pragma once

#include "sprites/AnimatedSprite.h"

namespace tvx {

class TForm1;

class TSpriteFX : public TAnimatedSprite {
 public:
  TSpriteFX(TSpriteEngine& engine, TForm1& form);

  void Move(float moveCount) override;

 private:
  void FollowCar(float dx, float dy);
  void MoveSmoke();
  void MoveJet();
  void MoveStars();

  TForm1& form_;
};

}  // namespace tvx
