// Walks a started game through every screen: title, intro, level set-up, playing, paused,
// game over, ranking (with a name typed) and the win screen, calling `atScreen` with the
// screen's name right after the frame that shows it.
#pragma once

#include <functional>

#include "harness/GameHarness.h"

namespace tvx::testing {

void VisitScreens(GameHarness& game, const std::function<void(const char* screen)>& atScreen);

}  // namespace tvx::testing
