// What the play field's sprites use of the game: its state, the sound system, the steering
// keyboard, the three effect timers and the sprite engine they live in. The main window hands
// out one made of its own parts; a sprite needs nothing else, so a test can make one too.
#pragma once

#include "game/GameState.h"

namespace tvx {

class IIntervalTimer;
class TPxKeyboard;
class TSoundSystem;
class TSpriteEngine;

struct TPlayContext {
  TGameState& state;
  TSoundSystem& sounds;
  TPxKeyboard& keyboard;
  IIntervalTimer& timerfirejet;
  IIntervalTimer& timerstars;
  IIntervalTimer& timeralpha;
  TSpriteEngine& engine;
};

}  // namespace tvx
