#include "assetbuilder/sound/synth_voice.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "assetbuilder/sound/dsp.h"

namespace tvx {
namespace {

constexpr int kMaxUnison = 7;
constexpr int kControlInterval = 16;  // filter coefficients are refreshed every 16 samples

float Oscillate(Waveform wave, double phase, double step, float pulseWidth) {
  switch (wave) {
    case Waveform::kSine:
      return SineWave(phase);
    case Waveform::kTriangle:
      return TriangleWave(phase);
    case Waveform::kSaw:
      return SawWave(phase, step);
    case Waveform::kPulse:
      return PulseWave(phase, step, pulseWidth);
  }
  return 0.0f;
}

}  // namespace

StereoBuffer RenderSynthNote(const SynthPatch& patch, double midi, float gate, float velocity,
                             std::uint32_t seed) {
  const float length = patch.amp.Length(gate);
  StereoBuffer out(SecondsToFrames(length));
  Noise noise(seed + 0x51u);
  const int unison = std::clamp(patch.unison, 1, kMaxUnison);

  std::array<double, kMaxUnison> phase{};
  std::array<double, kMaxUnison> detune{};
  std::array<float, kMaxUnison> gainLeft{}, gainRight{};
  for (int u = 0; u < unison; ++u) {
    const float spread = unison == 1 ? 0.0f : 2.0f * u / (unison - 1) - 1.0f;
    detune[u] = std::pow(2.0, spread * patch.detuneCents / 2.0 / 1200.0);
    phase[u] = unison == 1 ? 0.0 : 0.5 * (noise.Next() + 1.0f);
    const float pan = spread * patch.stereoWidth;
    gainLeft[u] = PanLeft(pan) / std::sqrt(static_cast<float>(unison));
    gainRight[u] = PanRight(pan) / std::sqrt(static_cast<float>(unison));
  }
  double phase2 = 0.0;
  const float baseHz = MidiToHz(midi);
  const float trackScale = patch.keyTrack ? baseHz / MidiToHz(60.0) : 1.0f;
  StateVariableFilter filterLeft, filterRight;
  const float dt = 1.0f / kSampleRate;
  const float driveGain = 1.0f / std::max(1.0f, patch.drive * 0.7f);
  std::array<double, kMaxUnison> step{};
  double step2 = 0.0;
  const double ratio2 = std::pow(2.0, patch.semitones2 / 12.0);
  float envelopeStart = 0.0f;

  // Pitch, cutoff and amplitude move at a control rate; the envelope is interpolated between.
  for (std::size_t block = 0; block < out.Frames(); block += kControlInterval) {
    const float t = block * dt;
    const float cutoff =
        (patch.cutoffHz + patch.envelopeHz * std::exp(-t / patch.filterDecay) * velocity) *
        trackScale;
    filterLeft.Set(cutoff, patch.resonance);
    filterRight.Set(cutoff, patch.resonance);
    double cents = 0.0;
    if (patch.vibratoCents > 0.0f && t > patch.vibratoDelay) {
      const float depth = std::min(1.0f, (t - patch.vibratoDelay) / 0.3f) * patch.vibratoCents;
      cents += depth * SineWave(t * patch.vibratoHz);
    }
    if (patch.pitchDropSemis != 0.0f) {
      cents += 100.0 * patch.pitchDropSemis * std::exp(-t / patch.pitchDropTime);
    }
    const double hz = cents == 0.0 ? baseHz : baseHz * std::exp2(cents / 1200.0);
    for (int u = 0; u < unison; ++u) step[u] = hz * detune[u] / kSampleRate;
    step2 = hz * ratio2 / kSampleRate;
    const float envelopeEnd =
        patch.amp.At(t + kControlInterval * dt, gate) * velocity * patch.level;

    const std::size_t end = std::min(out.Frames(), block + kControlInterval);
    for (std::size_t i = block; i < end; ++i) {
      float left = 0.0f, right = 0.0f;
      for (int u = 0; u < unison; ++u) {
        const float s = Oscillate(patch.wave, phase[u], step[u], patch.pulseWidth);
        phase[u] += step[u];
        left += s * gainLeft[u];
        right += s * gainRight[u];
      }
      if (patch.level2 > 0.0f) {
        const float s2 = patch.level2 * 0.7071f * Oscillate(patch.wave2, phase2, step2, 0.5f);
        phase2 += step2;
        left += s2;
        right += s2;
      }
      const float mixAt = static_cast<float>(i - block) / kControlInterval;
      const float envelope = envelopeStart + (envelopeEnd - envelopeStart) * mixAt;
      out.left[i] = filterLeft.Process(SoftClip(left * patch.drive) * driveGain).low * envelope;
      out.right[i] = filterRight.Process(SoftClip(right * patch.drive) * driveGain).low * envelope;
    }
    envelopeStart = envelopeEnd;
  }
  return out;
}

}  // namespace tvx
