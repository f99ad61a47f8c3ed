// TrackerSong: a tracker module in memory, the common ground of the MOD and XM writers and of
// our own module renderer.
//
// A song is an order list of patterns; a pattern is rows of cells, one per channel; a cell may
// start a note with an instrument, set the channel volume, or release the note. Instruments are
// 8-bit samples with an optional forward loop. Notes use FastTracker numbering (1 = C-0,
// 49 = C-4, 97 = key off); in a ProTracker file C-4 is written as its C-2 (period 428), the
// note that plays a sample at its own rate in both formats. XM instruments may carry a simple
// volume envelope (attack/decay to a sustain level) and a fade-out after key off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

enum class TrackerFormat { kProTracker, kFastTracker };

inline constexpr int kNoteNone = 0;
inline constexpr int kNoteKeyOff = 97;
inline constexpr int kNoteMiddle = 49;  // C-4: plays a sample at its base rate

struct TrackerEnvelopePoint {
  int tick = 0;
  int level = 64;  // 0 .. 64
};

struct TrackerInstrument {
  std::string name;
  std::vector<std::int8_t> data;
  std::size_t loopStart = 0;
  std::size_t loopLength = 0;                  // 0 = no loop
  int volume = 64;                             // 0 .. 64
  int relativeNote = 0;                        // semitones added to every note (FastTracker only)
  int panning = 128;                           // 0 left .. 255 right (FastTracker only)
  std::vector<TrackerEnvelopePoint> envelope;  // FastTracker only; empty = none
  int sustainPoint = -1;                       // envelope point held until key off
  int fadeOut = 0;                             // per tick after key off, of 32768
};

struct TrackerCell {
  int note = kNoteNone;
  int instrument = 0;  // 1-based; 0 = none
  int volume = -1;     // 0 .. 64; -1 = unchanged
  int effect = 0;
  int parameter = 0;
};

struct TrackerPattern {
  int rows = 64;
  std::vector<TrackerCell> cells;  // rows x channels, row by row
};

struct TrackerSong {
  TrackerFormat format = TrackerFormat::kFastTracker;
  std::string title;
  int channels = 4;
  int speed = 6;  // ticks per row
  int bpm = 125;  // a tick lasts 2.5 / bpm seconds
  std::vector<int> order;
  std::vector<TrackerPattern> patterns;
  std::vector<TrackerInstrument> instruments;
};

// ProTracker effect numbers used by our songs.
inline constexpr int kEffectSetVolume = 0x0C;
inline constexpr int kEffectSetSpeed = 0x0F;

}  // namespace tvx
