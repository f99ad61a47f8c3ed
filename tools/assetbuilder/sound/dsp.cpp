#include "assetbuilder/sound/dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

float MidiToHz(double midi) {
  return static_cast<float>(440.0 * std::pow(2.0, (midi - 69.0) / 12.0));
}

void OnePole::SetCutoff(float hz) {
  coefficient_ = 1.0f - std::exp(-2.0f * std::numbers::pi_v<float> * std::max(hz, 1.0f) /
                                 static_cast<float>(kSampleRate));
}

void StateVariableFilter::Set(float cutoffHz, float resonance) {
  const float nyquistSafe = std::clamp(cutoffHz, 10.0f, 0.45f * kSampleRate);
  g_ = std::tan(std::numbers::pi_v<float> * nyquistSafe / static_cast<float>(kSampleRate));
  k_ = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f);
  a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

float Adsr::At(float t, float gate) const {
  const auto held = [&](float time) {
    if (time < attack) return attack > 0.0f ? time / attack : 1.0f;
    const float intoDecay = time - attack;
    if (decay <= 0.0f) return sustain;
    return sustain + (1.0f - sustain) * std::exp(-intoDecay / decay * 4.0f);
  };
  if (t < 0.0f) return 0.0f;
  if (t < gate) return held(t);
  if (release <= 0.0f) return 0.0f;
  const float after = t - gate;
  if (after >= release) return 0.0f;
  // Cosine release reaches exactly zero, so a note never ends on a step.
  return held(gate) * (0.5f + 0.5f * std::cos(std::numbers::pi_v<float> * after / release));
}

}  // namespace tvx
