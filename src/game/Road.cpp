#include "game/Road.h"

namespace tvx {

namespace {
constexpr float kRoadTop = -480.0f;    // one screen height above the visible area
constexpr float kRoadPeriod = 480.0f;  // the height after which the picture repeats
}  // namespace

TRoad::TRoad(TSpriteEngine& engine, const TPlayContext& play) : TSprite(engine), play_(play) {}

void TRoad::Move(float) {
  const TGameState& state = play_.state;
  if (state.Paused) return;
  SetY(static_cast<float>(Y + state.ScrollSpeed));
  // Deliberately a jump to exactly the top: the part of the step past 0 is dropped.
  if (Y >= 0.0f) {
    SetY(kRoadTop);
    ShiftTrack(0.0f, -kRoadPeriod);
  }
}

void TRoad::Draw() {
  // Between ticks after the jump the road would show above -480, uncovering the bottom of
  // the screen; a period further down is the same picture.
  if (TweenY != 0.0f && Y + TweenY < kRoadTop) TweenY += kRoadPeriod;
  TSprite::Draw();
}

}  // namespace tvx
