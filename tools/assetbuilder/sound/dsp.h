// Dsp: the building blocks every voice is made of, all per-sample and allocation-free.
//
// Noise is a xorshift generator with an explicit seed, so every rendering is repeatable.
// Oscillators take a phase in cycles (0..1) and the phase step per sample; saw and pulse are
// band-limited with polyBLEP corrections so high notes do not alias into hiss. The state
// variable filter is the trapezoidal (zero-delay feedback) form, stable at any cutoff.
#pragma once

#include <cmath>
#include <cstdint>

namespace tvx {

class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
  float Next() {  // uniform in -1 .. 1
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
  }

 private:
  std::uint32_t state_;
};

namespace dsp_detail {

inline double Wrap01(double phase) { return phase - std::floor(phase); }

// Residual that removes the step discontinuity of a naive wave near its jump.
inline double PolyBlep(double t, double dt) {
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

}  // namespace dsp_detail

inline float SineWave(double phase) {
  return static_cast<float>(std::sin(6.283185307179586 * phase));
}

inline float TriangleWave(double phase) {
  const double p = dsp_detail::Wrap01(phase);
  return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
}

inline float SawWave(double phase, double step) {
  const double p = dsp_detail::Wrap01(phase);
  return static_cast<float>(2.0 * p - 1.0 - (step > 0.0 ? dsp_detail::PolyBlep(p, step) : 0.0));
}

inline float PulseWave(double phase, double step, double width) {
  const double p = dsp_detail::Wrap01(phase);
  double value = p < width ? 1.0 : -1.0;
  if (step > 0.0) {
    value += dsp_detail::PolyBlep(p, step);
    value -= dsp_detail::PolyBlep(dsp_detail::Wrap01(p - width), step);
  }
  return static_cast<float>(value);
}

float MidiToHz(double midi);

// One-pole smoothing filter; Highpass returns the input minus the low band.
class OnePole {
 public:
  void SetCutoff(float hz);
  float Lowpass(float in) {
    state_ += coefficient_ * (in - state_);
    return state_;
  }
  float Highpass(float in) { return in - Lowpass(in); }

 private:
  float coefficient_ = 1.0f;
  float state_ = 0.0f;
};

class StateVariableFilter {
 public:
  struct Bands {
    float low, band, high;
  };
  // resonance 0 (gentle) .. ~0.95 (near self-oscillation).
  void Set(float cutoffHz, float resonance);
  Bands Process(float in) {
    const float v3 = in - ic2_;
    const float v1 = a1_ * ic1_ + a2_ * v3;
    const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    return {v2, v1, in - k_ * v1 - v2};
  }

 private:
  float g_ = 0.0f, k_ = 2.0f, a1_ = 0.0f, a2_ = 0.0f, a3_ = 0.0f;
  float ic1_ = 0.0f, ic2_ = 0.0f;
};

// Attack-decay-sustain-release amplitude at time t (seconds) of a note held for `gate` seconds.
struct Adsr {
  float attack = 0.005f, decay = 0.1f, sustain = 1.0f, release = 0.05f;
  float At(float t, float gate) const;
  float Length(float gate) const { return gate + release; }
};

// Soft saturation that keeps small signals linear: a rational tanh approximation, exact at 0
// and reaching +-1 at +-3.
inline float SoftClip(float x) {
  if (x >= 3.0f) return 1.0f;
  if (x <= -3.0f) return -1.0f;
  const float x2 = x * x;
  return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

}  // namespace tvx
