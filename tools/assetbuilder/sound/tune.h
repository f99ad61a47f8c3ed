// Tune: a piece of music as the sequencer plays it, in steps of a fixed grid.
//
// A tune is a tempo, a length in steps (normally sixteenth notes) and tracks: synth tracks play
// pitched notes with a patch, drum tracks play hits of one drum voice. Each track sends some of
// its signal to a shared reverb and a tempo-synced ping-pong delay. Kick drums can duck the
// synth bus (side-chain pumping). A looping tune is rendered so its end flows into its start.
#pragma once

#include <vector>

#include "assetbuilder/sound/drum_voices.h"
#include "assetbuilder/sound/synth_voice.h"

namespace tvx {

struct NoteEvent {
  int step = 0;
  int length = 1;  // in steps
  double midi = 60.0;
  float velocity = 0.8f;
};

struct TrackMix {
  float gain = 1.0f;
  float pan = 0.0f;
  float reverbSend = 0.0f;
  float delaySend = 0.0f;
};

struct SynthTrack {
  SynthPatch patch;
  std::vector<NoteEvent> notes;
  TrackMix mix;
  bool ducked = true;  // follows the side-chain
};

struct DrumTrack {
  DrumKind kind = DrumKind::kKick;
  std::vector<NoteEvent> hits;  // pitch unused
  float tune = 1.0f;
  TrackMix mix;
  bool triggersDucking = false;
};

struct Tune {
  double bpm = 120.0;
  int stepsPerBeat = 4;
  int steps = 256;
  float swing = 0.0f;  // delay of every second step, as a fraction of a step
  bool loop = true;
  float tailSeconds = 0.0f;      // a one-shot tune keeps ringing this long after its last step
  float fadeOutSeconds = 0.04f;  // and fades out over this, up to its end
  float reverbSeconds = 1.6f;    // decay time of the shared reverb
  float reverbReturn = 0.3f;
  float delaySteps = 3.0f;
  float delayFeedback = 0.35f;
  float delayReturn = 0.35f;
  float duckDepth = 0.0f;  // 0 = no pumping
  std::vector<SynthTrack> synths;
  std::vector<DrumTrack> drums;

  double StepSeconds() const { return 60.0 / bpm / stepsPerBeat; }
};

// The mixed tune at 44100 Hz, normalised to -1 dBFS peak; a loop's length is exactly its steps.
StereoBuffer RenderTune(const Tune& tune);

}  // namespace tvx
