// The level tunes that are streamed as OGG.
#include "assetbuilder/sound/music_tunes.h"
#include "assetbuilder/sound/patches.h"
#include "assetbuilder/sound/pattern_notation.h"

namespace tvx {

Tune NeonHighwayTune() {
  Tune tune;
  tune.bpm = 112.0;
  tune.steps = 256;
  tune.duckDepth = 0.45f;
  tune.reverbSeconds = 2.2f;
  const Progression chords = MakeProgression("Am F C G Am F C G Am F C G Am F C G", 16);
  const auto lead = Melody(
      "A4 - - C5 - - E5 - D5 - C5 - D5 - E5 - | C5 - - - - - A4 - G4 - A4 - C5 - - - |"
      "G4 - - E4 - - G4 - C5 - D5 - E5 - - - | D5 - - - - - B4 - G4 - - - . . . . |"
      "A4 - - C5 - - E5 - A5 - G5 - E5 - - - | F5 - - E5 - - C5 - A4 - C5 - F5 - E5 - |"
      "E5 - - D5 - - C5 - G4 - C5 - E5 - - - | D5 - - - B4 - - - D5 - - - G5 - - - |",
      128);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits("X...x...x...x..."), 16, 16),
       .mix = {.gain = 1.0f},
       .triggersDucking = true},
      {.kind = DrumKind::kSnare,
       .hits = Repeat(Hits("....X.......X..."), 16, 16),
       .mix = {.gain = 0.7f, .reverbSend = 0.5f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits("o.x.o.x.o.x.o.xo"), 16, 16),
       .mix = {.gain = 0.3f, .pan = 0.3f}},
      {.kind = DrumKind::kCrash,
       .hits = Repeat(Hits("X"), 64, 4),
       .mix = {.gain = 0.25f, .pan = -0.3f}},
  };
  tune.synths = {
      {.patch = SawBass(),
       .notes = BassNotes(chords, 2, "R.ro R.ro R.ro R.or"),
       .mix = {.gain = 0.9f}},
      {.patch = SuperSawPad(),
       .notes = PadNotes(chords, 3, 0.7f),
       .mix = {.gain = 0.7f, .reverbSend = 0.4f}},
      {.patch = PluckArp(),
       .notes = ArpNotes(chords, 4, {0, 1, 2, 3, 2, 1}, 1, 1, 0.7f),
       .mix = {.gain = 0.5f, .pan = -0.2f, .reverbSend = 0.2f, .delaySend = 0.4f}},
      {.patch = SawLead(),
       .notes = lead,
       .mix = {.gain = 0.8f, .pan = 0.1f, .reverbSend = 0.3f, .delaySend = 0.3f},
       .ducked = false},
  };
  return tune;
}

Tune OverdriveTune() {
  Tune tune;
  tune.bpm = 132.0;
  tune.steps = 256;
  tune.reverbSeconds = 1.2f;
  tune.reverbReturn = 0.2f;
  const Progression chords = MakeProgression("E5 E5 C5 D5 E5 E5 C5 D5 E5 E5 C5 D5 E5 E5 C5 D5", 16);
  const auto riff = Melody(
      "E5 - G5 - A5 - B5 - - - A5 - G5 - E5 - | D5 - E5 - - - - - B4 - D5 - E5 - - - |"
      "C5 - - - E5 - G5 - - - E5 - C5 - B4 - | D5 - - - F#5 - A5 - - - F#5 - D5 - - - |"
      "B5 - - - A5 - G5 - A5 - B5 - - - E6 - | D6 - B5 - - - A5 - G5 - - - E5 - - - |"
      "G5 - - - E5 - G5 - C6 - - - B5 - G5 - | A5 - - - F#5 - - - D5 - E5 - F#5 - - - |",
      128);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits("X.....x.x.....x."), 16, 16),
       .mix = {.gain = 1.0f}},
      {.kind = DrumKind::kSnare,
       .hits = Repeat(Hits("....X.......X..o"), 16, 16),
       .mix = {.gain = 0.85f, .reverbSend = 0.35f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits("x.x.x.x.x.x.x.x."), 16, 16),
       .mix = {.gain = 0.35f, .pan = 0.35f}},
      {.kind = DrumKind::kCrash,
       .hits = Repeat(Hits("X"), 32, 8),
       .mix = {.gain = 0.3f, .pan = -0.35f}},
      {.kind = DrumKind::kTom,
       .hits = Repeat(Hits("........ ....xxXX", 48), 64, 4),
       .tune = 1.3f,
       .mix = {.gain = 0.6f, .pan = 0.2f, .reverbSend = 0.2f}},
  };
  tune.synths = {
      {.patch = SawBass(),
       .notes = BassNotes(chords, 1, "R-r-r-r-R-r-r-rr"),
       .mix = {.gain = 0.9f}},
      {.patch = PowerChord(),
       .notes = StabNotes(chords, 2, "X-x-x-x-X-x-x-xx"),
       .mix = {.gain = 0.55f, .pan = -0.4f, .reverbSend = 0.1f}},
      {.patch = PowerChord(),
       .notes = Transposed(StabNotes(chords, 2, "X-x-x-x-X-x-x-xx"), 0.08),
       .mix = {.gain = 0.55f, .pan = 0.4f, .reverbSend = 0.1f}},
      {.patch = SawLead(),
       .notes = riff,
       .mix = {.gain = 1.0f, .reverbSend = 0.3f, .delaySend = 0.25f}},
  };
  return tune;
}

Tune AcidFactoryTune() {
  Tune tune;
  tune.bpm = 130.0;
  tune.steps = 256;
  tune.duckDepth = 0.35f;
  tune.delaySteps = 3.0f;
  tune.delayFeedback = 0.45f;
  const auto acidBar = Melody("A2 . A3> A2 C3 . A2 G3> A2 A2 . E3 A3> . G2 C3");
  // The acid filter opens and closes over the four sections, as a hand on the cutoff would.
  static constexpr float kCutoffs[] = {220.0f, 420.0f, 760.0f, 480.0f};
  static constexpr double kRoots[] = {0.0, 0.0, -4.0, -2.0};
  const Progression chords = MakeProgression("Am Am Am Am Am Am Am Am F F F F G G G G", 16);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits("X...x...x...x..."), 16, 16),
       .mix = {.gain = 1.0f},
       .triggersDucking = true},
      {.kind = DrumKind::kClap,
       .hits = Repeat(Hits("....x.......x..."), 16, 16),
       .mix = {.gain = 0.6f, .reverbSend = 0.4f}},
      {.kind = DrumKind::kOpenHat,
       .hits = Repeat(Hits("..x...x...x...x."), 16, 16),
       .mix = {.gain = 0.3f, .pan = -0.25f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits("xoxoxoxoxoxoxoxx"), 16, 16),
       .mix = {.gain = 0.22f, .pan = 0.3f}},
      {.kind = DrumKind::kRim,
       .hits = Repeat(Hits("...x..x.....x..x", 128), 16, 8),
       .mix = {.gain = 0.3f, .pan = 0.5f, .delaySend = 0.5f}},
  };
  for (int section = 0; section < 4; ++section) {
    SynthPatch acid = AcidBass();
    acid.cutoffHz = kCutoffs[section];
    std::vector<NoteEvent> notes;
    Append(notes, Repeat(Transposed(acidBar, kRoots[section]), 16, 4), section * 64);
    tune.synths.push_back(
        {.patch = acid, .notes = notes, .mix = {.gain = 0.8f, .delaySend = 0.15f}});
  }
  std::vector<NoteEvent> stabs = StabNotes(chords, 4, "..x...x. ..x..x..");
  tune.synths.push_back(
      {.patch = ChordStab(),
       .notes = stabs,
       .mix = {.gain = 0.6f, .pan = 0.15f, .reverbSend = 0.3f, .delaySend = 0.4f}});
  tune.synths.push_back(
      {.patch = SubBass(), .notes = BassNotes(chords, 1, "R-------"), .mix = {.gain = 0.5f}});
  return tune;
}

}  // namespace tvx
