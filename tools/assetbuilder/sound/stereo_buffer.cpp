#include "assetbuilder/sound/stereo_buffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tvx {

std::size_t SecondsToFrames(double seconds) {
  return seconds <= 0.0 ? 0 : static_cast<std::size_t>(std::llround(seconds * kSampleRate));
}

namespace {

// Calls add(target frame, source frame) for `count` source frames placed at `start`, in runs
// without a per-frame wrap test.
template <typename Add>
void ForEachPlacedFrame(std::size_t frames, std::size_t start, std::size_t count, bool wrap,
                        Add add) {
  if (frames == 0) return;
  std::size_t source = 0;
  std::size_t at = start % frames;
  if (!wrap && start >= frames) return;
  while (source < count) {
    const std::size_t run = std::min(count - source, frames - at);
    for (std::size_t i = 0; i < run; ++i) add(at + i, source + i);
    source += run;
    if (!wrap) return;
    at = 0;
  }
}

}  // namespace

void MixMono(StereoBuffer& target, std::size_t start, const std::vector<float>& mono,
             float gainLeft, float gainRight, bool wrap) {
  ForEachPlacedFrame(target.Frames(), start, mono.size(), wrap, [&](std::size_t at, std::size_t i) {
    target.left[at] += mono[i] * gainLeft;
    target.right[at] += mono[i] * gainRight;
  });
}

void MixStereo(StereoBuffer& target, std::size_t start, const StereoBuffer& source, float gainLeft,
               float gainRight, bool wrap) {
  ForEachPlacedFrame(target.Frames(), start, source.Frames(), wrap,
                     [&](std::size_t at, std::size_t i) {
                       target.left[at] += source.left[i] * gainLeft;
                       target.right[at] += source.right[i] * gainRight;
                     });
}

float PanLeft(float pan) {
  return std::cos((std::clamp(pan, -1.0f, 1.0f) + 1.0f) * std::numbers::pi_v<float> / 4.0f);
}

float PanRight(float pan) {
  return std::sin((std::clamp(pan, -1.0f, 1.0f) + 1.0f) * std::numbers::pi_v<float> / 4.0f);
}

float PeakOf(const StereoBuffer& buffer) {
  float peak = 0.0f;
  for (std::size_t i = 0; i < buffer.Frames(); ++i) {
    peak = std::max({peak, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
  }
  return peak;
}

void Scale(StereoBuffer& buffer, float gain) {
  for (float& s : buffer.left) s *= gain;
  for (float& s : buffer.right) s *= gain;
}

void NormalisePeak(StereoBuffer& buffer, float peakDb) {
  const float peak = PeakOf(buffer);
  if (peak <= 0.0f) return;
  Scale(buffer, std::pow(10.0f, peakDb / 20.0f) / peak);
}

void FadeEdges(StereoBuffer& buffer, float fadeInMs, float fadeOutMs) {
  const std::size_t frames = buffer.Frames();
  const auto fade = [&](std::size_t length, auto frameAt) {
    length = std::min(length, frames);
    for (std::size_t i = 0; i < length; ++i) {
      const float g =
          0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * static_cast<float>(i) / length);
      const std::size_t at = frameAt(i);
      buffer.left[at] *= g;
      buffer.right[at] *= g;
    }
  };
  fade(SecondsToFrames(fadeInMs / 1000.0), [](std::size_t i) { return i; });
  fade(SecondsToFrames(fadeOutMs / 1000.0), [&](std::size_t i) { return frames - 1 - i; });
}

std::vector<std::int16_t> ToInterleavedPcm16(const StereoBuffer& buffer) {
  std::vector<std::int16_t> pcm(buffer.Frames() * 2);
  const auto convert = [](float s) {
    return static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
  };
  for (std::size_t i = 0; i < buffer.Frames(); ++i) {
    pcm[2 * i] = convert(buffer.left[i]);
    pcm[2 * i + 1] = convert(buffer.right[i]);
  }
  return pcm;
}

StereoBuffer FromInterleaved(const std::vector<float>& stereo) {
  StereoBuffer buffer(stereo.size() / 2);
  for (std::size_t i = 0; i < buffer.Frames(); ++i) {
    buffer.left[i] = stereo[2 * i];
    buffer.right[i] = stereo[2 * i + 1];
  }
  return buffer;
}

std::vector<float> DownmixToMono(const StereoBuffer& buffer) {
  std::vector<float> mono(buffer.Frames());
  for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (buffer.left[i] + buffer.right[i]);
  return mono;
}

}  // namespace tvx
