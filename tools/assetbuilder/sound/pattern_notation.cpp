#include "assetbuilder/sound/pattern_notation.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace tvx {
namespace {

constexpr float kNormal = 0.8f, kAccent = 1.0f, kSoft = 0.55f;

std::optional<int> PitchClass(char letter) {
  switch (letter) {
    case 'C':
      return 0;
    case 'D':
      return 2;
    case 'E':
      return 4;
    case 'F':
      return 5;
    case 'G':
      return 7;
    case 'A':
      return 9;
    case 'B':
      return 11;
    default:
      return std::nullopt;
  }
}

// "C#4" -> 61 (C4 = 60).
std::optional<int> ParseNote(std::string_view token) {
  if (token.empty()) return std::nullopt;
  auto pitch = PitchClass(token[0]);
  if (!pitch) return std::nullopt;
  std::size_t at = 1;
  int value = *pitch;
  if (at < token.size() && token[at] == '#')
    value += 1, ++at;
  else if (at < token.size() && token[at] == 'b')
    value -= 1, ++at;
  if (at >= token.size() || !std::isdigit(static_cast<unsigned char>(token[at])))
    return std::nullopt;
  const int octave = token[at] - '0';
  return value + 12 * (octave + 1);
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    std::size_t end = at;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
    if (end > at && text.substr(at, end - at) != "|") tokens.push_back(text.substr(at, end - at));
    at = end;
  }
  return tokens;
}

// The rhythm without the spaces and bar lines that only help the reader.
std::string StepCharacters(std::string_view rhythm) {
  std::string pattern;
  for (char c : rhythm) {
    if (c != ' ' && c != '|') pattern.push_back(c);
  }
  return pattern;
}

}  // namespace

std::vector<NoteEvent> Melody(std::string_view text, int firstStep) {
  std::vector<NoteEvent> events;
  int step = firstStep;
  bool holding = false;
  for (std::string_view token : Tokens(text)) {
    if (token == "-") {
      if (holding) ++events.back().length;
    } else if (token == ".") {
      holding = false;
    } else {
      float velocity = kNormal;
      if (token.back() == '>')
        velocity = kAccent, token.remove_suffix(1);
      else if (token.back() == '<')
        velocity = kSoft, token.remove_suffix(1);
      const auto midi = ParseNote(token);
      holding = midi.has_value();
      if (midi) events.push_back({step, 1, static_cast<double>(*midi), velocity});
    }
    ++step;
  }
  return events;
}

std::vector<NoteEvent> Hits(std::string_view pattern, int firstStep) {
  std::vector<NoteEvent> events;
  int step = firstStep;
  for (char c : pattern) {
    if (c == ' ' || c == '|') continue;
    if (c == 'x') events.push_back({step, 1, 0.0, kNormal});
    if (c == 'X') events.push_back({step, 1, 0.0, kAccent});
    if (c == 'o') events.push_back({step, 1, 0.0, 0.45f});
    ++step;
  }
  return events;
}

std::vector<NoteEvent> Repeat(const std::vector<NoteEvent>& pattern, int patternSteps, int times) {
  std::vector<NoteEvent> events;
  for (int i = 0; i < times; ++i) Append(events, pattern, i * patternSteps);
  return events;
}

void Append(std::vector<NoteEvent>& events, const std::vector<NoteEvent>& more, int offset) {
  for (NoteEvent e : more) {
    e.step += offset;
    events.push_back(e);
  }
}

void AppendSection(Tune& tune, const Tune& section) {
  for (std::size_t d = 0; d < std::min(tune.drums.size(), section.drums.size()); ++d) {
    Append(tune.drums[d].hits, section.drums[d].hits, tune.steps);
  }
  for (std::size_t t = 0; t < std::min(tune.synths.size(), section.synths.size()); ++t) {
    Append(tune.synths[t].notes, section.synths[t].notes, tune.steps);
  }
  tune.steps += section.steps;
}

std::vector<NoteEvent> Transposed(std::vector<NoteEvent> events, double semitones) {
  for (NoteEvent& e : events) e.midi += semitones;
  return events;
}

std::vector<int> ChordTones(std::string_view name, int octave) {
  if (name.empty()) return {};
  auto root = PitchClass(name[0]);
  if (!root) return {};
  std::size_t at = 1;
  if (at < name.size() && name[at] == '#')
    ++*root, ++at;
  else if (at < name.size() && name[at] == 'b')
    --*root, ++at;
  const std::string_view quality = name.substr(at);
  std::vector<int> intervals;
  if (quality == "")
    intervals = {0, 4, 7};
  else if (quality == "m")
    intervals = {0, 3, 7};
  else if (quality == "7")
    intervals = {0, 4, 7, 10};
  else if (quality == "m7")
    intervals = {0, 3, 7, 10};
  else if (quality == "maj7")
    intervals = {0, 4, 7, 11};
  else if (quality == "m9")
    intervals = {0, 3, 7, 10, 14};
  else if (quality == "add9")
    intervals = {0, 4, 7, 14};
  else if (quality == "sus4")
    intervals = {0, 5, 7};
  else if (quality == "sus2")
    intervals = {0, 2, 7};
  else if (quality == "5")
    intervals = {0, 7, 12};
  else
    return {};
  std::vector<int> tones;
  for (int i : intervals) tones.push_back(12 * (octave + 1) + *root + i);
  return tones;
}

Progression MakeProgression(std::string_view chordNames, int stepsPerChord) {
  Progression progression;
  progression.stepsPerChord = stepsPerChord;
  for (std::string_view name : Tokens(chordNames)) {
    std::vector<int> tones = ChordTones(name, -1);
    if (!tones.empty()) progression.chords.push_back(std::move(tones));
  }
  return progression;
}

std::vector<NoteEvent> PadNotes(const Progression& progression, int octave, float velocity) {
  std::vector<NoteEvent> events;
  for (std::size_t c = 0; c < progression.chords.size(); ++c) {
    for (int tone : progression.chords[c]) {
      events.push_back({static_cast<int>(c) * progression.stepsPerChord, progression.stepsPerChord,
                        static_cast<double>(tone + 12 * (octave + 1)), velocity});
    }
  }
  return events;
}

std::vector<NoteEvent> ArpNotes(const Progression& progression, int octave,
                                const std::vector<int>& order, int rate, int length,
                                float velocity) {
  std::vector<NoteEvent> events;
  if (order.empty() || rate <= 0) return events;
  for (std::size_t c = 0; c < progression.chords.size(); ++c) {
    const auto& chord = progression.chords[c];
    const int size = static_cast<int>(chord.size());
    for (int s = 0, n = 0; s < progression.stepsPerChord; s += rate, ++n) {
      const int index = order[static_cast<std::size_t>(n) % order.size()];
      const int tone = chord[static_cast<std::size_t>(index % size)] + 12 * (index / size);
      const float accent = n % 4 == 0 ? 1.0f : 0.85f;
      events.push_back({static_cast<int>(c) * progression.stepsPerChord + s, length,
                        static_cast<double>(tone + 12 * (octave + 1)), velocity * accent});
    }
  }
  return events;
}

std::vector<NoteEvent> BassNotes(const Progression& progression, int octave,
                                 std::string_view rhythm) {
  const std::string pattern = StepCharacters(rhythm);
  std::vector<NoteEvent> events;
  if (pattern.empty()) return events;
  bool holding = false;
  for (int step = 0; step < progression.Steps(); ++step) {
    const int root =
        progression.chords[static_cast<std::size_t>(step / progression.stepsPerChord)][0] +
        12 * (octave + 1);
    const char c = pattern[static_cast<std::size_t>(step) % pattern.size()];
    int offset = -1;
    float velocity = kNormal;
    switch (c) {
      case 'R':
        velocity = kAccent;
        offset = 0;
        break;
      case 'r':
        offset = 0;
        break;
      case 'o':
        offset = 12;
        break;
      case 'f':
        offset = 7;
        break;
      case 'm':
        offset = 10;
        break;
      case '-':
        if (holding) ++events.back().length;
        continue;
      default:
        break;
    }
    holding = offset >= 0;
    if (holding) events.push_back({step, 1, static_cast<double>(root + offset), velocity});
  }
  return events;
}

std::vector<NoteEvent> StabNotes(const Progression& progression, int octave,
                                 std::string_view rhythm) {
  const std::string pattern = StepCharacters(rhythm);
  std::vector<NoteEvent> events;
  if (pattern.empty()) return events;
  std::size_t chordStart = 0;
  for (int step = 0; step < progression.Steps(); ++step) {
    const auto& chord =
        progression.chords[static_cast<std::size_t>(step / progression.stepsPerChord)];
    const char c = pattern[static_cast<std::size_t>(step) % pattern.size()];
    if (c == '-') {
      for (std::size_t i = chordStart; i < events.size(); ++i) ++events[i].length;
      continue;
    }
    chordStart = events.size();
    if (c != 'x' && c != 'X') continue;
    for (int tone : chord) {
      events.push_back(
          {step, 1, static_cast<double>(tone + 12 * (octave + 1)), c == 'X' ? kAccent : kNormal});
    }
  }
  return events;
}

}  // namespace tvx
