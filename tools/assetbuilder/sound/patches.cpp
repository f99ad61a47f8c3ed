#include "assetbuilder/sound/patches.h"

namespace tvx {

SynthPatch SuperSawPad() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 5;
  p.detuneCents = 28.0f;
  p.cutoffHz = 2600.0f;
  p.resonance = 0.1f;
  p.amp = {0.35f, 1.0f, 0.85f, 0.6f};
  p.stereoWidth = 0.9f;
  p.level = 0.16f;
  return p;
}

SynthPatch WarmPad() {
  SynthPatch p;
  p.wave = Waveform::kTriangle;
  p.unison = 3;
  p.detuneCents = 14.0f;
  p.wave2 = Waveform::kSaw;
  p.level2 = 0.3f;
  p.cutoffHz = 1500.0f;
  p.amp = {0.6f, 1.5f, 0.8f, 1.0f};
  p.stereoWidth = 0.8f;
  p.level = 0.2f;
  return p;
}

SynthPatch SawBass() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 2;
  p.detuneCents = 8.0f;
  p.wave2 = Waveform::kSine;
  p.level2 = 0.6f;
  p.semitones2 = -12.0f;
  p.cutoffHz = 380.0f;
  p.envelopeHz = 1500.0f;
  p.filterDecay = 0.09f;
  p.resonance = 0.25f;
  p.drive = 1.5f;
  p.amp = {0.003f, 0.2f, 0.75f, 0.04f};
  p.stereoWidth = 0.1f;
  p.level = 0.45f;
  return p;
}

SynthPatch AcidBass() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.cutoffHz = 260.0f;
  p.envelopeHz = 2600.0f;
  p.filterDecay = 0.12f;
  p.resonance = 0.82f;
  p.drive = 2.2f;
  p.amp = {0.002f, 0.25f, 0.7f, 0.03f};
  p.stereoWidth = 0.0f;
  p.level = 0.4f;
  return p;
}

SynthPatch SubBass() {
  SynthPatch p;
  p.wave = Waveform::kSine;
  p.wave2 = Waveform::kTriangle;
  p.level2 = 0.25f;
  p.drive = 1.3f;
  p.amp = {0.005f, 0.3f, 0.8f, 0.08f};
  p.stereoWidth = 0.0f;
  p.level = 0.6f;
  return p;
}

SynthPatch FunkBass() {
  SynthPatch p;
  p.wave = Waveform::kPulse;
  p.pulseWidth = 0.35f;
  p.wave2 = Waveform::kSine;
  p.level2 = 0.7f;
  p.semitones2 = -12.0f;
  p.cutoffHz = 450.0f;
  p.envelopeHz = 2400.0f;
  p.filterDecay = 0.06f;
  p.resonance = 0.45f;
  p.drive = 1.8f;
  p.amp = {0.002f, 0.18f, 0.55f, 0.05f};
  p.pitchDropSemis = 0.4f;
  p.pitchDropTime = 0.015f;
  p.stereoWidth = 0.0f;
  p.level = 0.45f;
  return p;
}

SynthPatch PluckArp() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 2;
  p.detuneCents = 10.0f;
  p.wave2 = Waveform::kPulse;
  p.level2 = 0.4f;
  p.semitones2 = 12.0f;
  p.cutoffHz = 700.0f;
  p.envelopeHz = 3200.0f;
  p.filterDecay = 0.08f;
  p.resonance = 0.3f;
  p.keyTrack = true;
  p.amp = {0.002f, 0.16f, 0.0f, 0.08f};
  p.stereoWidth = 0.5f;
  p.level = 0.25f;
  return p;
}

SynthPatch SquareLead() {
  SynthPatch p;
  p.wave = Waveform::kPulse;
  p.pulseWidth = 0.5f;
  p.unison = 2;
  p.detuneCents = 6.0f;
  p.cutoffHz = 3200.0f;
  p.envelopeHz = 1500.0f;
  p.filterDecay = 0.2f;
  p.amp = {0.01f, 0.3f, 0.75f, 0.12f};
  p.vibratoCents = 18.0f;
  p.vibratoHz = 5.5f;
  p.stereoWidth = 0.3f;
  p.level = 0.22f;
  return p;
}

SynthPatch SawLead() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 3;
  p.detuneCents = 12.0f;
  p.cutoffHz = 3600.0f;
  p.envelopeHz = 2500.0f;
  p.filterDecay = 0.25f;
  p.resonance = 0.15f;
  p.amp = {0.01f, 0.4f, 0.8f, 0.15f};
  p.vibratoCents = 22.0f;
  p.vibratoHz = 5.8f;
  p.pitchDropSemis = -0.6f;
  p.pitchDropTime = 0.04f;
  p.stereoWidth = 0.4f;
  p.level = 0.2f;
  return p;
}

SynthPatch ElectricPiano() {
  SynthPatch p;
  p.wave = Waveform::kSine;
  p.wave2 = Waveform::kTriangle;
  p.level2 = 0.35f;
  p.semitones2 = 12.0f;
  p.cutoffHz = 2500.0f;
  p.envelopeHz = 3000.0f;
  p.filterDecay = 0.1f;
  p.drive = 1.4f;
  p.amp = {0.003f, 0.9f, 0.25f, 0.3f};
  p.vibratoCents = 6.0f;
  p.vibratoHz = 4.5f;
  p.vibratoDelay = 0.0f;
  p.stereoWidth = 0.0f;
  p.level = 0.3f;
  return p;
}

SynthPatch PowerChord() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 3;
  p.detuneCents = 16.0f;
  p.wave2 = Waveform::kPulse;
  p.level2 = 0.5f;
  p.semitones2 = -12.0f;
  p.cutoffHz = 2400.0f;
  p.envelopeHz = 1800.0f;
  p.filterDecay = 0.08f;
  p.resonance = 0.2f;
  p.drive = 5.0f;
  p.amp = {0.004f, 0.5f, 0.7f, 0.06f};
  p.stereoWidth = 0.8f;
  p.level = 0.14f;
  return p;
}

SynthPatch ChordStab() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 3;
  p.detuneCents = 18.0f;
  p.cutoffHz = 700.0f;
  p.envelopeHz = 3500.0f;
  p.filterDecay = 0.07f;
  p.resonance = 0.35f;
  p.amp = {0.002f, 0.12f, 0.0f, 0.06f};
  p.stereoWidth = 0.8f;
  p.level = 0.17f;
  return p;
}

SynthPatch BrassSwell() {
  SynthPatch p;
  p.wave = Waveform::kSaw;
  p.unison = 3;
  p.detuneCents = 10.0f;
  p.cutoffHz = 700.0f;
  p.envelopeHz = 2200.0f;
  p.filterDecay = 0.5f;
  p.drive = 1.4f;
  p.amp = {0.06f, 0.5f, 0.85f, 0.35f};
  p.vibratoCents = 10.0f;
  p.vibratoHz = 5.0f;
  p.stereoWidth = 0.6f;
  p.level = 0.17f;
  return p;
}

SynthPatch BellLead() {
  SynthPatch p;
  p.wave = Waveform::kSine;
  p.wave2 = Waveform::kTriangle;
  p.level2 = 0.3f;
  p.semitones2 = 19.0f;
  p.amp = {0.002f, 0.6f, 0.2f, 0.4f};
  p.vibratoCents = 8.0f;
  p.stereoWidth = 0.0f;
  p.level = 0.28f;
  return p;
}

}  // namespace tvx
