#include "assetbuilder/sound/effect_shaping.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tvx {
namespace {

constexpr float kTargetRmsDb = -13.0f;
constexpr float kFadeMs = 4.0f;

float LoudestWindowRms(const StereoBuffer& buffer) {
  const std::size_t window = std::min(buffer.Frames(), SecondsToFrames(0.1));
  if (window == 0) return 0.0f;
  double sum = 0.0, best = 0.0;
  const auto energy = [&](std::size_t i) {
    return 0.5 * (buffer.left[i] * buffer.left[i] + buffer.right[i] * buffer.right[i]);
  };
  for (std::size_t i = 0; i < buffer.Frames(); ++i) {
    sum += energy(i);
    if (i >= window) sum -= energy(i - window);
    best = std::max(best, sum);
  }
  return static_cast<float>(std::sqrt(best / window));
}

}  // namespace

void LevelEffect(StereoBuffer& buffer) {
  const float rms = LoudestWindowRms(buffer);
  if (rms <= 0.0f) return;
  Scale(buffer, std::pow(10.0f, kTargetRmsDb / 20.0f) / rms);
  const float peakLimit = std::pow(10.0f, kEffectPeakDb / 20.0f);
  const float peak = PeakOf(buffer);
  if (peak > peakLimit) Scale(buffer, peakLimit / peak);
}

StereoBuffer CrossfadeLoop(const StereoBuffer& rendered, std::size_t overlap) {
  overlap = std::min(overlap, rendered.Frames() / 2);
  const std::size_t length = rendered.Frames() - overlap;
  StereoBuffer loop(length);
  for (std::size_t i = 0; i < length; ++i) {
    loop.left[i] = rendered.left[i];
    loop.right[i] = rendered.right[i];
  }
  for (std::size_t i = 0; i < overlap; ++i) {
    const float x = (static_cast<float>(i) + 0.5f) / overlap * std::numbers::pi_v<float> / 2.0f;
    const float fadeIn = std::sin(x), fadeOut = std::cos(x);
    loop.left[i] = loop.left[i] * fadeIn + rendered.left[length + i] * fadeOut;
    loop.right[i] = loop.right[i] * fadeIn + rendered.right[length + i] * fadeOut;
  }
  return loop;
}

StereoBuffer PanMono(const std::vector<float>& mono, const std::vector<float>& pan) {
  StereoBuffer out(mono.size());
  for (std::size_t i = 0; i < mono.size(); ++i) {
    const float p = i < pan.size() ? pan[i] : 0.0f;
    out.left[i] = mono[i] * PanLeft(p) * std::numbers::sqrt2_v<float>;
    out.right[i] = mono[i] * PanRight(p) * std::numbers::sqrt2_v<float>;
  }
  return out;
}

StereoBuffer CentreMono(const std::vector<float>& mono) {
  StereoBuffer out(mono.size());
  out.left = mono;
  out.right = mono;
  return out;
}

StereoBuffer FinishOneShot(StereoBuffer buffer) {
  LevelEffect(buffer);
  FadeEdges(buffer, kFadeMs, kFadeMs);
  return buffer;
}

}  // namespace tvx
