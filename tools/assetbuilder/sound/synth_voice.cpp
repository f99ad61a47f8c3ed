#include "assetbuilder/sound/synth_voice.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "assetbuilder/sound/dsp.h"

namespace tvx {
namespace {

constexpr int kMaxUnison = 7;
constexpr int kControlInterval = 16;  // filter coefficients are refreshed every 16 samples

float Oscillate(Waveform wave, double phase, double step, float pulseWidth, Noise& noise) {
  switch (wave) {
    case Waveform::kSine:
      return SineWave(phase);
    case Waveform::kTriangle:
      return TriangleWave(phase);
    case Waveform::kSaw:
      return SawWave(phase, step);
    case Waveform::kPulse:
      return PulseWave(phase, step, pulseWidth);
    case Waveform::kNoise:
      return noise.Next();
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

  for (std::size_t i = 0; i < out.Frames(); ++i) {
    const float t = i * dt;
    if (i % kControlInterval == 0) {
      const float cutoff =
          (patch.cutoffHz + patch.envelopeHz * std::exp(-t / patch.filterDecay) * velocity) *
          trackScale;
      filterLeft.Set(cutoff, patch.resonance);
      filterRight.Set(cutoff, patch.resonance);
    }
    double cents = 0.0;
    if (patch.vibratoCents > 0.0f && t > patch.vibratoDelay) {
      const float depth = std::min(1.0f, (t - patch.vibratoDelay) / 0.3f) * patch.vibratoCents;
      cents += depth * SineWave(t * patch.vibratoHz);
    }
    cents += 100.0 * patch.pitchDropSemis * std::exp(-t / patch.pitchDropTime);
    const double hz = baseHz * std::pow(2.0, cents / 1200.0);

    float left = 0.0f, right = 0.0f;
    for (int u = 0; u < unison; ++u) {
      const double step = hz * detune[u] / kSampleRate;
      const float s = Oscillate(patch.wave, phase[u], step, patch.pulseWidth, noise);
      phase[u] += step;
      left += s * gainLeft[u];
      right += s * gainRight[u];
    }
    if (patch.level2 > 0.0f) {
      const double step2 = hz * std::pow(2.0, patch.semitones2 / 12.0) / kSampleRate;
      const float s2 = patch.level2 * Oscillate(patch.wave2, phase2, step2, 0.5f, noise);
      phase2 += step2;
      left += s2 * 0.7071f;
      right += s2 * 0.7071f;
    }
    const float envelope = patch.amp.At(t, gate) * velocity * patch.level;
    left =
        filterLeft.Process(SoftClip(left * patch.drive) / std::max(1.0f, patch.drive * 0.7f)).low;
    right =
        filterRight.Process(SoftClip(right * patch.drive) / std::max(1.0f, patch.drive * 0.7f)).low;
    out.left[i] = left * envelope;
    out.right[i] = right * envelope;
  }
  return out;
}

}  // namespace tvx
