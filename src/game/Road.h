// The scrolling road: one picture twice the screen's height that moves down by the scroll
// speed every tick (unless paused) and jumps back to -480 once it reaches 0.
#pragma once

#include "sprites/Sprite.h"

namespace tvx {

class TForm1;

class TRoad : public TSprite {
 public:
  TRoad(TSpriteEngine& engine, TForm1& form);

  void Move(float moveCount) override;

 private:
  TForm1& form_;
};

}  // namespace tvx
