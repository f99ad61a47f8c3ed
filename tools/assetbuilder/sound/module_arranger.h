// ModuleArranger: lays out a tune written as per-channel note lists into tracker patterns.
//
// One row is one step. A note start writes note, instrument and volume; where a note with a
// length ends and nothing else starts, the row gets a key off (a length of 0 lets the sample
// ring until the channel's next note, as drums do). Rows are cut into 64-row patterns, and a
// pattern identical to an earlier one is reused in the order list, as trackers do. The last row
// rings on into the player's own short fade at the end of the song, which then meets the first
// row without a silent gap.
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

// Plays `section` after what `tune` holds: each of its channels continues the tune's channel of
// the same place (extra channels are dropped), and the tune grows by its steps.
void AppendModuleSection(ModuleTune& tune, const ModuleTune& section);

// The tune with every instrument and note volume scaled by `gain`, up to the full 64.
ModuleTune WithVolumes(ModuleTune tune, float gain);

}  // namespace tvx
