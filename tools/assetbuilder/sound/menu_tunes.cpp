// The named tunes of the title, level intro, game-over and ranking screens.
#include "assetbuilder/sound/music_tunes.h"
#include "assetbuilder/sound/patches.h"
#include "assetbuilder/sound/pattern_notation.h"

namespace tvx {

Tune MonolithTitleTune() {
  Tune tune;
  tune.bpm = 100.0;
  tune.reverbSeconds = 2.8f;
  tune.reverbReturn = 0.4f;
  tune.duckDepth = 0.25f;
  const Progression chords = MakeProgression("Dm Bb F C Dm Bb F C Dm Bb F C Dm Bb F C", 16);
  const char* themeA =
      "D5 - - - - - - - A4 - - - D5 - E5 - | F5 - - - - - - - E5 - D5 - - - - - |"
      "C5 - - - - - - - A4 - - - C5 - D5 - | E5 - - - - - - - G4 - - - - - - - |";
  const char* themeB =
      "A5 - - - - - G5 - F5 - - - E5 - D5 - | D5 - - - - - - - F5 - - - A5 - - - |"
      "C6 - - - - - A5 - G5 - - - F5 - - - | E5 - - - - - - - - - - - . . . . |";
  std::vector<NoteEvent> theme;
  Append(theme, Melody(themeA), 64);
  Append(theme, Melody(themeB), 128);
  Append(theme, Melody(themeA), 192);
  // The second section turns to G minor and climbs back to the home chord, with a new theme.
  const Progression bridge = MakeProgression("Gm Bb F C Gm Bb A A Dm Bb C A", 16);
  const char* themeC =
      "G5 - - - - - Bb5 - A5 - - - G5 - F5 - | F5 - - - - - - - D5 - - - F5 - - - |"
      "A5 - - - - - G5 - F5 - - - E5 - C5 - | E5 - - - - - - - G5 - - - - - - - |"
      "Bb5 - - - - - A5 - G5 - - - D5 - G5 - | F5 - - - E5 - - - C#5 - - - E5 - - - |"
      "A5 - - - - - - - . . . . A4 - C#5 - | E5 - - - - - - - . . . . . . . . |"
      "F5 - - - - - E5 - D5 - - - A4 - D5 - | F5 - - - - - E5 - D5 - - - F5 - - - |"
      "E5 - - - - - - - G5 - - - - - - - | C#5 - - - - - - - E5 - - - A5 - - - |";
  Append(theme, Melody(themeC), 256);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits("X.......x.x....."), 16, 16),
       .mix = {.gain = 1.0f, .reverbSend = 0.1f},
       .triggersDucking = true},
      {.kind = DrumKind::kSnare,
       .hits = Repeat(Hits("........X......."), 16, 16),
       .mix = {.gain = 0.8f, .reverbSend = 0.6f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits("x.o.x.o.x.o.x.oo"), 16, 16),
       .mix = {.gain = 0.25f, .pan = 0.3f}},
      {.kind = DrumKind::kTom,
       .hits = Repeat(Hits("............XxxX", 48), 64, 4),
       .tune = 0.9f,
       .mix = {.gain = 0.7f, .pan = -0.2f, .reverbSend = 0.4f}},
      {.kind = DrumKind::kCrash,
       .hits = Repeat(Hits("X"), 64, 4),
       .mix = {.gain = 0.3f, .reverbSend = 0.3f}},
  };
  Append(tune.drums[0].hits, Repeat(Hits("X.....x.X......."), 16, 12), 256);
  Append(tune.drums[1].hits, Repeat(Hits("....X.......X..."), 16, 12), 256);
  Append(tune.drums[2].hits, Repeat(Hits("x.x.x.x.x.x.x.xo"), 16, 12), 256);
  Append(tune.drums[3].hits, Repeat(Hits("............XxxX", 48), 64, 3), 256);
  Append(tune.drums[4].hits, Repeat(Hits("X"), 64, 3), 256);
  std::vector<NoteEvent> bass = BassNotes(chords, 1, "R-------r---o-r-");
  Append(bass, BassNotes(bridge, 1, "R---r---R---o---"), 256);
  std::vector<NoteEvent> pad = PadNotes(chords, 3, 0.75f);
  Append(pad, PadNotes(bridge, 3, 0.75f), 256);
  std::vector<NoteEvent> arp = ArpNotes(chords, 4, {0, 2, 1, 2, 3, 2, 1, 2}, 2, 2, 0.6f);
  Append(arp, ArpNotes(bridge, 4, {0, 1, 2, 3, 2, 1}, 1, 1, 0.55f), 256);
  tune.steps = 256 + 12 * 16;
  tune.synths = {
      {.patch = SubBass(), .notes = bass, .mix = {.gain = 0.8f}},
      {.patch = SuperSawPad(), .notes = pad, .mix = {.gain = 0.7f, .reverbSend = 0.5f}},
      {.patch = PluckArp(),
       .notes = arp,
       .mix = {.gain = 0.5f, .pan = 0.25f, .reverbSend = 0.3f, .delaySend = 0.45f}},
      {.patch = BrassSwell(),
       .notes = theme,
       .mix = {.gain = 2.6f, .pan = -0.05f, .reverbSend = 0.45f, .delaySend = 0.15f},
       .ducked = false},
      {.patch = BellLead(),
       .notes = Transposed(theme, 12.0),
       .mix = {.gain = 0.35f, .pan = 0.2f, .reverbSend = 0.5f, .delaySend = 0.3f},
       .ducked = false},
  };
  return tune;
}

Tune NextLevelSting() {
  // A rising run, two pushes (Bb, C) and a D major with a cymbal that fades out before the
  // level intro ends and stops it: "get ready".
  Tune tune;
  tune.bpm = 150.0;
  tune.steps = 12;
  tune.loop = false;
  tune.tailSeconds = 0.1f;
  tune.fadeOutSeconds = 0.35f;
  tune.reverbSeconds = 1.2f;
  tune.reverbReturn = 0.35f;
  const Progression pushes = MakeProgression("Bb C D", 4);
  std::vector<NoteEvent> brass = StabNotes(pushes, 4, "X--.");
  for (NoteEvent& e : brass) {
    if (e.step == 8) e.length = 4;
  }
  tune.drums = {
      {.kind = DrumKind::kSnare,
       .hits = Hits("oxoxxxxX"),
       .mix = {.gain = 0.6f, .reverbSend = 0.3f}},
      {.kind = DrumKind::kKick, .hits = Hits("X...X...X..."), .mix = {.gain = 1.0f}},
      {.kind = DrumKind::kCrash,
       .hits = Hits("........X"),
       .mix = {.gain = 0.5f, .reverbSend = 0.3f}},
      {.kind = DrumKind::kTom, .hits = Hits("X...X..."), .tune = 0.8f, .mix = {.gain = 0.6f}},
  };
  tune.synths = {
      {.patch = BrassSwell(), .notes = brass, .mix = {.gain = 1.0f, .reverbSend = 0.4f}},
      {.patch = PluckArp(),
       .notes = Melody("Bb4 D5 F5 Bb5 C5 E5 G5 C6 D6 - - -"),
       .mix = {.gain = 0.6f, .pan = 0.2f, .reverbSend = 0.3f, .delaySend = 0.4f}},
      {.patch = SawBass(), .notes = Melody("Bb1 - - . C2 - - . D2 - - -"), .mix = {.gain = 0.9f}},
      {.patch = SawLead(),
       .notes = Melody("D5 - - . E5 - - . F#5 - - -"),
       .mix = {.gain = 0.7f, .reverbSend = 0.3f, .delaySend = 0.2f}},
  };
  return tune;
}

Tune AftermathTune() {
  // A lament in A minor, then a second section that finds C major before it sinks back.
  Tune tune;
  tune.bpm = 76.0;
  tune.steps = 22 * 16;
  tune.reverbSeconds = 3.0f;
  tune.reverbReturn = 0.45f;
  tune.delaySteps = 6.0f;
  const Progression chords =
      MakeProgression("Am Em F C Dm Am E E F G C Am F G E E Dm G C F Dm E", 16);
  std::vector<NoteEvent> melody = Melody(
      "E5 - - - - - - - D5 - C5 - - - - - | B4 - - - - - - - - - - - G4 - - - |"
      "A4 - - - C5 - - - F5 - - - E5 - - - | E5 - - - - - - - D5 - - - C5 - - - |"
      "D5 - - - F5 - - - A5 - - - G5 - F5 - | E5 - - - - - - - C5 - - - A4 - - - |"
      "B4 - - - - - - - G#4 - - - - - - - | E4 - - - - - - - . . . . . . . . |");
  Append(melody,
         Melody("A4 - - - C5 - F5 - - - E5 - D5 - C5 - | D5 - - - - - B4 - G4 - - - B4 - D5 - |"
                "E5 - - - - - - - G5 - - - E5 - C5 - | C5 - - - - - - - A4 - - - . . . . |"
                "A4 - - - - - C5 - F5 - - - A5 - - - | G5 - - - - - F5 - D5 - - - B4 - - - |"
                "G#4 - - - B4 - - - E5 - - - D5 - - - | C5 - - - - - - - B4 - A4 - - - - - |"
                "D5 - - - F5 - - - A5 - - - F5 - - - | D5 - - - G5 - - - B5 - - - G5 - - - |"
                "E5 - - - - - - - C5 - - - G4 - - - | F5 - - - - - - - A5 - - - C6 - - - |"
                "B5 - - - - - - - A5 - - - F5 - - - | G#5 - - - - - - - E5 - - - . . . . |"),
         128);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits("x.........x....."), 16, 22),
       .mix = {.gain = 0.8f}},
      {.kind = DrumKind::kRim,
       .hits = Repeat(Hits("........x......."), 16, 22),
       .mix = {.gain = 0.5f, .pan = 0.2f, .reverbSend = 0.5f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits("..o...o...o...o."), 16, 8),
       .mix = {.gain = 0.2f, .pan = -0.3f}},
  };
  Append(tune.drums[2].hits, Repeat(Hits("o.o.o.o.o.o.o.oo"), 16, 14), 128);
  tune.synths = {
      {.patch = SubBass(),
       .notes = BassNotes(chords, 1, "R-------r-------"),
       .mix = {.gain = 0.7f}},
      {.patch = ElectricPiano(),
       .notes = StabNotes(chords, 3, "X-----x---x-----"),
       .mix = {.gain = 0.55f, .pan = -0.15f, .reverbSend = 0.4f}},
      {.patch = WarmPad(),
       .notes = PadNotes(chords, 3, 0.6f),
       .mix = {.gain = 0.55f, .reverbSend = 0.4f}},
      {.patch = BellLead(),
       .notes = melody,
       .mix = {.gain = 2.0f, .pan = 0.15f, .reverbSend = 0.5f, .delaySend = 0.35f}},
  };
  return tune;
}

Tune FrequencyTune() {
  Tune tune;
  tune.bpm = 108.0;
  tune.steps = 256;
  tune.swing = 0.18f;
  tune.reverbSeconds = 1.5f;
  tune.duckDepth = 0.2f;
  const Progression chords =
      MakeProgression("Dm7 G7 Cmaj7 Am7 Dm7 G7 Cmaj7 Am7 Dm7 G7 Cmaj7 Am7 Dm7 G7 Cmaj7 Am7", 16);
  const auto hook = Melody(
      "A4 - C5 - D5 - F5 - - - E5 - D5 - C5 - | D5 - - - - - B4 - - - G4 - - - - - |"
      "E5 - G5 - B5 - - - A5 - G5 - E5 - - - | C5 - - - - - - - . . A4 - C5 - E5 - |");
  std::vector<NoteEvent> lead;
  Append(lead, hook, 128);
  Append(lead, Transposed(hook, 12.0), 192);
  // The second section: a turn to F with a call-and-answer line, back through E7 to Dm7.
  const Progression turn =
      MakeProgression("Fmaj7 Em7 Dm7 Cmaj7 Fmaj7 Em7 Am7 Am7 Bb7 Am7 G7 E7", 16);
  Append(lead,
         Melody("C5 - A4 - C5 - E5 - - - . . . . . . | B4 - G4 - B4 - D5 - - - . . . . . . |"
                "A4 - F4 - A4 - C5 - D5 - E5 - F5 - - - | E5 - - - - - - - . . G4 - B4 - C5 - |"
                "C5 - A4 - C5 - E5 - - - F5 - E5 - - - | D5 - B4 - D5 - G5 - - - . . . . . . |"
                "C5 - - - E5 - - - A5 - - - G5 - E5 - | A5 - - - - - - - . . . . . . . . |"
                "F5 - - - D5 - Bb4 - - - . . D5 - F5 - | E5 - - - C5 - A4 - - - . . C5 - E5 - |"
                "D5 - - - B4 - G4 - B4 - D5 - F5 - - - | G#5 - - - - - - - E5 - - - D5 - - - |"),
         256);
  tune.drums = {
      {.kind = DrumKind::kKick,
       .hits = Repeat(Hits("X..x..x...x..x.."), 16, 16),
       .mix = {.gain = 0.95f},
       .triggersDucking = true},
      {.kind = DrumKind::kClap,
       .hits = Repeat(Hits("....x.......x..."), 16, 16),
       .mix = {.gain = 0.55f, .reverbSend = 0.3f}},
      {.kind = DrumKind::kClosedHat,
       .hits = Repeat(Hits("xoxxxoxxxoxxxoxo"), 16, 16),
       .mix = {.gain = 0.25f, .pan = 0.35f}},
      {.kind = DrumKind::kOpenHat,
       .hits = Repeat(Hits("..............x."), 16, 16),
       .mix = {.gain = 0.2f, .pan = -0.3f}},
  };
  Append(tune.drums[0].hits, Repeat(Hits("X.....x...x....."), 16, 12), 256);
  Append(tune.drums[1].hits, Repeat(Hits("....x.......x..x"), 16, 12), 256);
  Append(tune.drums[2].hits, Repeat(Hits("x.xox.xox.xox.xo"), 16, 12), 256);
  Append(tune.drums[3].hits, Repeat(Hits("......x.......x."), 16, 12), 256);
  std::vector<NoteEvent> bass = BassNotes(chords, 1, "R..r..o.r.fr.o.r");
  Append(bass, BassNotes(turn, 1, "R.r...o.R...r.o."), 256);
  std::vector<NoteEvent> keys = StabNotes(chords, 4, "..x-..x...x-.x..");
  Append(keys, StabNotes(turn, 4, "x-..x-..x-..x-.."), 256);
  std::vector<NoteEvent> pad = PadNotes(chords, 3, 0.5f);
  Append(pad, PadNotes(turn, 3, 0.5f), 256);
  tune.steps = 256 + 12 * 16;
  tune.synths = {
      {.patch = FunkBass(), .notes = bass, .mix = {.gain = 0.85f}},
      {.patch = ElectricPiano(),
       .notes = keys,
       .mix = {.gain = 0.5f, .pan = -0.25f, .reverbSend = 0.3f, .delaySend = 0.2f}},
      {.patch = WarmPad(), .notes = pad, .mix = {.gain = 0.4f, .reverbSend = 0.3f}},
      {.patch = SquareLead(),
       .notes = lead,
       .mix = {.gain = 2.0f, .pan = 0.2f, .reverbSend = 0.3f, .delaySend = 0.35f},
       .ducked = false},
  };
  return tune;
}

}  // namespace tvx
