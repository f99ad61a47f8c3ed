// Dsp: the building blocks every voice is made of, all per-sample and allocation-free.
//
// Noise is a xorshift generator with an explicit seed, so every rendering is repeatable.
// Oscillators take a phase in cycles (0..1) and the phase step per sample; saw and pulse are
// band-limited with polyBLEP corrections so high notes do not alias into hiss. The state
// variable filter is the trapezoidal (zero-delay feedback) form, stable at any cutoff.
#pragma once

#include <cstdint>

namespace tvx {

class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
  float Next();  // uniform in -1 .. 1

 private:
  std::uint32_t state_;
};

float SineWave(double phase);
float TriangleWave(double phase);
float SawWave(double phase, double step);
float PulseWave(double phase, double step, double width);

float MidiToHz(double midi);

// One-pole smoothing filter; Highpass returns the input minus the low band.
class OnePole {
 public:
  void SetCutoff(float hz);
  float Lowpass(float in);
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
  Bands Process(float in);

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

// Soft saturation that keeps small signals linear.
float SoftClip(float x);

}  // namespace tvx
