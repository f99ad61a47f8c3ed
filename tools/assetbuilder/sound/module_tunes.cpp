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

}  // namespace

ModuleTune PixelRushModule() {
  ModuleTune tune;
  tune.title = "Pixel Rush";
  tune.format = TrackerFormat::kProTracker;
  tune.bpm = 140;
  tune.steps = 256;
  AddDrumKit(tune);
  const auto f = tune.format;
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kTriangle, 48, "triangle bass"));
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kPulse25, 72, "pulse lead"));
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kPulse12, 72, "thin arp"));
  tune.instruments[kArp - 1].sample.volume = 30;
  const Progression chords = MakeProgression("Em C G D Em C G D Em C G D Em C G D", 16);
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
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits("X...x...X...x..."), 16, 16)},
                   {kSnare, Repeat(Hits("....X.......X..."), 16, 16)},
                   {kHat, Repeat(Hits("..x...x...x...xo"), 16, 16)}}),
      ModuleNotes(tune, kBass, BassNotes(chords, 2, "R-o-r-o-R-o-r-oo")),
      ModuleNotes(tune, kLead, lead),
      ModuleNotes(tune, kArp, ArpNotes(chords, 5, {0, 1, 2, 1}, 1, 1, 0.8f)),
  };
  return tune;
}

ModuleTune TurboEurobeatModule() {
  ModuleTune tune;
  tune.title = "Turbo Eurobeat";
  tune.format = TrackerFormat::kProTracker;
  tune.bpm = 150;
  tune.steps = 256;
  AddDrumKit(tune);
  const auto f = tune.format;
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kSoftSaw, 48, "saw bass"));
  tune.instruments.push_back(ChipInstrument(f, ChipWave::kSaw, 72, "saw lead"));
  tune.instruments.push_back(PluckInstrument(f, 0.5f, 4.0f, "pluck"));
  const Progression chords = MakeProgression("F G Em Am F G Em Am F G Em Am F G Em Am", 16);
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
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits("X...x...x...x..."), 16, 16)},
                   {kSnare, Repeat(Hits("....x.......x..."), 16, 16)},
                   {kOpenHat, Repeat(Hits("..x...x...x...x."), 16, 16)}}),
      ModuleNotes(tune, kBass, BassNotes(chords, 2, "RoroRororoRororo")),
      ModuleNotes(tune, kLead, lead),
      ModuleNotes(tune, kArp, ArpNotes(chords, 4, {0, 1, 2, 3, 2, 1}, 2, 2, 0.8f), true),
  };
  return tune;
}

ModuleTune FunkDriveModule() {
  ModuleTune tune;
  tune.title = "Funk Drive";
  tune.format = TrackerFormat::kFastTracker;
  tune.bpm = 104;
  tune.steps = 256;
  AddDrumKit(tune);
  const auto f = tune.format;
  ModuleInstrument bass = PluckInstrument(f, 0.6f, 5.0f, "funk bass");
  bass.sample = WithDecay(bass.sample, 30);
  tune.instruments.push_back(bass);
  ModuleInstrument lead = ChipInstrument(f, ChipWave::kPulse50, 60, "square lead");
  lead.sample = WithSustain(lead.sample, 48, 1800);
  tune.instruments.push_back(lead);
  ModuleInstrument clav = ChipInstrument(f, ChipWave::kPulse25, 60, "clav");
  clav.sample = WithDecay(clav.sample, 8);
  clav.sample.panning = 90;
  tune.instruments.push_back(clav);
  tune.instruments.push_back(PadInstrument("string pad"));
  tune.instruments[kPad - 1].sample.panning = 160;

  const Progression chords =
      MakeProgression("Em7 A7 Em7 A7 Cmaj7 B7 Em7 Em7 Em7 A7 Em7 A7 Cmaj7 B7 Em7 Em7", 16);
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
  std::vector<NoteEvent> echo = solo;
  for (NoteEvent& e : echo) e.step += 3, e.velocity *= 0.4f;
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits("X..x..x...x..x.."), 16, 16)}}),
      DrumChannel({{kSnare, Repeat(Hits("....X..o.o..X..o"), 16, 16)}}),
      DrumChannel({{kOpenHat, Repeat(Hits("..............x."), 16, 16)},
                   {kHat, Repeat(Hits("xoxxxoxxxoxxxoxo"), 16, 16)}}),
      ModuleNotes(tune, kBass, Repeat(bassLine, 128, 2)),
      ModuleNotes(tune, kArp, ArpNotes(chords, 4, {1, 2, 3, 2}, 2, 1, 0.7f), true),
  };
  AddPadChannels(tune, chords, 3);
  tune.channels.push_back(ModuleNotes(tune, kLead, solo));
  tune.channels.push_back(ModuleNotes(tune, kLead, echo));
  return tune;
}

ModuleTune NightCircuitModule() {
  ModuleTune tune;
  tune.title = "Night Circuit";
  tune.format = TrackerFormat::kFastTracker;
  tune.bpm = 120;
  tune.steps = 256;
  AddDrumKit(tune);
  const auto f = tune.format;
  ModuleInstrument bass = ChipInstrument(f, ChipWave::kSoftSaw, 48, "dark bass");
  bass.sample = WithSustain(bass.sample, 40, 4000);
  tune.instruments.push_back(bass);
  ModuleInstrument sawLead = ChipInstrument(f, ChipWave::kSaw, 60, "saw lead");
  sawLead.sample = WithSustain(sawLead.sample, 44, 1200);
  sawLead.sample.volume = 40;
  tune.instruments.push_back(sawLead);
  ModuleInstrument arp = ChipInstrument(f, ChipWave::kPulse12, 72, "glass arp");
  arp.sample = WithDecay(arp.sample, 10);
  arp.sample.volume = 36;
  arp.sample.panning = 80;
  tune.instruments.push_back(arp);
  tune.instruments.push_back(PadInstrument("night pad"));
  tune.instruments[kPad - 1].sample.panning = 170;

  const Progression chords = MakeProgression("Cm Ab Eb Bb Cm Ab Eb Bb Cm Ab Eb Bb Cm Ab Eb Bb", 16);
  const char* phrase =
      "G5 - - - - - - - Eb5 - F5 - G5 - - - | C6 - - - - - - - Bb5 - Ab5 - G5 - - - |"
      "Bb5 - - - - - - - G5 - - - Eb5 - - - | F5 - - - D5 - - - Bb4 - - - . . . . |";
  std::vector<NoteEvent> lead;
  Append(lead, Melody(phrase), 128);
  Append(lead, Transposed(Melody(phrase), -12.0), 192);
  tune.channels = {
      DrumChannel({{kKick, Repeat(Hits("X.....x.X......."), 16, 16)}}),
      DrumChannel({{kSnare, Repeat(Hits("....X.......X..."), 16, 16)}}),
      DrumChannel({{kHat, Repeat(Hits("x.xox.xox.xox.xo"), 16, 16)}}),
      ModuleNotes(tune, kBass, BassNotes(chords, 2, "R.r.r.rrR.r.r.or")),
      ModuleNotes(tune, kArp, ArpNotes(chords, 5, {0, 1, 2, 3, 4, 3, 2, 1}, 1, 1, 0.8f), true),
  };
  AddPadChannels(tune, chords, 4);
  tune.channels.push_back(ModuleNotes(tune, kLead, lead));
  return tune;
}

}  // namespace tvx
