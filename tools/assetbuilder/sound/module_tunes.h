// ModuleTunes: the level music written as tracker modules.
#pragma once

#include "assetbuilder/sound/module_arranger.h"

namespace tvx {

ModuleTune PixelRushModule();      // 4-channel chiptune, E minor, 140 bpm (ProTracker)
ModuleTune TurboEurobeatModule();  // 4-channel eurobeat with octave bass, 150 bpm (ProTracker)
ModuleTune FunkDriveModule();      // funk bass, clavinet and pads, E dorian, 104 bpm (FastTracker)
ModuleTune NightCircuitModule();   // dark electro, C minor, 120 bpm (FastTracker)

}  // namespace tvx
