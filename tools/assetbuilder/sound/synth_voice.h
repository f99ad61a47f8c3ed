// SynthVoice: one note of a subtractive synthesiser, rendered to a stereo buffer.
//
// Model: up to seven unison copies of a main oscillator (detuned and spread across the stereo
// field) plus a second oscillator, summed, driven through soft saturation and a resonant
// low-pass whose cutoff follows its own decaying envelope, shaped by an ADSR amplitude
// envelope. Vibrato and a pitch drop at the start give leads and basses their character.
#pragma once

#include <cstdint>

#include "assetbuilder/sound/dsp.h"
#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

enum class Waveform { kSine, kTriangle, kSaw, kPulse };

struct SynthPatch {
  Waveform wave = Waveform::kSaw;
  int unison = 1;
  float detuneCents = 0.0f;  // spread between the outermost unison copies
  float pulseWidth = 0.5f;
  Waveform wave2 = Waveform::kSine;
  float level2 = 0.0f;
  float semitones2 = 0.0f;
  float cutoffHz = 18000.0f;
  float envelopeHz = 0.0f;  // added to the cutoff at the note start, then decays
  float filterDecay = 0.2f;
  float resonance = 0.0f;
  bool keyTrack = false;  // cutoff scales with the note's pitch (relative to middle C)
  float drive = 1.0f;
  Adsr amp;
  float vibratoCents = 0.0f;
  float vibratoHz = 5.5f;
  float vibratoDelay = 0.25f;
  float pitchDropSemis = 0.0f;  // the note starts this much higher and falls to pitch
  float pitchDropTime = 0.03f;
  float stereoWidth = 0.6f;
  float level = 0.5f;
};

// The note lasts `gate` seconds plus its release; `seed` fixes the unison start phases.
StereoBuffer RenderSynthNote(const SynthPatch& patch, double midi, float gate, float velocity,
                             std::uint32_t seed);

}  // namespace tvx
