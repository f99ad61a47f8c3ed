#include "assetbuilder/sound/drum_voices.h"

#include <algorithm>
#include <cmath>

#include "assetbuilder/sound/dsp.h"
#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {
namespace {

constexpr float kDt = 1.0f / kSampleRate;

float Decay(float t, float seconds) { return std::exp(-t / seconds); }

std::vector<float> Kick(float tune) {
  std::vector<float> out(SecondsToFrames(0.45));
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = i * kDt;
    const float hz = tune * (48.0f + 110.0f * std::exp(-t / 0.035f));
    phase += hz * kDt;
    const float body = SineWave(phase) * Decay(t, 0.16f);
    const float click = SineWave(phase * 4.0) * Decay(t, 0.004f) * 0.4f;
    out[i] = SoftClip(1.6f * (body + click));
  }
  return out;
}

std::vector<float> Snare(float tune, Noise& noise) {
  std::vector<float> out(SecondsToFrames(0.3));
  StateVariableFilter colour;
  colour.Set(4200.0f * tune, 0.2f);
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = i * kDt;
    phase += tune * (175.0f + 60.0f * std::exp(-t / 0.02f)) * kDt;
    const float tone = SineWave(phase) * Decay(t, 0.05f);
    const auto bands = colour.Process(noise.Next());
    const float rattle = (bands.band * 1.2f + bands.high * 0.5f) * Decay(t, 0.07f);
    out[i] = 0.8f * tone + 0.9f * rattle;
  }
  return out;
}

// Six detuned square waves high-passed together: the metallic core of hats and cymbals.
float MetalCluster(double t, float tune) {
  static constexpr float kRatios[] = {1.0f, 1.342f, 1.2312f, 1.6532f, 1.9523f, 2.1523f};
  float sum = 0.0f;
  for (float r : kRatios) sum += PulseWave(t * 410.0 * r * tune, 0.0, 0.5);
  return sum / 6.0f;
}

std::vector<float> Metal(float seconds, float decay, float tune, Noise& noise, float cutoff) {
  std::vector<float> out(SecondsToFrames(seconds));
  StateVariableFilter high;
  high.Set(cutoff, 0.3f);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = i * kDt;
    const float source = 0.55f * noise.Next() + 0.6f * MetalCluster(t, tune);
    out[i] = high.Process(source).high * Decay(t, decay);
  }
  return out;
}

std::vector<float> Clap(Noise& noise) {
  std::vector<float> out(SecondsToFrames(0.35));
  StateVariableFilter body;
  body.Set(1300.0f, 0.35f);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = i * kDt;
    const float burst = std::fmod(t, 0.011f);
    const float envelope = t < 0.033f ? Decay(burst, 0.003f) : 0.7f * Decay(t - 0.033f, 0.08f);
    out[i] = 1.6f * body.Process(noise.Next()).band * envelope;
  }
  return out;
}

std::vector<float> Tom(float tune, Noise& noise) {
  std::vector<float> out(SecondsToFrames(0.5));
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = i * kDt;
    phase += tune * (110.0f + 50.0f * std::exp(-t / 0.06f)) * kDt;
    out[i] = SineWave(phase) * Decay(t, 0.15f) + 0.05f * noise.Next() * Decay(t, 0.02f);
  }
  return out;
}

std::vector<float> Rim(float tune) {
  std::vector<float> out(SecondsToFrames(0.08));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = i * kDt;
    out[i] = (0.6f * TriangleWave(t * 1700.0 * tune) + 0.4f * SineWave(t * 480.0 * tune)) *
             Decay(t, 0.012f);
  }
  return out;
}

// A 2 ms rise keeps every hit free of a starting click.
void SoftenAttack(std::vector<float>& hit) {
  const std::size_t rise = std::min<std::size_t>(hit.size(), SecondsToFrames(0.0015));
  for (std::size_t i = 0; i < rise; ++i) hit[i] *= static_cast<float>(i) / rise;
  const std::size_t fall = std::min<std::size_t>(hit.size(), SecondsToFrames(0.01));
  for (std::size_t i = 0; i < fall; ++i) hit[hit.size() - 1 - i] *= static_cast<float>(i) / fall;
}

}  // namespace

std::vector<float> RenderDrum(DrumKind kind, float velocity, std::uint32_t seed, float tune) {
  Noise noise(seed * 2654435761u + 12345u);
  std::vector<float> hit;
  switch (kind) {
    case DrumKind::kKick:
      hit = Kick(tune);
      break;
    case DrumKind::kSnare:
      hit = Snare(tune, noise);
      break;
    case DrumKind::kClosedHat:
      hit = Metal(0.09f, 0.022f, tune, noise, 7500.0f);
      break;
    case DrumKind::kOpenHat:
      hit = Metal(0.5f, 0.14f, tune, noise, 6500.0f);
      break;
    case DrumKind::kClap:
      hit = Clap(noise);
      break;
    case DrumKind::kCrash:
      hit = Metal(2.2f, 0.55f, tune * 0.9f, noise, 4500.0f);
      break;
    case DrumKind::kTom:
      hit = Tom(tune, noise);
      break;
    case DrumKind::kRim:
      hit = Rim(tune);
      break;
  }
  SoftenAttack(hit);
  for (float& s : hit) s *= velocity;
  return hit;
}

}  // namespace tvx
