#include "assetbuilder/sound/loudness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <numbers>

namespace tvx {
namespace {

constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;
constexpr int kOversampling = 4;
constexpr int kInterpolationTaps = 12;  // per phase
constexpr double kLookAheadSeconds = 0.0015;
constexpr double kReleaseSeconds = 0.06;
constexpr int kLevellingPasses = 5;

struct Biquad {
  double b0, b1, b2, a1, a2;
  double z1 = 0.0, z2 = 0.0;
  double Step(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

// The two K-weighting stages (a high shelf for the head, a high pass) at the sample rate.
std::array<Biquad, 2> KWeighting() {
  const double rate = kSampleRate;
  const double shelfHz = 1681.974450955533, shelfDb = 3.999843853973347;
  const double shelfQ = 0.7071752369554196;
  double k = std::tan(std::numbers::pi * shelfHz / rate);
  const double vh = std::pow(10.0, shelfDb / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  double a0 = 1.0 + k / shelfQ + k * k;
  const Biquad shelf{(vh + vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0,
                     (vh - vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                     (1.0 - k / shelfQ + k * k) / a0};
  const double passHz = 38.13547087602444, passQ = 0.5003270373238773;
  k = std::tan(std::numbers::pi * passHz / rate);
  a0 = 1.0 + k / passQ + k * k;
  const Biquad pass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / passQ + k * k) / a0};
  return {shelf, pass};
}

double BlockLoudness(double meanSquare) { return -0.691 + 10.0 * std::log10(meanSquare); }

// Windowed-sinc interpolation filter for the phases between samples.
std::array<std::array<float, kInterpolationTaps>, kOversampling> InterpolationPhases() {
  std::array<std::array<float, kInterpolationTaps>, kOversampling> phases{};
  for (int p = 0; p < kOversampling; ++p) {
    const double offset = static_cast<double>(p) / kOversampling;
    for (int t = 0; t < kInterpolationTaps; ++t) {
      const double x = t - (kInterpolationTaps / 2 - 1) - offset;
      const double sinc = x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
      const double window =
          0.5 + 0.5 * std::cos(std::numbers::pi * x / (kInterpolationTaps / 2 + 1));
      phases[static_cast<std::size_t>(p)][static_cast<std::size_t>(t)] =
          static_cast<float>(sinc * window);
    }
  }
  return phases;
}

// Per frame, the highest absolute value of both channels at the frame and the points after it.
std::vector<float> FramePeaks(const StereoBuffer& buffer, bool loop) {
  static const auto phases = InterpolationPhases();
  const std::size_t n = buffer.Frames();
  std::vector<float> peaks(n, 0.0f);
  const auto at = [&](const std::vector<float>& side, std::ptrdiff_t i) {
    const auto count = static_cast<std::ptrdiff_t>(n);
    if (loop) return side[static_cast<std::size_t>((i % count + count) % count)];
    return i < 0 || i >= static_cast<std::ptrdiff_t>(n) ? 0.0f : side[static_cast<std::size_t>(i)];
  };
  const auto first = static_cast<std::ptrdiff_t>(kInterpolationTaps / 2 - 1);
  for (const std::vector<float>* side : {&buffer.left, &buffer.right}) {
    for (std::size_t i = 0; i < n; ++i) {
      const auto start = static_cast<std::ptrdiff_t>(i) - first;
      const bool inside =
          start >= 0 && start + kInterpolationTaps <= static_cast<std::ptrdiff_t>(n);
      std::array<float, kInterpolationTaps> taps;
      for (int t = 0; t < kInterpolationTaps; ++t) {
        taps[static_cast<std::size_t>(t)] =
            inside ? (*side)[static_cast<std::size_t>(start + t)] : at(*side, start + t);
      }
      float peak = std::fabs((*side)[i]);
      for (int p = 1; p < kOversampling; ++p) {
        float sum = 0.0f;
        for (int t = 0; t < kInterpolationTaps; ++t) {
          sum += phases[static_cast<std::size_t>(p)][static_cast<std::size_t>(t)] *
                 taps[static_cast<std::size_t>(t)];
        }
        peak = std::max(peak, std::fabs(sum));
      }
      peaks[i] = std::max(peaks[i], peak);
    }
  }
  return peaks;
}

// The gain per frame that keeps every peak under the ceiling: each drop starts a look-ahead
// earlier and is smoothed over it, recovery is exponential.
std::vector<float> LimiterGain(const std::vector<float>& peaks, float ceiling, bool loop) {
  const std::size_t n = peaks.size();
  const std::size_t ahead = std::max<std::size_t>(1, SecondsToFrames(kLookAheadSeconds));
  std::vector<float> needed(n);
  for (std::size_t i = 0; i < n; ++i) needed[i] = peaks[i] > ceiling ? ceiling / peaks[i] : 1.0f;
  // The lowest need within the look-ahead: a sliding minimum, run from the end (round past it
  // for a loop).
  std::vector<float> held(n, 1.0f);
  std::deque<std::size_t> window;  // positions whose needs rise from front to back
  for (std::size_t k = loop ? n + ahead : n; k-- > 0;) {
    const float need = needed[k % n];
    while (!window.empty() && needed[window.back() % n] >= need) window.pop_back();
    window.push_back(k);
    while (window.front() > k + ahead) window.pop_front();
    if (k < n) held[k] = needed[window.front() % n];
  }
  const float release = 1.0f - std::exp(-1.0f / static_cast<float>(kReleaseSeconds * kSampleRate));
  std::vector<float> released(n);
  float gain = 1.0f;
  for (int pass = 0; pass < (loop ? 2 : 1); ++pass) {
    for (std::size_t i = 0; i < n; ++i) {
      gain = std::min(held[i], gain + (1.0f - gain) * release);
      released[i] = gain;
    }
  }
  // A box average over the look-ahead: the gain at every peak stays under its need.
  std::vector<float> smooth(n);
  double sum = 0.0;
  // A one-shot's first gain stands for the time before it, which holds its first peaks too.
  for (std::size_t j = 0; j <= ahead; ++j) sum += loop ? released[(n - 1 - j) % n] : released[0];
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t leaving = i + n - ahead - 1;
    sum += released[i];
    sum -= loop ? released[leaving % n] : released[i >= ahead + 1 ? i - ahead - 1 : 0];
    smooth[i] = static_cast<float>(sum / static_cast<double>(ahead + 1));
  }
  return smooth;
}

}  // namespace

double IntegratedLoudness(const StereoBuffer& buffer) {
  const std::size_t block = SecondsToFrames(0.4);
  const std::size_t hop = SecondsToFrames(0.1);
  const std::size_t frames = std::max(buffer.Frames(), block);
  // K-weighted energy per 100 ms, both channels summed.
  std::vector<double> hops(frames / hop, 0.0);
  for (const std::vector<float>* side : {&buffer.left, &buffer.right}) {
    std::array<Biquad, 2> filter = KWeighting();
    for (std::size_t i = 0; i < hops.size() * hop; ++i) {
      const double x = i < side->size() ? (*side)[i] : 0.0;
      const double y = filter[1].Step(filter[0].Step(x));
      hops[i / hop] += y * y;
    }
  }
  std::vector<double> blocks;
  for (std::size_t h = 3; h < hops.size(); ++h) {
    blocks.push_back((hops[h - 3] + hops[h - 2] + hops[h - 1] + hops[h]) / block);
  }
  const auto gatedMean = [&](double gate) {
    double sum = 0.0;
    int count = 0;
    for (double b : blocks) {
      if (b > 0.0 && BlockLoudness(b) > gate) sum += b, ++count;
    }
    return count > 0 ? sum / count : 0.0;
  };
  const double ungated = gatedMean(kAbsoluteGate);
  if (ungated <= 0.0) return kAbsoluteGate - 1.0;
  const double gated = gatedMean(std::max(kAbsoluteGate, BlockLoudness(ungated) + kRelativeGate));
  return BlockLoudness(gated);
}

float OversampledPeak(const StereoBuffer& buffer) {
  const std::vector<float> peaks = FramePeaks(buffer, false);
  return peaks.empty() ? 0.0f : *std::max_element(peaks.begin(), peaks.end());
}

void LevelTo(StereoBuffer& buffer, double lufs, float ceilingDb, bool loop) {
  if (buffer.Frames() == 0) return;
  const float ceiling = std::pow(10.0f, ceilingDb / 20.0f);
  const StereoBuffer source = buffer;
  // Peaks scale with the gain, so they are found once.
  const std::vector<float> sourcePeaks = FramePeaks(source, loop);
  double gainDb = lufs - IntegratedLoudness(source);
  std::vector<float> peaks(sourcePeaks.size());
  for (int pass = 0; pass < kLevellingPasses; ++pass) {
    const auto scale = static_cast<float>(std::pow(10.0, gainDb / 20.0));
    for (std::size_t i = 0; i < peaks.size(); ++i) peaks[i] = sourcePeaks[i] * scale;
    const std::vector<float> gain = LimiterGain(peaks, ceiling, loop);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
      buffer.left[i] = source.left[i] * scale * gain[i];
      buffer.right[i] = source.right[i] * scale * gain[i];
    }
    const double miss = lufs - IntegratedLoudness(buffer);
    if (std::fabs(miss) < 0.05) break;
    gainDb += miss;
  }
}

void Saturate(StereoBuffer& buffer, float driveDb) {
  const float peak = PeakOf(buffer);
  if (peak <= 0.0f) return;
  const float drive = std::pow(10.0f, driveDb / 20.0f) / peak;
  const float norm = peak / std::tanh(drive * peak);
  for (std::vector<float>* side : {&buffer.left, &buffer.right}) {
    for (float& s : *side) s = std::tanh(drive * s) * norm;
  }
}

void HighPass(StereoBuffer& buffer, float hz) {
  const float pole = 1.0f - 2.0f * std::numbers::pi_v<float> * hz / kSampleRate;
  for (std::vector<float>* side : {&buffer.left, &buffer.right}) {
    float previousIn = 0.0f, previousOut = 0.0f;
    for (float& s : *side) {
      const float out = s - previousIn + pole * previousOut;
      previousIn = s;
      previousOut = out;
      s = out;
    }
  }
}

void RemoveMean(StereoBuffer& buffer) {
  for (std::vector<float>* side : {&buffer.left, &buffer.right}) {
    if (side->empty()) continue;
    double sum = 0.0;
    for (float s : *side) sum += s;
    const auto mean = static_cast<float>(sum / static_cast<double>(side->size()));
    for (float& s : *side) s -= mean;
  }
}

}  // namespace tvx
