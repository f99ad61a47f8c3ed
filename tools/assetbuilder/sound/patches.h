// Patches: the synthesiser sounds the tunes are arranged with.
#pragma once

#include "assetbuilder/sound/synth_voice.h"

namespace tvx {

SynthPatch SuperSawPad();    // wide detuned saws, slow attack
SynthPatch WarmPad();        // soft triangles and saws, for the quieter tunes
SynthPatch SawBass();        // punchy filtered saw with a sub octave
SynthPatch AcidBass();       // resonant squelch with a fast filter envelope
SynthPatch SubBass();        // round sine bass
SynthPatch FunkBass();       // plucky pulse with a snapping filter
SynthPatch PluckArp();       // short bright pluck for arpeggios
SynthPatch SquareLead();     // hollow square lead with vibrato
SynthPatch SawLead();        // bright unison saw lead
SynthPatch ElectricPiano();  // bell-like tine piano
SynthPatch PowerChord();     // overdriven saws, the rock guitar stand-in
SynthPatch ChordStab();      // short filtered stab
SynthPatch BrassSwell();     // slow-opening brass for fanfares
SynthPatch BellLead();       // glassy sine-and-triangle bell

}  // namespace tvx
