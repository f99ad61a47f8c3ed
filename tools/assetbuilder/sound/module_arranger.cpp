#include "assetbuilder/sound/module_arranger.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tvx {
namespace {

constexpr int kRowsPerPattern = 64;

int VolumeOf(float velocity) {
  return std::clamp(static_cast<int>(std::lround(velocity * 64.0f)), 0, 64);
}

bool SameCells(const TrackerPattern& a, const TrackerPattern& b) {
  if (a.rows != b.rows || a.cells.size() != b.cells.size()) return false;
  for (std::size_t i = 0; i < a.cells.size(); ++i) {
    const TrackerCell& x = a.cells[i];
    const TrackerCell& y = b.cells[i];
    if (x.note != y.note || x.instrument != y.instrument || x.volume != y.volume ||
        x.effect != y.effect || x.parameter != y.parameter) {
      return false;
    }
  }
  return true;
}

// ProTracker has no volume column and no key off: both become effect C (unless the cell's
// effect is taken), and a volume equal to the sample's own needs none. It has no tempo field
// either: the first row sets the tempo, on a channel whose effect is free (else on the first
// channel, whose volume then goes).
void ToProTrackerEffects(const TrackerSong& song, std::vector<TrackerCell>& grid) {
  for (TrackerCell& cell : grid) {
    if (cell.note == kNoteKeyOff) {
      cell = {kNoteNone, 0, -1, kEffectSetVolume, 0};
      continue;
    }
    if (cell.volume < 0) continue;
    const bool known =
        cell.instrument > 0 && cell.instrument <= static_cast<int>(song.instruments.size());
    const bool ownVolume =
        known &&
        song.instruments[static_cast<std::size_t>(cell.instrument - 1)].volume == cell.volume;
    if (!ownVolume && cell.effect == 0) {
      cell.effect = kEffectSetVolume;
      cell.parameter = cell.volume;
    }
    cell.volume = -1;
  }
  if (song.bpm == 125 || grid.empty()) return;
  std::size_t slot = 0;
  for (int c = 0; c < song.channels; ++c) {
    if (grid[static_cast<std::size_t>(c)].effect == 0) {
      slot = static_cast<std::size_t>(c);
      break;
    }
  }
  grid[slot].effect = kEffectSetSpeed;
  grid[slot].parameter = song.bpm;
}

}  // namespace

std::vector<ModuleNote> ModuleNotes(const ModuleTune& tune, int instrument,
                                    const std::vector<NoteEvent>& events, bool ringOn) {
  std::vector<ModuleNote> notes;
  if (instrument < 1 || instrument > static_cast<int>(tune.instruments.size())) return notes;
  const int base = tune.instruments[static_cast<std::size_t>(instrument - 1)].midiAtMiddle;
  for (const NoteEvent& e : events) {
    const int note = kNoteMiddle + static_cast<int>(std::lround(e.midi)) - base;
    notes.push_back(
        {e.step, ringOn ? 0 : e.length, std::clamp(note, 1, 96), instrument, VolumeOf(e.velocity)});
  }
  return notes;
}

std::vector<ModuleNote> DrumChannel(
    const std::vector<std::pair<int, std::vector<NoteEvent>>>& parts) {
  std::map<int, ModuleNote> byStep;
  for (const auto& [instrument, hits] : parts) {
    for (const NoteEvent& hit : hits) {
      byStep.emplace(hit.step,
                     ModuleNote{hit.step, 0, kDrumNote, instrument, VolumeOf(hit.velocity)});
    }
  }
  std::vector<ModuleNote> notes;
  for (const auto& [step, note] : byStep) notes.push_back(note);
  return notes;
}

void AppendModuleSection(ModuleTune& tune, const ModuleTune& section) {
  for (std::size_t c = 0; c < std::min(tune.channels.size(), section.channels.size()); ++c) {
    for (ModuleNote note : section.channels[c]) {
      note.step += tune.steps;
      tune.channels[c].push_back(note);
    }
  }
  tune.steps += section.steps;
}

ModuleTune WithVolumes(ModuleTune tune, float gain) {
  const auto scaled = [gain](int volume) {
    return std::clamp(static_cast<int>(std::lround(static_cast<float>(volume) * gain)), 0, 64);
  };
  for (ModuleInstrument& instrument : tune.instruments) {
    instrument.sample.volume = scaled(instrument.sample.volume);
  }
  for (std::vector<ModuleNote>& channel : tune.channels) {
    for (ModuleNote& note : channel) note.volume = scaled(note.volume);
  }
  return tune;
}

TrackerSong ArrangeModule(const ModuleTune& tune) {
  TrackerSong song;
  song.format = tune.format;
  song.title = tune.title;
  song.channels = static_cast<int>(tune.channels.size());
  // FastTracker 2 itself only takes an even channel count; a spare channel stays empty.
  if (tune.format == TrackerFormat::kFastTracker && song.channels % 2 == 1) ++song.channels;
  song.bpm = tune.bpm;
  for (const ModuleInstrument& instrument : tune.instruments) {
    song.instruments.push_back(instrument.sample);
    if (tune.format == TrackerFormat::kProTracker) song.instruments.back().relativeNote = 0;
  }
  const int rows = (tune.steps + kRowsPerPattern - 1) / kRowsPerPattern * kRowsPerPattern;
  std::vector<TrackerCell> grid(static_cast<std::size_t>(rows * song.channels));
  for (int c = 0; c < static_cast<int>(tune.channels.size()); ++c) {
    std::vector<ModuleNote> notes = tune.channels[static_cast<std::size_t>(c)];
    std::sort(notes.begin(), notes.end(),
              [](const ModuleNote& a, const ModuleNote& b) { return a.step < b.step; });
    const auto cellAt = [&](int step) -> TrackerCell& {
      return grid[static_cast<std::size_t>(step * song.channels + c)];
    };
    for (const ModuleNote& n : notes) {
      if (n.step < 0 || n.step >= rows) continue;
      cellAt(n.step) = {n.note, n.instrument, n.volume, 0, 0};
    }
    for (const ModuleNote& n : notes) {
      const int end = n.step + n.length;
      if (n.length <= 0 || n.step < 0 || end >= rows) continue;
      if (cellAt(end).note == kNoteNone) cellAt(end).note = kNoteKeyOff;
    }
  }
  if (tune.format == TrackerFormat::kProTracker) ToProTrackerEffects(song, grid);
  for (int start = 0; start < rows; start += kRowsPerPattern) {
    TrackerPattern pattern;
    pattern.rows = kRowsPerPattern;
    pattern.cells.assign(grid.begin() + start * song.channels,
                         grid.begin() + (start + kRowsPerPattern) * song.channels);
    const auto same = std::find_if(song.patterns.begin(), song.patterns.end(),
                                   [&](const TrackerPattern& p) { return SameCells(p, pattern); });
    song.order.push_back(static_cast<int>(same - song.patterns.begin()));
    if (same == song.patterns.end()) song.patterns.push_back(std::move(pattern));
  }
  return song;
}

}  // namespace tvx
