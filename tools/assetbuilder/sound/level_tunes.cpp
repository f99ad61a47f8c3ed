// The level tunes that are streamed as OGG. Each plays a verse and then a second section with
// its own chords, groove and melody before it comes round again.
#include "assetbuilder/sound/music_tunes.h"
#include "assetbuilder/sound/patches.h"
#include "assetbuilder/sound/pattern_notation.h"

namespace tvx {
namespace {

// What changes from one section of a tune to the next; the sounds and the mix stay.
struct Section {
  int bars = 16;
  const char* chords = "";
  const char* kick = "";
  const char* snare = "";
  const char* hats = "";
  const char* bass = "";
  std::vector<NoteEvent> lead;
};

Tune NeonHighwaySection(const Section& s) {
  Tune tune;
  tune.bpm = 112.0;
  tune.steps = s.bars * 16;
  tune.duckDepth = 0.45f;
  tune.reverbSeconds = 2.2f;
  const Progression chords = MakeProgression(s.chords, 16);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits(s.kick), 16, s.bars),
       .mix = {.gain = 1.0f},
       .triggersDucking = true},
      {.kind = DrumKind::kSnare,
       .hits = Repeat(Hits(s.snare), 16, s.bars),
       .mix = {.gain = 0.7f, .reverbSend = 0.5f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits(s.hats), 16, s.bars),
       .mix = {.gain = 0.3f, .pan = 0.3f}},
      {.kind = DrumKind::kCrash,
       .hits = Repeat(Hits("X"), 64, s.bars / 4),
       .mix = {.gain = 0.25f, .pan = -0.3f}},
  };
  tune.synths = {
      {.patch = SawBass(), .notes = BassNotes(chords, 2, s.bass), .mix = {.gain = 0.9f}},
      {.patch = SuperSawPad(),
       .notes = PadNotes(chords, 3, 0.7f),
       .mix = {.gain = 0.6f, .reverbSend = 0.4f}},
      {.patch = PluckArp(),
       .notes = ArpNotes(chords, 4, {0, 1, 2, 3, 2, 1}, 1, 1, 0.7f),
       .mix = {.gain = 0.45f, .pan = -0.2f, .reverbSend = 0.2f, .delaySend = 0.4f}},
      {.patch = SawLead(),
       .notes = s.lead,
       .mix = {.gain = 3.2f, .pan = 0.1f, .reverbSend = 0.3f, .delaySend = 0.3f},
       .ducked = false},
  };
  return tune;
}

Tune OverdriveSection(const Section& s) {
  Tune tune;
  tune.bpm = 132.0;
  tune.steps = s.bars * 16;
  tune.reverbSeconds = 1.2f;
  tune.reverbReturn = 0.2f;
  const Progression chords = MakeProgression(s.chords, 16);
  tune.drums = {
      {.kind = DrumKind::kKick, .hits = Repeat(Hits(s.kick), 16, s.bars), .mix = {.gain = 1.0f}},
      {.kind = DrumKind::kSnare,
       .hits = Repeat(Hits(s.snare), 16, s.bars),
       .mix = {.gain = 0.85f, .reverbSend = 0.35f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits(s.hats), 16, s.bars),
       .mix = {.gain = 0.35f, .pan = 0.35f}},
      {.kind = DrumKind::kCrash,
       .hits = Repeat(Hits("X"), 32, s.bars / 2),
       .mix = {.gain = 0.3f, .pan = -0.35f}},
      {.kind = DrumKind::kTom,
       .hits = Repeat(Hits("........ ....xxXX", 48), 64, s.bars / 4),
       .tune = 1.3f,
       .mix = {.gain = 0.6f, .pan = 0.2f, .reverbSend = 0.2f}},
  };
  tune.synths = {
      {.patch = SawBass(), .notes = BassNotes(chords, 1, s.bass), .mix = {.gain = 0.9f}},
      {.patch = PowerChord(),
       .notes = StabNotes(chords, 2, "X-x-x-x-X-x-x-xx"),
       .mix = {.gain = 0.5f, .pan = -0.4f, .reverbSend = 0.1f}},
      {.patch = PowerChord(),
       .notes = Transposed(StabNotes(chords, 2, "X-x-x-x-X-x-x-xx"), 0.08),
       .mix = {.gain = 0.5f, .pan = 0.4f, .reverbSend = 0.1f}},
      {.patch = SawLead(),
       .notes = s.lead,
       .mix = {.gain = 3.5f, .reverbSend = 0.3f, .delaySend = 0.25f}},
  };
  return tune;
}

Tune AcidFactorySection(const Section& s, const char* acidBar, const float (&cutoffs)[4],
                        const double (&roots)[4]) {
  Tune tune;
  tune.bpm = 130.0;
  tune.steps = s.bars * 16;
  tune.duckDepth = 0.35f;
  tune.delaySteps = 3.0f;
  tune.delayFeedback = 0.45f;
  const Progression chords = MakeProgression(s.chords, 16);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits(s.kick), 16, s.bars),
       .mix = {.gain = 1.0f},
       .triggersDucking = true},
      {.kind = DrumKind::kClap,
       .hits = Repeat(Hits(s.snare), 16, s.bars),
       .mix = {.gain = 0.6f, .reverbSend = 0.4f}},
      {.kind = DrumKind::kOpenHat,
       .hits = Repeat(Hits("..x...x...x...x."), 16, s.bars),
       .mix = {.gain = 0.3f, .pan = -0.25f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits(s.hats), 16, s.bars),
       .mix = {.gain = 0.22f, .pan = 0.3f}},
      {.kind = DrumKind::kRim,
       .hits = Repeat(Hits("...x..x.....x..x"), 16, s.bars),
       .mix = {.gain = 0.3f, .pan = 0.5f, .delaySend = 0.5f}},
  };
  // The acid filter opens and closes over the quarters of a section, as a hand on the cutoff
  // would, and the line follows the roots.
  const int quarter = s.bars * 4;
  for (int q = 0; q < 4; ++q) {
    SynthPatch acid = AcidBass();
    acid.cutoffHz = cutoffs[q];
    std::vector<NoteEvent> notes;
    Append(notes, Repeat(Transposed(Melody(acidBar), roots[q]), 16, s.bars / 4), q * quarter);
    tune.synths.push_back(
        {.patch = acid, .notes = notes, .mix = {.gain = 0.75f, .delaySend = 0.15f}});
  }
  tune.synths.push_back(
      {.patch = ChordStab(),
       .notes = StabNotes(chords, 4, "..x...x. ..x..x.."),
       .mix = {.gain = 0.55f, .pan = 0.15f, .reverbSend = 0.3f, .delaySend = 0.4f}});
  tune.synths.push_back(
      {.patch = SubBass(), .notes = BassNotes(chords, 1, s.bass), .mix = {.gain = 0.5f}});
  tune.synths.push_back(
      {.patch = SquareLead(),
       .notes = s.lead,
       .mix = {.gain = 2.8f, .pan = -0.1f, .reverbSend = 0.3f, .delaySend = 0.35f},
       .ducked = false});
  return tune;
}

}  // namespace

Tune NeonHighwayTune() {
  // Verse: the groove alone, then the lead. Second section: a half-time lift in D minor.
  Tune tune = NeonHighwaySection(
      {.chords = "Am F C G Am F C G Am F C G Am F C G",
       .kick = "X...x...x...x...",
       .snare = "....X.......X...",
       .hats = "o.x.o.x.o.x.o.xo",
       .bass = "R.ro R.ro R.ro R.or",
       .lead =
           Melody("A4 - - C5 - - E5 - D5 - C5 - D5 - E5 - | C5 - - - - - A4 - G4 - A4 - C5 - - - |"
                  "G4 - - E4 - - G4 - C5 - D5 - E5 - - - | D5 - - - - - B4 - G4 - - - . . . . |"
                  "A4 - - C5 - - E5 - A5 - G5 - E5 - - - | F5 - - E5 - - C5 - A4 - C5 - F5 - E5 - |"
                  "E5 - - D5 - - C5 - G4 - C5 - E5 - - - | D5 - - - B4 - - - D5 - - - G5 - - - |",
                  128)});
  const char* lift =
      "F5 - - - E5 - D5 - A4 - - - D5 - F5 - | E5 - - - - - C5 - A4 - - - . . . . |"
      "D5 - - - F5 - - - Bb5 - A5 - G5 - F5 - | A5 - - - - - G5 - F5 - - - C5 - - - |"
      "D5 - F5 - A5 - - - G5 - F5 - E5 - D5 - | C5 - - - E5 - - - A5 - - - . . . . |";
  std::vector<NoteEvent> lead = Melody(lift);
  Append(lead,
         Melody("G#5 - - - - - F5 - E5 - - - D5 - - - | E5 - - - - - - - B4 - - - G#4 - - - |"),
         96);
  Append(lead, Melody(lift), 128);
  Append(lead, Melody("B4 - - - D5 - - - E5 - - - G#5 - - - | A5 - - - - - - - - - - - . . . . |"),
         224);
  AppendSection(tune, NeonHighwaySection({.chords = "Dm Am Bb F Dm Am E E Dm Am Bb F Dm Am E E",
                                          .kick = "X.......X.x.....",
                                          .snare = "........X.......",
                                          .hats = "x.x.x.x.x.x.x.xx",
                                          .bass = "R-------r---o-r-",
                                          .lead = lead}));
  return tune;
}

Tune OverdriveTune() {
  // Verse on E, then a chorus that climbs through C and D to B and builds back.
  Tune tune = OverdriveSection(
      {.chords = "E5 E5 C5 D5 E5 E5 C5 D5 E5 E5 C5 D5 E5 E5 C5 D5",
       .kick = "X.....x.x.....x.",
       .snare = "....X.......X..o",
       .hats = "x.x.x.x.x.x.x.x.",
       .bass = "R-r-r-r-R-r-r-rr",
       .lead = Melody(
           "E5 - G5 - A5 - B5 - - - A5 - G5 - E5 - | D5 - E5 - - - - - B4 - D5 - E5 - - - |"
           "C5 - - - E5 - G5 - - - E5 - C5 - B4 - | D5 - - - F#5 - A5 - - - F#5 - D5 - - - |"
           "B5 - - - A5 - G5 - A5 - B5 - - - E6 - | D6 - B5 - - - A5 - G5 - - - E5 - - - |"
           "G5 - - - E5 - G5 - C6 - - - B5 - G5 - | A5 - - - F#5 - - - D5 - E5 - F#5 - - - |",
           128)});
  const char* chorus =
      "G5 - - - - - - - E5 - - - G5 - A5 - | A5 - - - - - - - F#5 - - - D5 - - - |"
      "B5 - - - - - A5 - G5 - - - F#5 - E5 - | F#5 - - - - - - - D#5 - - - B4 - - - |";
  std::vector<NoteEvent> lead;
  for (int k = 0; k < 4; ++k) Append(lead, Melody(chorus), k * 64);
  Append(lead,
         Melody("E5 - - - E5 - F#5 - G5 - - - G5 - A5 - | B5 - - - - - - - - - - - . . . . |"
                "E6 - - - D6 - B5 - A5 - - - G5 - F#5 - | D#5 - - - F#5 - - - B5 - - - . . . . |"),
         256);
  AppendSection(tune, OverdriveSection({.bars = 20,
                                        .chords = "C5 D5 B5 B5 C5 D5 B5 B5 C5 D5 B5 B5 C5 D5 "
                                                  "B5 B5 A5 A5 B5 B5",
                                        .kick = "X.x...x.X.x...x.",
                                        .snare = "....X.......X.XX",
                                        .hats = "x.xxx.xxx.xxx.xx",
                                        .bass = "R.rrR.rrR.rrR.oo",
                                        .lead = lead}));
  return tune;
}

Tune AcidFactoryTune() {
  // A lone acid line under a square-wave hook; then a second section in D minor with a new
  // line, a broken kick and a longer melody.
  static constexpr float kOpening[] = {220.0f, 420.0f, 760.0f, 480.0f};
  static constexpr double kHome[] = {0.0, 0.0, -4.0, -2.0};
  static constexpr float kSecond[] = {340.0f, 620.0f, 980.0f, 520.0f};
  static constexpr double kAway[] = {5.0, 5.0, 3.0, 0.0};
  const char* hook = "E5 - - . E5 . G5 - A5 - - - . . . . | C6 - - - B5 - A5 - G5 - E5 - . . . . |";
  std::vector<NoteEvent> openingLead;
  Append(openingLead, Repeat(Melody(hook), 32, 2), 128);
  Append(openingLead,
         Melody("F5 - - - E5 - C5 - A4 - - - C5 - F5 - | G5 - - - F5 - D5 - B4 - - - "
                "D5 - G5 - |"),
         192);
  Append(openingLead,
         Melody("F5 - - - E5 - C5 - A4 - - - C5 - F5 - | G5 - - - - - - - . . . . "
                ". . . . |"),
         224);
  Tune tune = AcidFactorySection({.chords = "Am Am Am Am Am Am Am Am F F F F G G G G",
                                  .kick = "X...x...x...x...",
                                  .snare = "....x.......x...",
                                  .hats = "xoxoxoxoxoxoxoxx",
                                  .bass = "R-------",
                                  .lead = openingLead},
                                 "A2 . A3> A2 C3 . A2 G3> A2 A2 . E3 A3> . G2 C3", kOpening, kHome);
  const char* away =
      "D5 - - - F5 - A5 - - - G5 - F5 - E5 - | D5 - - - - - - - A4 - - - . . . . |"
      "Bb4 - - - D5 - F5 - - - E5 - D5 - C5 - | D5 - - - - - - - . . . . . . . . |";
  std::vector<NoteEvent> lead;
  Append(lead, Melody(away), 64);
  Append(lead, Melody(away), 128);
  Append(lead,
         Melody("C5 - - - E5 - G5 - - - A5 - G5 - E5 - | F5 - - - - - E5 - D5 - - - C5 - - - |"
                "E5 - - - - - - - E5 - - - G#5 - - - | A5 - - - - - - - . . . . . . . . |"),
         256);
  AppendSection(tune,
                AcidFactorySection({.bars = 20,
                                    .chords = "Dm Dm Dm Dm Bb Bb C C Dm Dm Bb Bb C C Am Am "
                                              "F F E E",
                                    .kick = "X..x..x...X.x...",
                                    .snare = "....x.......x..x",
                                    .hats = "x.xox.xox.xox.xo",
                                    .bass = "R---r---",
                                    .lead = lead},
                                   "D3> . D2 D3 . F3 D2 . C3> D2 . A2 D3 . F2 G2", kSecond, kAway));
  return tune;
}

}  // namespace tvx
