// MusicTunes: the compositions played by the sequencer (the tracker tunes live in
// module_tunes.h). Every tune but the sting loops; loop lengths are whole bars.
#pragma once

#include "assetbuilder/sound/tune.h"

namespace tvx {

// Level music streamed as OGG.
Tune NeonHighwayTune();  // driving synthwave, A minor, 112 bpm
Tune OverdriveTune();    // rock: power chords and a screaming lead, E minor, 132 bpm
Tune AcidFactoryTune();  // techno with a squelching acid line, A minor, 130 bpm

// The named tunes of the menus.
Tune MonolithTitleTune();  // title: a grand, slow anthem in D minor, 100 bpm
Tune NextLevelSting();     // 1.3 s fanfare, over within the level intro
Tune AftermathTune();      // game over: a sorrowful electric piano ballad, 76 bpm
Tune FrequencyTune();      // ranking: laid-back electro-funk, 108 bpm

}  // namespace tvx
