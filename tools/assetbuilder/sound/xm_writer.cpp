#include "assetbuilder/sound/xm_writer.h"

#include <algorithm>

#include "core/LittleEndian.h"

namespace tvx {
namespace {

constexpr std::size_t kHeaderSize = 276;
constexpr std::size_t kInstrumentHeaderSize = 263;
constexpr std::size_t kSampleHeaderSize = 40;
constexpr std::size_t kMaxEnvelopePoints = 12;
constexpr int kMaxChannels = 32;
constexpr int kMaxRows = 256;

void PutText(std::vector<std::uint8_t>& out, const std::string& text, std::size_t width, char pad) {
  for (std::size_t i = 0; i < width; ++i) {
    out.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : pad));
  }
}

void PutPackedCell(std::vector<std::uint8_t>& out, const TrackerCell& cell) {
  const bool hasNote = cell.note != kNoteNone;
  const bool hasInstrument = cell.instrument > 0;
  const bool hasVolume = cell.volume >= 0;
  const bool hasEffect = cell.effect != 0;
  const bool hasParameter = cell.parameter != 0;
  out.push_back(static_cast<std::uint8_t>(0x80 | (hasNote ? 1 : 0) | (hasInstrument ? 2 : 0) |
                                          (hasVolume ? 4 : 0) | (hasEffect ? 8 : 0) |
                                          (hasParameter ? 16 : 0)));
  if (hasNote) out.push_back(static_cast<std::uint8_t>(cell.note));
  if (hasInstrument) out.push_back(static_cast<std::uint8_t>(cell.instrument));
  if (hasVolume) out.push_back(static_cast<std::uint8_t>(0x10 + std::clamp(cell.volume, 0, 64)));
  if (hasEffect) out.push_back(static_cast<std::uint8_t>(cell.effect));
  if (hasParameter) out.push_back(static_cast<std::uint8_t>(cell.parameter));
}

void PutInstrument(std::vector<std::uint8_t>& out, const TrackerInstrument& instrument) {
  const std::size_t start = out.size();
  AppendLittleEndian(out, kInstrumentHeaderSize, 4);
  PutText(out, instrument.name, 22, '\0');
  out.push_back(0);               // type
  AppendLittleEndian(out, 1, 2);  // one sample
  AppendLittleEndian(out, kSampleHeaderSize, 4);
  for (int i = 0; i < 96; ++i) out.push_back(0);  // every note plays sample 0
  const std::size_t points = std::min(instrument.envelope.size(), kMaxEnvelopePoints);
  for (std::size_t i = 0; i < kMaxEnvelopePoints; ++i) {
    const bool used = i < points;
    AppendLittleEndian(out, used ? static_cast<std::uint32_t>(instrument.envelope[i].tick) : 0, 2);
    AppendLittleEndian(
        out, used ? static_cast<std::uint32_t>(std::clamp(instrument.envelope[i].level, 0, 64)) : 0,
        2);
  }
  for (std::size_t i = 0; i < kMaxEnvelopePoints; ++i)
    AppendLittleEndian(out, 0, 4);  // panning envelope
  out.push_back(static_cast<std::uint8_t>(points));
  out.push_back(0);  // panning points
  const bool sustain =
      instrument.sustainPoint >= 0 && instrument.sustainPoint < static_cast<int>(points);
  out.push_back(static_cast<std::uint8_t>(sustain ? instrument.sustainPoint : 0));
  out.push_back(0);  // volume loop start
  out.push_back(0);  // volume loop end
  out.push_back(0);  // panning sustain
  out.push_back(0);  // panning loop start
  out.push_back(0);  // panning loop end
  out.push_back(static_cast<std::uint8_t>((points > 0 ? 1 : 0) | (sustain ? 2 : 0)));
  out.push_back(0);                              // panning envelope off
  for (int i = 0; i < 4; ++i) out.push_back(0);  // no auto-vibrato
  AppendLittleEndian(out, static_cast<std::uint32_t>(std::clamp(instrument.fadeOut, 0, 0xFFF)), 2);
  while (out.size() - start < kInstrumentHeaderSize) out.push_back(0);

  const std::size_t length = instrument.data.size();
  const bool loops = instrument.loopLength > 0;
  AppendLittleEndian(out, static_cast<std::uint32_t>(length), 4);
  AppendLittleEndian(out, static_cast<std::uint32_t>(loops ? instrument.loopStart : 0), 4);
  AppendLittleEndian(out, static_cast<std::uint32_t>(loops ? instrument.loopLength : 0), 4);
  out.push_back(static_cast<std::uint8_t>(std::clamp(instrument.volume, 0, 64)));
  out.push_back(0);              // finetune
  out.push_back(loops ? 1 : 0);  // forward loop, 8-bit
  out.push_back(static_cast<std::uint8_t>(std::clamp(instrument.panning, 0, 255)));
  out.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(instrument.relativeNote)));
  out.push_back(0);
  PutText(out, instrument.name, 22, '\0');
  std::int8_t previous = 0;
  for (std::int8_t s : instrument.data) {
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint8_t>(s) -
                                            static_cast<std::uint8_t>(previous)));
    previous = s;
  }
}

}  // namespace

std::vector<std::uint8_t> WriteFastTrackerModule(const TrackerSong& song) {
  if (song.channels < 1 || song.channels > kMaxChannels || song.order.empty() ||
      song.order.size() > 256 || song.patterns.size() > 256 || song.instruments.size() > 128) {
    return {};
  }
  std::vector<std::uint8_t> out;
  PutText(out, "Extended Module: ", 17, ' ');
  PutText(out, song.title, 20, ' ');
  out.push_back(0x1A);
  PutText(out, "Tarvex assetbuilder", 20, ' ');
  AppendLittleEndian(out, 0x0104, 2);
  AppendLittleEndian(out, kHeaderSize, 4);
  AppendLittleEndian(out, static_cast<std::uint32_t>(song.order.size()), 2);
  AppendLittleEndian(out, 0, 2);  // restart position
  AppendLittleEndian(out, static_cast<std::uint32_t>(song.channels), 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(song.patterns.size()), 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(song.instruments.size()), 2);
  AppendLittleEndian(out, 1, 2);  // linear frequency table
  AppendLittleEndian(out, static_cast<std::uint32_t>(song.speed), 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(song.bpm), 2);
  for (int i = 0; i < 256; ++i) {
    out.push_back(i < static_cast<int>(song.order.size()) ? static_cast<std::uint8_t>(song.order[i])
                                                          : 0);
  }
  for (const TrackerPattern& pattern : song.patterns) {
    if (pattern.rows < 1 || pattern.rows > kMaxRows ||
        pattern.cells.size() != static_cast<std::size_t>(pattern.rows * song.channels)) {
      return {};
    }
    std::vector<std::uint8_t> packed;
    for (const TrackerCell& cell : pattern.cells) PutPackedCell(packed, cell);
    if (packed.size() > 0xFFFF) return {};
    AppendLittleEndian(out, 9, 4);
    out.push_back(0);  // packing type
    AppendLittleEndian(out, static_cast<std::uint32_t>(pattern.rows), 2);
    AppendLittleEndian(out, static_cast<std::uint32_t>(packed.size()), 2);
    out.insert(out.end(), packed.begin(), packed.end());
  }
  for (const TrackerInstrument& instrument : song.instruments) PutInstrument(out, instrument);
  return out;
}

}  // namespace tvx
