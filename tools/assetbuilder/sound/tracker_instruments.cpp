#include "assetbuilder/sound/tracker_instruments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {
namespace {

constexpr double kBaseRate = 8363.0;
constexpr int kFastTrackerOversampling = 4;  // relative note +24
constexpr double kTwoPi = 2.0 * std::numbers::pi;

double SampleRateFor(TrackerFormat format) {
  return format == TrackerFormat::kFastTracker ? kBaseRate * kFastTrackerOversampling : kBaseRate;
}

std::vector<std::int8_t> ToEightBit(const std::vector<float>& samples, float peakFraction) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  const float scale = peak > 0.0f ? 127.0f * peakFraction / peak : 0.0f;
  std::vector<std::int8_t> out(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    out[i] = static_cast<std::int8_t>(std::clamp(std::lround(samples[i] * scale), -127L, 127L));
  }
  return out;
}

// Fourier amplitude of harmonic k (1-based) of each wave.
double HarmonicAmplitude(ChipWave wave, int k) {
  switch (wave) {
    case ChipWave::kPulse50:
      return k % 2 == 1 ? 1.0 / k : 0.0;
    case ChipWave::kPulse25:
      return std::sin(std::numbers::pi * k * 0.25) / k;
    case ChipWave::kPulse12:
      return std::sin(std::numbers::pi * k * 0.125) / k;
    case ChipWave::kTriangle:
      return k % 2 == 1 ? (k % 4 == 1 ? 1.0 : -1.0) / (k * k) : 0.0;
    case ChipWave::kSaw:
      return 1.0 / k;
    case ChipWave::kSoftSaw:
      return 1.0 / k * std::exp(-k / 6.0);
  }
  return 0.0;
}

TrackerInstrument BaseInstrument(TrackerFormat format, const char* name) {
  TrackerInstrument instrument;
  instrument.name = name;
  if (format == TrackerFormat::kFastTracker) instrument.relativeNote = 24;
  return instrument;
}

}  // namespace

ModuleInstrument ChipInstrument(TrackerFormat format, ChipWave wave, int midiAtMiddle,
                                const char* name) {
  // One cycle of C at the chosen octave: 32 samples at 8363 Hz is middle C (MIDI 60).
  const int oversampling = format == TrackerFormat::kFastTracker ? kFastTrackerOversampling : 1;
  const int cycle =
      std::max(8, static_cast<int>(32 * oversampling * std::exp2((60 - midiAtMiddle) / 12.0)));
  std::vector<float> samples(static_cast<std::size_t>(cycle));
  for (int k = 1; k < cycle / 2; ++k) {
    const double amplitude = HarmonicAmplitude(wave, k);
    if (amplitude == 0.0) continue;
    for (int i = 0; i < cycle; ++i)
      samples[i] += static_cast<float>(amplitude * std::sin(kTwoPi * k * i / cycle));
  }
  ModuleInstrument result{BaseInstrument(format, name), midiAtMiddle};
  result.sample.data = ToEightBit(samples, 0.95f);
  result.sample.loopStart = 0;
  result.sample.loopLength = samples.size();
  result.sample.volume = 48;
  return result;
}

ModuleInstrument PluckInstrument(TrackerFormat format, float seconds, float brightness,
                                 const char* name) {
  const double rate = SampleRateFor(format);
  const double hz = 261.63;  // middle C
  std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
  for (int k = 1; k * hz < rate / 2.2; ++k) {
    const double amplitude = 1.0 / k;
    const double decay = seconds * 0.5 / (1.0 + (k - 1) / brightness);
    for (std::size_t i = 0; i < samples.size(); ++i) {
      const double t = i / rate;
      samples[i] +=
          static_cast<float>(amplitude * std::sin(kTwoPi * k * hz * t) * std::exp(-t / decay));
    }
  }
  // A short fall at the end keeps the last sample at zero.
  const std::size_t fall = std::min<std::size_t>(samples.size(), 64);
  for (std::size_t i = 0; i < fall; ++i)
    samples[samples.size() - 1 - i] *= static_cast<float>(i) / fall;
  ModuleInstrument result{BaseInstrument(format, name), 60};
  result.sample.data = ToEightBit(samples, 0.95f);
  result.sample.volume = 56;
  return result;
}

ModuleInstrument PadInstrument(const char* name) {
  // Three saws at 99, 100 and 101 cycles per loop: a chorus that repeats every loop exactly.
  constexpr int kCycleSamples = 32 * kFastTrackerOversampling;
  constexpr int kCycles = 100;
  const int length = kCycleSamples * kCycles;
  std::vector<float> samples(static_cast<std::size_t>(length));
  for (int voice : {kCycles - 1, kCycles, kCycles + 1}) {
    for (int k = 1; k * voice < length / 2 && k <= 24; ++k) {
      const double amplitude = 1.0 / k * std::exp(-k / 5.0);
      const double phase = voice * 0.37;
      for (int i = 0; i < length; ++i) {
        samples[i] +=
            static_cast<float>(amplitude * std::sin(kTwoPi * k * voice * i / length + phase * k));
      }
    }
  }
  ModuleInstrument result{BaseInstrument(TrackerFormat::kFastTracker, name), 60};
  result.sample.data = ToEightBit(samples, 0.95f);
  result.sample.loopStart = 0;
  result.sample.loopLength = samples.size();
  result.sample.volume = 40;
  result.sample.envelope = {{0, 0}, {12, 64}, {40, 48}};
  result.sample.sustainPoint = 2;
  result.sample.fadeOut = 600;
  return result;
}

ModuleInstrument DrumInstrument(DrumKind kind, float tune, const char* name) {
  const double drumRate = kBaseRate * std::exp2((kDrumNote - kNoteMiddle) / 12.0);
  const std::vector<float> hit = RenderDrum(kind, 1.0f, 7, tune);
  // Average over the source span of each output sample, then resample: no aliasing fold-over.
  const double ratio = kSampleRate / drumRate;
  std::vector<float> samples(static_cast<std::size_t>(hit.size() / ratio));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::size_t from = static_cast<std::size_t>(i * ratio);
    const std::size_t to = std::min(hit.size(), static_cast<std::size_t>((i + 1) * ratio) + 1);
    float sum = 0.0f;
    for (std::size_t j = from; j < to; ++j) sum += hit[j];
    samples[i] = to > from ? sum / (to - from) : 0.0f;
  }
  ModuleInstrument result{BaseInstrument(TrackerFormat::kFastTracker, name), 60};
  result.sample.relativeNote = 0;
  result.sample.data = ToEightBit(samples, 1.0f);
  if (result.sample.data.size() >= 2) result.sample.data[0] = result.sample.data[1] = 0;
  result.sample.volume = 64;
  return result;
}

}  // namespace tvx
