// ModWriter: a 4-channel ProTracker module ("M.K."): 31 sample slots, 64-row patterns, signed
// 8-bit samples. Notes outside ProTracker's three octaves are moved by octaves into them.
// Cells are written as they are: volumes and key offs must already be effects (the arranger
// does that). Returns empty when the song does not fit.
#pragma once

#include <cstdint>
#include <vector>

#include "assetbuilder/sound/tracker_song.h"

namespace tvx {

std::vector<std::uint8_t> WriteProTrackerModule(const TrackerSong& song);

// The ProTracker period of a FastTracker note number (C-4 -> 428), folded into C-3 .. B-5.
int ProTrackerPeriod(int note);

}  // namespace tvx
