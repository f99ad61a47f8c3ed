#include "harness/TestSounds.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "assetbuilder/sound/mod_writer.h"
#include "assetbuilder/sound/mp3_encoder.h"
#include "assetbuilder/sound/ogg_encoder.h"
#include "assetbuilder/sound/wav_writer.h"

namespace tvx::test {

namespace {

constexpr double kPi = 3.14159265358979323846;

float Tone(std::size_t frame, int rate, const Envelope& envelope, std::size_t frames) {
  return envelope(frame, frames) *
         static_cast<float>(std::sin(2.0 * kPi * 440.0 * static_cast<double>(frame) / rate));
}

StereoBuffer ToneBuffer(std::size_t frames, const Envelope& envelope) {
  StereoBuffer buffer(frames);
  for (std::size_t i = 0; i < frames; ++i)
    buffer.left[i] = buffer.right[i] = Tone(i, kSampleRate, envelope, frames);
  return buffer;
}

}  // namespace

float SteadyHalf(std::size_t, std::size_t) { return 0.5f; }

float Rising(std::size_t frame, std::size_t frames) {
  return 0.1f + 0.8f * static_cast<float>(frame) / static_cast<float>(frames);
}

Bytes MakeWave(std::size_t frames, int rate, int channels, const Envelope& envelope) {
  std::vector<std::int16_t> samples;
  samples.reserve(frames * channels);
  for (std::size_t i = 0; i < frames; ++i) {
    const auto value = static_cast<std::int16_t>(Tone(i, rate, envelope, frames) * 32767.0f);
    samples.insert(samples.end(), static_cast<std::size_t>(channels), value);
  }
  return EncodeWav(samples, channels, rate);
}

Bytes MakeMp3(std::size_t frames, const Envelope& envelope) {
  return EncodeMp3(ToneBuffer(frames, envelope), true, 128, 5);
}

Bytes MakeOgg(std::size_t frames, const Envelope& envelope) {
  return EncodeOgg(ToneBuffer(frames, envelope), 0.4f);
}

Bytes MakeModule(int rows) {
  constexpr int kSampleBytes = 64;
  constexpr int kNoteC5 = 61;  // period 214
  constexpr int kEffectPatternBreak = 0x0D;
  TrackerSong song;
  song.format = TrackerFormat::kProTracker;
  song.title = "tarvex test";
  song.order = {0};
  TrackerInstrument& square = song.instruments.emplace_back();
  square.name = "square";
  square.data.assign(kSampleBytes / 2, 0x50);
  square.data.insert(square.data.end(), kSampleBytes / 2, -0x50);
  square.loopLength = kSampleBytes;
  TrackerPattern& pattern = song.patterns.emplace_back();
  pattern.cells.resize(static_cast<std::size_t>(pattern.rows) * song.channels);
  auto cell = [&](int row, int channel) -> TrackerCell& {
    return pattern.cells[static_cast<std::size_t>(row * song.channels + channel)];
  };
  cell(0, 0).note = kNoteC5;
  cell(0, 0).instrument = 1;
  cell(0, 1).effect = kEffectSetSpeed;
  cell(0, 1).parameter = 1;
  // A pattern break after `rows` rows; the song then ends, since it has one position.
  cell(std::clamp(rows, 1, pattern.rows) - 1, 2).effect = kEffectPatternBreak;
  return WriteProTrackerModule(song);
}

Bytes RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 generator(seed);
  Bytes out(count);
  for (auto& b : out) b = static_cast<std::uint8_t>(generator());
  return out;
}

}  // namespace tvx::test
