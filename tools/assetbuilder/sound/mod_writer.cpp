#include "assetbuilder/sound/mod_writer.h"

#include <algorithm>

namespace tvx {
namespace {

constexpr int kSampleSlots = 31;
constexpr int kRowsPerPattern = 64;
constexpr int kMaxPatterns = 64;
constexpr int kMaxSampleBytes = 131070;
// Finetune-0 periods from C-1 to B-3 in ProTracker's naming (C-3 .. B-5 here).
constexpr int kPeriods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                              428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                              214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
constexpr int kLowestNote = kNoteMiddle - 12;

void PutBigEndian16(std::vector<std::uint8_t>& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void PutText(std::vector<std::uint8_t>& out, const std::string& text, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
  }
}

}  // namespace

int ProTrackerPeriod(int note) {
  int index = note - kLowestNote;
  while (index < 0) index += 12;
  while (index >= 36) index -= 12;
  return kPeriods[index];
}

std::vector<std::uint8_t> WriteProTrackerModule(const TrackerSong& song) {
  if (song.channels != 4 || song.instruments.size() > kSampleSlots || song.order.empty() ||
      song.order.size() > 128 || song.patterns.size() > kMaxPatterns) {
    return {};
  }
  for (const TrackerPattern& pattern : song.patterns) {
    if (pattern.rows != kRowsPerPattern ||
        pattern.cells.size() != static_cast<std::size_t>(kRowsPerPattern * 4)) {
      return {};
    }
  }
  std::vector<std::uint8_t> out;
  PutText(out, song.title, 20);
  for (int slot = 0; slot < kSampleSlots; ++slot) {
    const TrackerInstrument* instrument =
        slot < static_cast<int>(song.instruments.size()) ? &song.instruments[slot] : nullptr;
    if (instrument == nullptr) {
      PutText(out, "", 22);
      PutBigEndian16(out, 0);
      out.push_back(0);
      out.push_back(0);
      PutBigEndian16(out, 0);
      PutBigEndian16(out, 1);
      continue;
    }
    if (instrument->data.size() > kMaxSampleBytes) return {};
    PutText(out, instrument->name, 22);
    PutBigEndian16(out, (instrument->data.size() + 1) / 2);
    out.push_back(0);  // finetune
    out.push_back(static_cast<std::uint8_t>(std::clamp(instrument->volume, 0, 64)));
    PutBigEndian16(out, instrument->loopLength > 0 ? instrument->loopStart / 2 : 0);
    PutBigEndian16(out, instrument->loopLength > 0 ? instrument->loopLength / 2 : 1);
  }
  out.push_back(static_cast<std::uint8_t>(song.order.size()));
  out.push_back(127);  // restart byte as ProTracker writes it
  for (int i = 0; i < 128; ++i) {
    out.push_back(i < static_cast<int>(song.order.size()) ? static_cast<std::uint8_t>(song.order[i])
                                                          : 0);
  }
  out.insert(out.end(), {'M', '.', 'K', '.'});
  for (const TrackerPattern& pattern : song.patterns) {
    for (const TrackerCell& cell : pattern.cells) {
      const int period =
          cell.note > kNoteNone && cell.note < kNoteKeyOff ? ProTrackerPeriod(cell.note) : 0;
      const int effect = cell.effect, parameter = cell.parameter;
      const int sample = cell.instrument;
      out.push_back(static_cast<std::uint8_t>((sample & 0xF0) | ((period >> 8) & 0x0F)));
      out.push_back(static_cast<std::uint8_t>(period & 0xFF));
      out.push_back(static_cast<std::uint8_t>(((sample & 0x0F) << 4) | (effect & 0x0F)));
      out.push_back(static_cast<std::uint8_t>(parameter));
    }
  }
  for (const TrackerInstrument& instrument : song.instruments) {
    for (std::int8_t s : instrument.data) out.push_back(static_cast<std::uint8_t>(s));
    if (instrument.data.size() % 2 == 1) out.push_back(0);
  }
  return out;
}

}  // namespace tvx
