// TrackerInstruments: the 8-bit sampled instruments of our tracker modules.
//
// Tonal samples are built additively (a band-limited sum of harmonics), so a looped single
// cycle is free of the aliasing a naive square or saw would have; the pad loops a span that
// holds a whole number of cycles of each detuned partial, so even its chorus repeats exactly.
// ProTracker samples are tuned so that C-4 (written as ProTracker's C-2) plays them at their
// base rate of 8363 Hz; FastTracker samples are stored at 4x that rate (relative note +24) for
// a cleaner sound. Drums are our drum voices resampled to the rate of note A-5.
#pragma once

#include "assetbuilder/sound/drum_voices.h"
#include "assetbuilder/sound/tracker_song.h"

namespace tvx {

struct ModuleInstrument {
  TrackerInstrument sample;
  int midiAtMiddle = 60;  // the MIDI pitch that note C-4 plays
};

inline constexpr int kDrumNote = 70;  // every drum sample plays at this note

enum class ChipWave { kPulse50, kPulse25, kPulse12, kTriangle, kSaw, kSoftSaw };

// A looped single cycle; `midiAtMiddle` 48, 60 or 72 picks the octave it is tuned for.
ModuleInstrument ChipInstrument(TrackerFormat format, ChipWave wave, int midiAtMiddle,
                                const char* name);
// A plucked string-like tone that dies away (not looped).
ModuleInstrument PluckInstrument(TrackerFormat format, float seconds, float brightness,
                                 const char* name);
// A chorused saw pad that loops seamlessly; FastTracker only (it needs the envelope).
ModuleInstrument PadInstrument(const char* name);
ModuleInstrument DrumInstrument(DrumKind kind, float tune, const char* name);

}  // namespace tvx
