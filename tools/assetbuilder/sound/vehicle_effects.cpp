// Vehicle sounds: the boost roar, the smoke hiss, the engine hum, tyre squeals and the whoosh.
#include <cmath>

#include "assetbuilder/sound/dsp.h"
#include "assetbuilder/sound/effect_shaping.h"
#include "assetbuilder/sound/sound_effects.h"

namespace tvx {
namespace {

constexpr float kDt = 1.0f / kSampleRate;

// A squealing tyre: a narrow resonance on noise plus a tone whose pitch jitters, gliding from
// `startHz` to `endHz` under a swell-and-fade envelope.
StereoBuffer Squeal(float seconds, float startHz, float endHz, std::uint32_t seed) {
  Noise noise(seed);
  const std::size_t frames = SecondsToFrames(seconds);
  StateVariableFilter resonance;
  OnePole jitter;
  jitter.SetCutoff(30.0f);
  std::vector<float> mono(frames);
  std::vector<float> pan(frames);
  double phase = 0.0;
  for (std::size_t i = 0; i < frames; ++i) {
    const float t = i * kDt;
    const float progress = t / seconds;
    const float wobble = jitter.Lowpass(noise.Next()) * 0.6f;
    const float hz = (startHz + (endHz - startHz) * progress) *
                     (1.0f + 0.04f * wobble + 0.015f * SineWave(t * 23.0));
    if (i % 16 == 0) resonance.Set(hz, 0.9f);
    phase += hz * kDt;
    const float tone = 0.55f * SineWave(phase) + 0.25f * SineWave(phase * 2.0);
    const float rubber = resonance.Process(noise.Next()).band;
    const float envelope =
        std::min(1.0f, t / 0.04f) * std::min(1.0f, (seconds - t) / (0.35f * seconds));
    mono[i] = envelope * (tone + 0.8f * rubber) * (0.8f + 0.2f * SineWave(t * 7.0));
    pan[i] = 0.25f * SineWave(t * 1.3);
  }
  return FinishOneShot(PanMono(mono, pan));
}

}  // namespace

StereoBuffer JetEngineFiringUp() {
  // Ignition thump, then a turbine whine climbing in pitch over a roar whose filter opens; the
  // boost tails away over the last second and a half.
  Noise noise(53);
  const float seconds = 5.0f;
  const std::size_t frames = SecondsToFrames(seconds);
  StereoBuffer out(frames);
  StateVariableFilter roarLeft, roarRight;
  OnePole rumble;
  rumble.SetCutoff(70.0f);
  double whine = 0.0, thump = 0.0;
  for (std::size_t i = 0; i < frames; ++i) {
    const float t = i * kDt;
    const float rise = 1.0f - std::exp(-t / 0.9f);
    const float tail = std::min(1.0f, (seconds - t) / 1.5f);
    if (i % 16 == 0) {
      const float cutoff = 300.0f + 3800.0f * rise;
      roarLeft.Set(cutoff, 0.35f);
      roarRight.Set(cutoff * 1.1f, 0.35f);
    }
    const float whineHz = 700.0f + 2300.0f * rise;
    whine += whineHz * kDt;
    thump += (45.0f + 60.0f * std::exp(-t / 0.08f)) * kDt;
    const float ignition = SineWave(thump) * std::exp(-t / 0.18f);
    const float roar = std::min(1.0f, t / 0.05f) * (0.45f + 0.55f * rise) * tail;
    const float tone = 0.12f * (SineWave(whine) + 0.4f * SineWave(whine * 1.5)) * rise * tail;
    const float low = 5.0f * rumble.Lowpass(noise.Next()) * tail;
    out.left[i] = SoftClip(roar * roarLeft.Process(noise.Next()).low + tone + low + ignition);
    out.right[i] = SoftClip(roar * roarRight.Process(noise.Next()).low + tone + low + ignition);
  }
  return FinishOneShot(out);
}

StereoBuffer HotIdle() {
  // Steam-like hiss with slow surges, looped by crossfading its extra second onto the start.
  Noise noise(61);
  const float loopSeconds = 3.0f, overlapSeconds = 0.5f;
  const std::size_t frames = SecondsToFrames(loopSeconds + overlapSeconds);
  StereoBuffer rendered(frames);
  StateVariableFilter hissLeft, hissRight;
  OnePole surge;
  surge.SetCutoff(2.0f);
  for (std::size_t i = 0; i < frames; ++i) {
    if (i % 16 == 0) {
      hissLeft.Set(5200.0f, 0.2f);
      hissRight.Set(5900.0f, 0.2f);
    }
    const float swell = 0.75f + 2.5f * std::fabs(surge.Lowpass(noise.Next()));
    const auto left = hissLeft.Process(noise.Next());
    const auto right = hissRight.Process(noise.Next());
    rendered.left[i] = swell * (left.high * 0.5f + left.band * 0.5f);
    rendered.right[i] = swell * (right.high * 0.5f + right.band * 0.5f);
  }
  StereoBuffer loop = CrossfadeLoop(rendered, SecondsToFrames(overlapSeconds));
  LevelEffect(loop);
  return loop;
}

StereoBuffer EngineHum() {
  // Every partial completes a whole number of cycles in the 1.5 s, and all are sines starting at
  // phase 0: the hum ends where it began, at zero, so back-to-back plays join without a click.
  const float seconds = 1.5f;
  const std::size_t frames = SecondsToFrames(seconds);
  const float fundamental = 44.0f / seconds * 1.5f;  // 44 Hz, 66 cycles
  // The low partials are the drone; the rasp from 1 to 3 kHz keeps it heard over the music,
  // whose energy sits low.
  static constexpr float kHarmonics[][2] = {
      {1.0f, 1.0f},   {2.0f, 0.6f},  {3.0f, 0.45f},  {4.0f, 0.25f},  {6.0f, 0.15f},  {8.0f, 0.08f},
      {24.0f, 0.22f}, {28.0f, 0.2f}, {32.0f, 0.18f}, {40.0f, 0.15f}, {48.0f, 0.12f}, {64.0f, 0.1f}};
  std::vector<float> mono(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    float sample = 0.0f;
    for (const auto& h : kHarmonics) sample += h[1] * SineWave(t * fundamental * h[0]);
    // Firing pulses: amplitude ripple at a whole number of cycles per play as well.
    const float ripple = 0.8f + 0.2f * SineWave(t * 22.0 / seconds);
    mono[i] = SoftClip(0.8f * sample * ripple);
  }
  StereoBuffer out = CentreMono(mono);
  LevelEffect(out);
  FadeEdges(out, 2.0f, 2.0f);
  return out;
}

StereoBuffer CarTireSqueal() { return Squeal(1.2f, 1250.0f, 1050.0f, 71); }
StereoBuffer TireSqueal() { return Squeal(0.7f, 1500.0f, 1350.0f, 73); }
StereoBuffer CarTireSquealLong() { return Squeal(1.7f, 1150.0f, 820.0f, 79); }

StereoBuffer PassingWhoosh() {
  // A car going by: a band of noise that rises in pitch as it nears and falls as it leaves,
  // moving from left to right.
  Noise noise(83);
  const float seconds = 0.9f;
  const std::size_t frames = SecondsToFrames(seconds);
  StateVariableFilter band;
  std::vector<float> mono(frames), pan(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const float t = i * kDt;
    const float x = t / seconds * 2.0f - 1.0f;  // -1 approaching .. +1 gone
    const float nearness = 1.0f / (1.0f + 9.0f * x * x);
    if (i % 16 == 0) band.Set(500.0f + 2200.0f * nearness * (x < 0.0f ? 1.0f : 0.7f), 0.45f);
    const auto bands = band.Process(noise.Next());
    mono[i] = nearness * (bands.band + 0.3f * bands.low);
    pan[i] = 0.8f * x;
  }
  return FinishOneShot(PanMono(mono, pan));
}

}  // namespace tvx
