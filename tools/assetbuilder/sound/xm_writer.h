// XmWriter: a FastTracker 2 module (version 1.04, linear frequencies): packed patterns, one
// sample per instrument, delta-coded 8-bit sample data, optional volume envelope with sustain
// and fade-out. Returns empty when the song does not fit the format.
#pragma once

#include <cstdint>
#include <vector>

#include "assetbuilder/sound/tracker_song.h"

namespace tvx {

std::vector<std::uint8_t> WriteFastTrackerModule(const TrackerSong& song);

}  // namespace tvx
