#include "assetbuilder/sound/dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Residual that removes the step discontinuity of a naive wave near its jump.
double PolyBlep(double t, double dt) {
  if (dt <= 0.0) return 0.0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Wrap01(double phase) { return phase - std::floor(phase); }

}  // namespace

float Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
}

float SineWave(double phase) { return static_cast<float>(std::sin(kTwoPi * phase)); }

float TriangleWave(double phase) {
  const double p = Wrap01(phase);
  return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
}

float SawWave(double phase, double step) {
  const double p = Wrap01(phase);
  return static_cast<float>(2.0 * p - 1.0 - PolyBlep(p, step));
}

float PulseWave(double phase, double step, double width) {
  const double p = Wrap01(phase);
  double value = p < width ? 1.0 : -1.0;
  value += PolyBlep(p, step);
  value -= PolyBlep(Wrap01(p - width), step);
  return static_cast<float>(value);
}

float MidiToHz(double midi) {
  return static_cast<float>(440.0 * std::pow(2.0, (midi - 69.0) / 12.0));
}

void OnePole::SetCutoff(float hz) {
  coefficient_ = 1.0f - std::exp(-2.0f * std::numbers::pi_v<float> * std::max(hz, 1.0f) /
                                 static_cast<float>(kSampleRate));
}

float OnePole::Lowpass(float in) {
  state_ += coefficient_ * (in - state_);
  return state_;
}

void StateVariableFilter::Set(float cutoffHz, float resonance) {
  const float nyquistSafe = std::clamp(cutoffHz, 10.0f, 0.45f * kSampleRate);
  g_ = std::tan(std::numbers::pi_v<float> * nyquistSafe / static_cast<float>(kSampleRate));
  k_ = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f);
  a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

StateVariableFilter::Bands StateVariableFilter::Process(float in) {
  const float v3 = in - ic2_;
  const float v1 = a1_ * ic1_ + a2_ * v3;
  const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0f * v1 - ic1_;
  ic2_ = 2.0f * v2 - ic2_;
  return {v2, v1, in - k_ * v1 - v2};
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

float SoftClip(float x) { return std::tanh(x); }

}  // namespace tvx
