// TrackerRenderer: our own playback of a TrackerSong, for review and tests.
//
// It follows what a tracker does with the cells our songs use: a note restarts its channel's
// sample at the note's rate (ProTracker: Amiga PAL periods; FastTracker: linear frequencies
// with the relative note), volumes come from the instrument or the cell, key off releases the
// FastTracker envelope and fade-out or silences a ProTracker channel. Volume changes are
// ramped over a millisecond, as module players do. ProTracker channels pan hard left, right,
// right, left. The order list is played once; the result is normalised to -1 dBFS.
#pragma once

#include "assetbuilder/sound/stereo_buffer.h"
#include "assetbuilder/sound/tracker_song.h"

namespace tvx {

StereoBuffer RenderTrackerSong(const TrackerSong& song);

}  // namespace tvx
