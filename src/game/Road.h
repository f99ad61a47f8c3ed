// The scrolling road: one picture twice the screen's height that moves down by the scroll
// speed every tick (unless paused) and jumps back to -480 once it reaches 0. Its two halves
// are alike, so the picture at -480 is the one at 0: drawn between ticks, the jump is the
// last step of the scroll, from where the road was to 0.
#pragma once

#include "game/PlayContext.h"
#include "sprites/Sprite.h"

namespace tvx {

class TRoad : public TSprite {
 public:
  TRoad(TSpriteEngine& engine, const TPlayContext& play);

  void Move(float moveCount) override;
  void Draw() override;

 private:
  TPlayContext play_;
};

}  // namespace tvx
