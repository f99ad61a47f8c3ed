#include "assetbuilder/sound/module_tunes.h"

#include "assetbuilder/sound/pattern_notation.h"

namespace tvx {
namespace {

// Instrument numbers shared by every module tune: drums first, then the tonal parts.
enum Instrument { kKick = 1, kSnare, kHat, kOpenHat, kBass, kLead, kArp, kPad };

void AddDrumKit(ModuleTune& tune) {
  tune.instruments.push_back(DrumInstrument(DrumKind::kKick, 1.0f, "kick"));
  tune.instruments.push_back(DrumInstrument(DrumKind::kSnare, 1.0f, "snare"));
  tune.instruments.push_back(DrumInstrument(DrumKind::kClosedHat, 1.0f, "hat"));
  tune.instruments.push_back(DrumInstrument(DrumKind::kOpenHat, 1.0f, "open hat"));
}

// FastTracker envelopes: a pluck that dies away, or a tone that holds until key off.
TrackerInstrument WithDecay(TrackerInstrument instrument, int ticks) {
  instrument.envelope = {{0, 64}, {ticks / 4, 40}, {ticks, 0}};
  instrument.sustainPoint = -1;
  return instrument;
}

TrackerInstrument WithSustain(TrackerInstrument instrument, int level, int fadeOut) {
  instrument.envelope = {{0, 64}, {6, level}};
  instrument.sustainPoint = 1;
  instrument.fadeOut = fadeOut;
  return instrument;
}

// Pads need a channel per chord tone: the upper three tones of each chord, one per channel.
void AddPadChannels(ModuleTune& tune, const Progression& chords, int octave) {
  const std::vector<NoteEvent> blocks = PadNotes(chords, octave, 0.7f);
  for (int voice = 0; voice < 3; ++voice) {
    std::vector<NoteEvent> line;
    for (std::size_t c = 0; c < chords.chords.size(); ++c) {
      const std::size_t size = chords.chords[c].size();
      std::size_t first = 0;
      for (std::size_t k = 0; k < c; ++k) first += chords.chords[k].size();
      const std::size_t tone = size - 3 + static_cast<std::size_t>(voice);
      line.push_back(blocks[first + tone]);
    }
    tune.channels.push_back(ModuleNotes(tune, kPad, line));
  }
}

// What changes from one section of a module to the next.
struct ModuleSection {
  int bars = 16;
  const char* chords = "";
  const char* kick = "";
  const char* snare = "";
  const char* hats = "";
  const char* bass = "";
  std::vector<NoteEvent> lead;
};

ModuleTune PixelRushSection(const ModuleSection& s) {
  ModuleTune tune;
  tune.title = "Pixel Rush";
  tune.format = TrackerFormat::kProTracker;
  tune.bpm = 140;
  tune.steps = s.bars * 16;
  AddDrumKit(tune);
  const auto f = tune.format;
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kTriangle, 48, "triangle bass"));
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kPulse25, 72, "pulse lead"));
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kPulse12, 72, "thin arp"));
  tune.instruments[kArp - 1].sample.volume = 30;
  const Progression chords = MakeProgression(s.chords, 16);
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits(s.kick), 16, s.bars)},
                   {kSnare, Repeat(Hits(s.snare), 16, s.bars)},
                   {kHat, Repeat(Hits(s.hats), 16, s.bars)}}),
      ModuleNotes(tune, kBass, BassNotes(chords, 2, s.bass)),
      ModuleNotes(tune, kLead, s.lead),
      ModuleNotes(tune, kArp, ArpNotes(chords, 5, {0, 1, 2, 1}, 1, 1, 0.8f)),
  };
  return tune;
}

ModuleTune TurboEurobeatSection(const ModuleSection& s) {
  ModuleTune tune;
  tune.title = "Turbo Eurobeat";
  tune.format = TrackerFormat::kProTracker;
  tune.bpm = 150;
  tune.steps = s.bars * 16;
  AddDrumKit(tune);
  const auto f = tune.format;
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kSoftSaw, 48, "saw bass"));
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kSaw, 72, "saw lead"));
  tune.instruments.push_back(PluckInstrument(f, 0.5f, 4.0f, "pluck"));
  const Progression chords = MakeProgression(s.chords, 16);
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits(s.kick), 16, s.bars)},
                   {kSnare, Repeat(Hits(s.snare), 16, s.bars)},
                   {kOpenHat, Repeat(Hits(s.hats), 16, s.bars)}}),
      ModuleNotes(tune, kBass, BassNotes(chords, 2, s.bass)),
      ModuleNotes(tune, kLead, s.lead),
      ModuleNotes(tune, kArp, ArpNotes(chords, 4, {0, 1, 2, 3, 2, 1}, 2, 2, 0.8f), true),
  };
  return tune;
}

ModuleTune FunkDriveSection(const ModuleSection& s, const std::vector<NoteEvent>& bassLine) {
  ModuleTune tune;
  tune.title = "Funk Drive";
  tune.format = TrackerFormat::kFastTracker;
  tune.bpm = 104;
  tune.steps = s.bars * 16;
  AddDrumKit(tune);
  const auto f = tune.format;
  ModuleInstrument bass = PluckInstrument(f, 0.6f, 5.0f, "funk bass");
  bass.sample = WithDecay(bass.sample, 30);
  tune.instruments.push_back(bass);
  ModuleInstrument lead = ChipInstrument(f, ChipWave::kPulse50, 60, "square lead");
  lead.sample = WithSustain(lead.sample, 56, 1800);
  tune.instruments.push_back(lead);
  ModuleInstrument clav = ChipInstrument(f, ChipWave::kPulse25, 60, "clav");
  clav.sample = WithDecay(clav.sample, 8);
  clav.sample.panning = 90;
  tune.instruments.push_back(clav);
  tune.instruments.push_back(PadInstrument("string pad"));
  tune.instruments[kPad - 1].sample.panning = 160;
  const Progression chords = MakeProgression(s.chords, 16);
  std::vector<NoteEvent> echo = s.lead;
  for (NoteEvent& e : echo) e.step += 3, e.velocity *= 0.4f;
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits(s.kick), 16, s.bars)}}),
      DrumChannel({{kSnare, Repeat(Hits(s.snare), 16, s.bars)}}),
      DrumChannel({{kOpenHat, Repeat(Hits("..............x."), 16, s.bars)},
                   {kHat, Repeat(Hits(s.hats), 16, s.bars)}}),
      ModuleNotes(tune, kBass, bassLine),
      ModuleNotes(tune, kArp, ArpNotes(chords, 4, {1, 2, 3, 2}, 2, 1, 0.7f), true),
  };
  AddPadChannels(tune, chords, 3);
  tune.channels.push_back(ModuleNotes(tune, kLead, s.lead));
  tune.channels.push_back(ModuleNotes(tune, kLead, echo));
  return tune;
}

ModuleTune NightCircuitSection(const ModuleSection& s) {
  ModuleTune tune;
  tune.title = "Night Circuit";
  tune.format = TrackerFormat::kFastTracker;
  tune.bpm = 120;
  tune.steps = s.bars * 16;
  AddDrumKit(tune);
  const auto f = tune.format;
  ModuleInstrument bass = ChipInstrument(f, ChipWave::kSoftSaw, 48, "dark bass");
  bass.sample = WithSustain(bass.sample, 40, 4000);
  tune.instruments.push_back(bass);
  ModuleInstrument sawLead = ChipInstrument(f, ChipWave::kSaw, 60, "saw lead");
  sawLead.sample = WithSustain(sawLead.sample, 56, 1200);
  tune.instruments.push_back(sawLead);
  ModuleInstrument arp = ChipInstrument(f, ChipWave::kPulse12, 72, "glass arp");
  arp.sample = WithDecay(arp.sample, 10);
  arp.sample.volume = 30;
  arp.sample.panning = 80;
  tune.instruments.push_back(arp);
  tune.instruments.push_back(PadInstrument("night pad"));
  tune.instruments[kPad - 1].sample.panning = 170;
  tune.instruments[kPad - 1].sample.volume = 40;
  const Progression chords = MakeProgression(s.chords, 16);
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits(s.kick), 16, s.bars)}}),
      DrumChannel({{kSnare, Repeat(Hits(s.snare), 16, s.bars)}}),
      DrumChannel({{kHat, Repeat(Hits(s.hats), 16, s.bars)}}),
      ModuleNotes(tune, kBass, BassNotes(chords, 2, s.bass)),
      ModuleNotes(tune, kArp, ArpNotes(chords, 5, {0, 1, 2, 3, 4, 3, 2, 1}, 1, 1, 0.8f), true),
  };
  AddPadChannels(tune, chords, 4);
  tune.channels.push_back(ModuleNotes(tune, kLead, s.lead));
  return tune;
}

}  // namespace

ModuleTune PixelRushModule() {
  const char* phraseA =
      "B4 - E5 - G5 - F#5 - E5 - - - B4 - D5 - | E5 - - - C5 - - - G4 - C5 - E5 - G5 - |"
      "F#5 - G5 - F#5 - D5 - B4 - - - D5 - - - | A4 - - - F#4 - A4 - D5 - - - F#5 - - - |";
  const char* phraseB =
      "G5 - - - F#5 - E5 - B5 - - - A5 - G5 - | E5 - - - G5 - - - C6 - - - B5 - G5 - |"
      "D6 - - - B5 - G5 - D5 - G5 - B5 - D6 - | A5 - - - F#5 - D5 - A4 - - - . . . . |";
  std::vector<NoteEvent> lead;
  Append(lead, Melody(phraseA), 64);
  Append(lead, Melody(phraseB), 128);
  Append(lead, Melody(phraseA), 192);
  ModuleTune tune = PixelRushSection({.chords = "Em C G D Em C G D Em C G D Em C G D",
                                      .kick = "X...x...X...x...",
                                      .snare = "....X.......X...",
                                      .hats = "..x...x...x...xo",
                                      .bass = "R-o-r-o-R-o-r-oo",
                                      .lead = lead});
  // The second section: a climb from A minor to B major, a busier beat, a new tune on top.
  const char* climb =
      "A5 - - - G5 - E5 - C5 - E5 - A5 - - - | B5 - - - A5 - G5 - D5 - - - G5 - - - |"
      "G5 - - - E5 - C5 - E5 - G5 - C6 - - - | B5 - - - - - A5 - F#5 - - - D#5 - - - |";
  std::vector<NoteEvent> second;
  for (int k = 0; k < 4; ++k) Append(second, Melody(climb), k * 64);
  Append(second,
         Melody("E5 - G5 - B5 - E6 - - - D6 - B5 - - - | C6 - - - - - A5 - B5 - - - - - - - |"
                "E5 - G5 - B5 - E6 - - - F#6 - D#6 - - - | E6 - - - - - - - . . . . . . . . |"),
         256);
  AppendModuleSection(tune, PixelRushSection({.bars = 20,
                                              .chords = "Am G C B Am G C B Am G C B Am G C B "
                                                        "C D B B",
                                              .kick = "X.x.x...X.x.x...",
                                              .snare = "....X..x....X.xx",
                                              .hats = "x.x.x.x.x.x.x.xx",
                                              .bass = "R.r.o.r.R.r.o.ro",
                                              .lead = second}));
  return tune;
}

ModuleTune TurboEurobeatModule() {
  const char* phraseA =
      "A5 - - - G5 - A5 - - - C6 - - - A5 - | G5 - - - F5 - G5 - - - B5 - - - G5 - |"
      "E5 - - - D5 - E5 - G5 - - - B5 - - - | A5 - - - - - - - E5 - - - A5 - B5 - |";
  const char* phraseB =
      "C6 - - - B5 - A5 - - - F5 - - - A5 - | B5 - - - A5 - G5 - - - D5 - - - G5 - |"
      "E6 - - - D6 - B5 - - - G5 - - - E5 - | A5 - - - - - - - - - - - . . . . |";
  std::vector<NoteEvent> lead;
  Append(lead, Melody(phraseA), 64);
  Append(lead, Melody(phraseB), 128);
  Append(lead, Melody(phraseA), 192);
  ModuleTune tune = TurboEurobeatSection({.chords = "F G Em Am F G Em Am F G Em Am F G Em Am",
                                          .kick = "X...x...x...x...",
                                          .snare = "....x.......x...",
                                          .hats = "..x...x...x...x.",
                                          .bass = "RoroRororoRororo",
                                          .lead = lead});
  // The chorus: up to C major, a faster hook, and a key-change lift for its last eight bars.
  const char* chorus =
      "E6 - - - D6 - C6 - - - G5 - C6 - D6 - | D6 - - - C6 - B5 - - - G5 - B5 - D6 - |"
      "C6 - - - B5 - A5 - - - E5 - A5 - B5 - | B5 - - - A5 - G#5 - - - E5 - - - - - |";
  std::vector<NoteEvent> second;
  for (int k = 0; k < 4; ++k) Append(second, Melody(chorus), k * 64);
  Append(second, Transposed(Melody(chorus), 2.0), 256);
  Append(second, Transposed(Melody(chorus), 2.0), 320);
  AppendModuleSection(tune, TurboEurobeatSection({.bars = 24,
                                                  .chords = "C G Am E C G Am E C G Am E C G Am E "
                                                            "D A Bm F# D A Bm F#",
                                                  .kick = "X...x...x...x...",
                                                  .snare = "....x.......x.x.",
                                                  .hats = "x.x.x.x.x.x.x.x.",
                                                  .bass = "RoRoRoRoRoRoRoro",
                                                  .lead = second}));
  return tune;
}

ModuleTune FunkDriveModule() {
  const auto bassLine = Melody(
      "E2> . . E3 . . E2 - G2 . A2 . B2 . D3 E3 | A1> . . A2 . . A1 - C#2 . E2 . G2 . E2 G2 |"
      "E2> . . E3 . . E2 - G2 . A2 . B2 . D3 E3 | A1> . . A2 . . A1 - C#2 . E2 . G2 . E2 G2 |"
      "C2> . . C3 . . C2 - E2 . G2 . B2 . G2 E2 | B1> . . B2 . . B1 - D#2 . F#2 . A2 . F#2 D#2 |"
      "E2> . . E3 . . E2 - G2 . A2 . B2 . D3 E3 | E2> . . E3 . . E2 - G2 . B2 . D3 . . . |");
  const auto solo = Melody(
      "B4 - D5 - E5 - - - G5 - E5 - D5 - B4 - | C#5 - - - E5 - - - A4 - - - . . . . |"
      "B4 - D5 - E5 - G5 - A5 - G5 - E5 - D5 - | E5 - - - C#5 - - - A4 - - - . . . . |"
      "G5 - - - E5 - G5 - B5 - - - A5 - G5 - | F#5 - - - D#5 - - - B4 - - - . . F#5 - |"
      "E5 - - - - - - - . . . . B4 - D5 - | E5 - - - - - - - . . . . . . . . |",
      128);
  ModuleTune tune =
      FunkDriveSection({.chords = "Em7 A7 Em7 A7 Cmaj7 B7 Em7 Em7 Em7 A7 Em7 A7 Cmaj7 B7 Em7 Em7",
                        .kick = "X..x..x...x..x..",
                        .snare = "....X..o.o..X..o",
                        .hats = "xoxoxoxxxoxxxoxo",
                        .lead = solo},
                       Repeat(bassLine, 128, 2));
  // The bridge: up a fourth to A, a walking line and a call-and-answer lead, then back via B7.
  const auto walk = Melody(
      "A1> . . A2 . . A1 - C#2 . E2 . F#2 . G2 G#2 | D2> . . D3 . . D2 - F#2 . A2 . C3 . A2 F#2 |"
      "A1> . . A2 . . A1 - C#2 . E2 . F#2 . G2 G#2 | D2> . . D3 . . D2 - F#2 . A2 . C3 . A2 F#2 |"
      "F#1> . . F#2 . . F#1 - A1 . C#2 . E2 . C#2 A1 | B1> . . B2 . . B1 - D#2 . F#2 . A2 . B2 A2 |"
      "C2> . . C3 . . C2 - E2 . G2 . B2 . G2 E2 | B1> . . B2 . . B1 - D#2 . F#2 . A2 . F#2 D#2 |");
  const auto answer = Melody(
      "E5 - G5 - A5 - - - . . . . C#5 - E5 - | F#5 - - - A5 - F#5 - D5 - - - . . . . |"
      "E5 - G5 - A5 - - - . . C#6 - B5 - A5 - | A5 - - - F#5 - - - D5 - - - . . . . |"
      "F#5 - - - E5 - C#5 - A4 - C#5 - E5 - - - | D#5 - - - F#5 - - - A5 - - - B5 - - - |"
      "G5 - - - - - E5 - C5 - - - B4 - - - | B4 - - - - - - - D#5 - - - F#5 - - - |");
  AppendModuleSection(tune, FunkDriveSection({.bars = 8,
                                              .chords = "A7 D7 A7 D7 F#m7 B7 Cmaj7 B7",
                                              .kick = "X..x..x.X.....x.",
                                              .snare = "....X..o....X.oo",
                                              .hats = "x.xox.xox.xox.xo",
                                              .lead = answer},
                                             walk));
  AppendModuleSection(
      tune,
      FunkDriveSection(
          {.bars = 4,
           .chords = "Em7 A7 Cmaj7 B7",
           .kick = "X..x..x...x..x..",
           .snare = "....X..o.o..X.XX",
           .hats = "xoxxxoxxxoxxxoxo",
           .lead = Melody(
               "B4 - D5 - E5 - G5 - A5 - G5 - E5 - D5 - | E5 - - - - - - - . . . . . . . . |"
               "G5 - - - F#5 - E5 - D#5 - - - F#5 - - - | B5 - - - - - - - . . . . . . . . |")},
          Melody("E2> . . E3 . . E2 - G2 . A2 . B2 . D3 E3 | A1> . . A2 . . A1 - C#2 . E2 . G2 . "
                 "E2 G2 |"
                 "C2> . . C3 . . C2 - E2 . G2 . B2 . G2 E2 | B1> . . B2 . . B1 - D#2 . F#2 . A2 . "
                 "F#2 D#2 |")));
  return tune;
}

ModuleTune NightCircuitModule() {
  const char* phrase =
      "G5 - - - - - - - Eb5 - F5 - G5 - - - | C6 - - - - - - - Bb5 - Ab5 - G5 - - - |"
      "Bb5 - - - - - - - G5 - - - Eb5 - - - | F5 - - - D5 - - - Bb4 - - - . . . . |";
  std::vector<NoteEvent> lead;
  Append(lead, Melody(phrase), 64);
  Append(lead, Melody(phrase), 128);
  Append(lead, Transposed(Melody(phrase), -12.0), 192);
  ModuleTune tune =
      NightCircuitSection({.chords = "Cm Ab Eb Bb Cm Ab Eb Bb Cm Ab Eb Bb Cm Ab Eb Bb",
                           .kick = "X.....x.X.......",
                           .snare = "....X.......X...",
                           .hats = "x.xox.xox.xox.xo",
                           .bass = "R.r.r.rrR.r.r.or",
                           .lead = lead});
  // The second section: F minor and a driving four-on-the-floor, a higher, restless line.
  const char* restless =
      "C6 - - - Ab5 - F5 - Ab5 - C6 - Db6 - C6 - | Bb5 - - - - - G5 - Eb5 - - - G5 - - - |"
      "Ab5 - - - F5 - C5 - F5 - Ab5 - C6 - - - | G5 - - - - - - - B4 - D5 - F5 - G5 - |";
  std::vector<NoteEvent> second;
  for (int k = 0; k < 4; ++k) Append(second, Melody(restless), k * 64);
  AppendModuleSection(tune, NightCircuitSection({.chords = "Fm Eb Db G Fm Eb Db G Fm Eb Db G "
                                                           "Fm Eb Db G",
                                                 .kick = "X...x...X...x...",
                                                 .snare = "....X.......X..x",
                                                 .hats = "xxoxxxoxxxoxxxox",
                                                 .bass = "R.rrR.rrR.rrR.or",
                                                 .lead = second}));
  return tune;
}

}  // namespace tvx
