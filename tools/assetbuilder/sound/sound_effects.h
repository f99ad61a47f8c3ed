// SoundEffects: the game's effects, each a finished buffer (levelled, edges faded).
//
// Effects are levelled against each other by their loudest 100 ms, so the volumes the game sets
// per cue are the only difference between them; peaks stay below -1 dBFS. Looping effects
// ("hotidle", "machine_1") join their end to their start without a step.
#pragma once

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

// Vehicles.
StereoBuffer JetEngineFiringUp();  // boost roar, about 5 s
StereoBuffer HotIdle();            // hissing smoke, loops
StereoBuffer EngineHum();          // 1.5 s, retriggered whenever silent
StereoBuffer CarTireSqueal();
StereoBuffer TireSqueal();
StereoBuffer CarTireSquealLong();
StereoBuffer PassingWhoosh();

// Impacts.
StereoBuffer ContactKnock();
StereoBuffer Explosion();
StereoBuffer CarCrash();
StereoBuffer BarrelThud();

// Pick-ups and interface.
StereoBuffer RepairChime();
StereoBuffer DizzyBubble();
StereoBuffer DoubleBeep();
StereoBuffer SingleBeep();

}  // namespace tvx
