#include "game/Road.h"

namespace tvx {

namespace {
constexpr float kRoadTop = -480.0f;  // one screen height above the visible area
}  // namespace

TRoad::TRoad(TSpriteEngine& engine, const TPlayContext& play) : TSprite(engine), play_(play) {}

void TRoad::Move(float) {
  const TGameState& state = play_.state;
  if (state.Paused) return;
  SetY(static_cast<float>(Y + state.ScrollSpeed));
  // Deliberately a jump to exactly the top: the part of the step past 0 is dropped.
  if (Y >= 0.0f) SetY(kRoadTop);
}

}  // namespace tvx
