// Impacts: the contact knock, the barrel thud, the car crash and the explosion.
#include <cmath>

#include "assetbuilder/sound/dsp.h"
#include "assetbuilder/sound/effect_shaping.h"
#include "assetbuilder/sound/sound_effects.h"

namespace tvx {
namespace {

constexpr float kDt = 1.0f / kSampleRate;

// A struck hollow body: a sine falling to `hz`, plus band-passed noise for the surface.
void AddThump(std::vector<float>& out, float startSeconds, float hz, float decay, float level,
              Noise& noise) {
  const std::size_t start = SecondsToFrames(startSeconds);
  StateVariableFilter surface;
  surface.Set(hz * 4.0f, 0.5f);
  double phase = 0.0;
  for (std::size_t i = 0; start + i < out.size(); ++i) {
    const float t = i * kDt;
    phase += hz * (1.0f + 1.5f * std::exp(-t / 0.015f)) * kDt;
    const float body = SineWave(phase) * std::exp(-t / decay);
    const float knock = surface.Process(noise.Next()).band * std::exp(-t / (decay * 0.3f));
    out[start + i] += level * SoftClip(1.5f * body + 0.8f * knock);
  }
}

}  // namespace

StereoBuffer ContactKnock() {
  Noise noise(11);
  std::vector<float> out(SecondsToFrames(0.3));
  AddThump(out, 0.0f, 140.0f, 0.05f, 0.9f, noise);
  AddThump(out, 0.0f, 420.0f, 0.02f, 0.4f, noise);
  return FinishOneShot(CentreMono(out));
}

StereoBuffer BarrelThud() {
  // A heavy drum hit and a smaller bounce: a metal barrel dropping onto the road.
  Noise noise(23);
  std::vector<float> out(SecondsToFrames(0.9));
  AddThump(out, 0.0f, 72.0f, 0.16f, 1.0f, noise);
  AddThump(out, 0.0f, 310.0f, 0.08f, 0.35f, noise);
  AddThump(out, 0.21f, 80.0f, 0.08f, 0.45f, noise);
  AddThump(out, 0.21f, 330.0f, 0.05f, 0.18f, noise);
  return FinishOneShot(CentreMono(out));
}

StereoBuffer CarCrash() {
  // Body impact, crumpling metal (noise through inharmonic resonators) and falling glass.
  Noise noise(37);
  const std::size_t frames = SecondsToFrames(1.8);
  StereoBuffer out(frames);
  std::vector<float> impact(frames);
  AddThump(impact, 0.0f, 90.0f, 0.12f, 1.0f, noise);
  static constexpr float kResonators[] = {523.0f, 1187.0f, 1733.0f, 2671.0f, 3467.0f};
  StateVariableFilter metal[5];
  for (int r = 0; r < 5; ++r) metal[r].Set(kResonators[r], 0.93f);
  OnePole crunchTone;
  crunchTone.SetCutoff(3000.0f);
  for (std::size_t i = 0; i < frames; ++i) {
    const float t = i * kDt;
    // Crumple: noise that comes in grains, fading over half a second.
    const float grain = noise.Next() > 0.6f ? 1.0f : 0.25f;
    const float excite = noise.Next() * grain * std::exp(-t / 0.18f);
    float ring = 0.0f;
    for (auto& m : metal) ring += m.Process(excite).band;
    const float crunch = crunchTone.Lowpass(noise.Next()) * std::exp(-t / 0.06f);
    impact[i] += 0.5f * ring + 0.9f * crunch;
  }
  MixMono(out, 0, impact, 0.8f, 0.8f, false);
  // Glass: short high pings scattered left and right.
  for (int k = 0; k < 18; ++k) {
    const float start = 0.05f + 0.06f * k + 0.03f * noise.Next();
    const float hz = 3200.0f + 2400.0f * (0.5f + 0.5f * noise.Next());
    const float pan = noise.Next();
    const float level = 0.22f * std::exp(-k / 8.0f);
    std::vector<float> ping(SecondsToFrames(0.09));
    for (std::size_t i = 0; i < ping.size(); ++i) {
      const float t = i * kDt;
      ping[i] = level * SineWave(t * hz) * std::exp(-t / 0.02f) * std::min(1.0f, t / 0.001f);
    }
    MixMono(out, SecondsToFrames(start), ping, PanLeft(pan), PanRight(pan), false);
  }
  return FinishOneShot(out);
}

StereoBuffer Explosion() {
  // A sharp crack, then a roar whose low-pass closes as it turns into a rumble.
  Noise noise(41);
  const std::size_t frames = SecondsToFrames(2.6);
  StereoBuffer out(frames);
  StateVariableFilter roarLeft, roarRight;
  OnePole rumble;
  rumble.SetCutoff(90.0f);
  double phase = 0.0;
  for (std::size_t i = 0; i < frames; ++i) {
    const float t = i * kDt;
    if (i % 16 == 0) {
      const float cutoff = 180.0f + 5200.0f * std::exp(-t / 0.25f);
      roarLeft.Set(cutoff, 0.25f);
      roarRight.Set(cutoff * 1.07f, 0.25f);
    }
    const float envelope = std::min(1.0f, t / 0.003f) * std::exp(-t / 0.7f);
    const float crack = noise.Next() * std::exp(-t / 0.02f);
    phase += (38.0f + 40.0f * std::exp(-t / 0.2f)) * kDt;
    const float boom = SineWave(phase) * std::exp(-t / 0.5f);
    const float low = rumble.Lowpass(noise.Next()) * 6.0f;
    const float left = roarLeft.Process(noise.Next()).low;
    const float right = roarRight.Process(noise.Next()).low;
    out.left[i] = SoftClip(1.4f * (envelope * (left + low) + 0.6f * crack + 0.9f * boom));
    out.right[i] = SoftClip(1.4f * (envelope * (right + low) + 0.6f * crack + 0.9f * boom));
  }
  return FinishOneShot(out);
}

}  // namespace tvx
