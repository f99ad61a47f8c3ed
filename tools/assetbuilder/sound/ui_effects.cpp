// Pick-up and interface sounds: beeps, the repair chime and the dizziness bubble.
#include <algorithm>
#include <cmath>

#include "assetbuilder/sound/dsp.h"
#include "assetbuilder/sound/effect_shaping.h"
#include "assetbuilder/sound/sound_effects.h"

namespace tvx {
namespace {

constexpr float kDt = 1.0f / kSampleRate;

// A soft square beep: odd harmonics rounded by a low-pass, with a short rise and fall.
void AddBeep(std::vector<float>& out, float startSeconds, float seconds, float hz) {
  const std::size_t start = SecondsToFrames(startSeconds);
  const std::size_t length = SecondsToFrames(seconds);
  OnePole round;
  round.SetCutoff(hz * 3.0f);
  double phase = 0.0;
  for (std::size_t i = 0; i < length && start + i < out.size(); ++i) {
    const float t = i * kDt;
    const float gate = std::min({1.0f, t / 0.004f, (seconds - t) / 0.006f});
    phase += hz * kDt;
    out[start + i] += 0.6f * round.Lowpass(PulseWave(phase, hz * kDt, 0.5)) * gate;
  }
}

// A bell partial set: the fundamental with inharmonic overtones that die away faster.
void AddBell(std::vector<float>& out, float startSeconds, float hz, float level) {
  static constexpr float kPartials[][3] = {
      {1.0f, 1.0f, 0.9f}, {2.0f, 0.45f, 0.5f}, {2.76f, 0.3f, 0.3f}, {5.4f, 0.15f, 0.12f}};
  const std::size_t start = SecondsToFrames(startSeconds);
  for (std::size_t i = 0; start + i < out.size(); ++i) {
    const float t = i * kDt;
    float sample = 0.0f;
    for (const auto& p : kPartials) sample += p[1] * SineWave(t * hz * p[0]) * std::exp(-t / p[2]);
    out[start + i] += level * sample * std::min(1.0f, t / 0.002f);
  }
}

}  // namespace

StereoBuffer SingleBeep() {
  std::vector<float> out(SecondsToFrames(0.16));
  AddBeep(out, 0.0f, 0.13f, 1318.5f);
  return FinishOneShot(CentreMono(out));
}

StereoBuffer DoubleBeep() {
  std::vector<float> out(SecondsToFrames(0.34));
  AddBeep(out, 0.0f, 0.11f, 1318.5f);
  AddBeep(out, 0.17f, 0.14f, 1760.0f);
  return FinishOneShot(CentreMono(out));
}

StereoBuffer RepairChime() {
  std::vector<float> out(SecondsToFrames(1.1));
  AddBell(out, 0.0f, 1318.5f, 0.5f);    // E6
  AddBell(out, 0.08f, 1661.2f, 0.45f);  // G#6
  AddBell(out, 0.16f, 1975.5f, 0.45f);  // B6
  AddBell(out, 0.24f, 2637.0f, 0.35f);  // E7
  std::vector<float> pan(out.size());
  for (std::size_t i = 0; i < pan.size(); ++i) pan[i] = 0.3f * std::sin(i * kDt * 9.0f);
  return FinishOneShot(PanMono(out, pan));
}

StereoBuffer DizzyBubble() {
  // Four bubbles, each a sine that rises quickly in pitch as it pops; a slow wobble makes the
  // whole sound swim, like the dizziness it brings.
  std::vector<float> out(SecondsToFrames(0.8));
  static constexpr float kBubbles[][2] = {
      {0.0f, 420.0f}, {0.11f, 560.0f}, {0.2f, 360.0f}, {0.32f, 640.0f}};
  for (const auto& bubble : kBubbles) {
    const std::size_t start = SecondsToFrames(bubble[0]);
    double phase = 0.0;
    for (std::size_t i = 0; i < SecondsToFrames(0.14) && start + i < out.size(); ++i) {
      const float t = i * kDt;
      const float hz = bubble[1] * (1.0f + 3.0f * t / 0.14f) * (1.0f + 0.05f * SineWave(t * 31.0));
      phase += hz * kDt;
      const float envelope = std::sin(3.14159f * t / 0.14f) * std::exp(-t / 0.09f);
      out[start + i] += 0.7f * SineWave(phase) * envelope;
    }
  }
  std::vector<float> pan(out.size());
  for (std::size_t i = 0; i < pan.size(); ++i) pan[i] = 0.6f * std::sin(i * kDt * 14.0f);
  return FinishOneShot(PanMono(out, pan));
}

}  // namespace tvx
