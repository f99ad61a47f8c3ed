// ModuleArranger: lays out a tune written as per-channel note lists into tracker patterns.
//
// One row is one step. A note start writes note, instrument and volume; where a note with a
// length ends and nothing else starts, the row gets a key off (a length of 0 lets the sample
// ring until the channel's next note, as drums do). Rows are cut into 64-row patterns, and a
// pattern identical to an earlier one is reused in the order list, as trackers do. On the last
// row every channel is cut at the last tick, so the song ends in silence.
#pragma once

#include <string>
#include <vector>

#include "assetbuilder/sound/tracker_instruments.h"
#include "assetbuilder/sound/tune.h"

namespace tvx {

struct ModuleNote {
  int step = 0;
  int length = 0;  // in steps; 0 = ring on
  int note = kNoteMiddle;
  int instrument = 1;  // 1-based
  int volume = 64;
};

struct ModuleTune {
  std::string title;
  TrackerFormat format = TrackerFormat::kFastTracker;
  int bpm = 125;
  int steps = 256;
  std::vector<ModuleInstrument> instruments;
  std::vector<std::vector<ModuleNote>> channels;
};

// Notes for an instrument of `tune` (1-based), pitches converted from MIDI for that instrument;
// velocities map to volume. With `ringOn` note lengths are dropped.
std::vector<ModuleNote> ModuleNotes(const ModuleTune& tune, int instrument,
                                    const std::vector<NoteEvent>& events, bool ringOn = false);
// Drum hits at the drum note; where parts meet on a step, the earlier part in `parts` wins.
std::vector<ModuleNote> DrumChannel(
    const std::vector<std::pair<int, std::vector<NoteEvent>>>& parts);

TrackerSong ArrangeModule(const ModuleTune& tune);

}  // namespace tvx
