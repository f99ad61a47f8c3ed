// PatternNotation: a compact text notation for writing tunes, one token or character per step.
//
// Melody("C4 - . E4> G4< | ..."): a note name starts a note (sharps '#', flats 'b'; a trailing
// '>' accents it, '<' softens it), '-' holds the previous note one step longer, '.' rests, '|'
// is a bar line for the reader. Hits("x..o X..."): 'x' hit, 'X' accent, 'o' ghost, '.' rest.
// Chords are named as usual ("Am", "F", "Cmaj7", "Dm9", "Esus4", "G7", "Bb") and turned into
// pads, arpeggios and bass lines that follow a progression, one chord per given span of steps.
#pragma once

#include <string_view>
#include <vector>

#include "assetbuilder/sound/tune.h"

namespace tvx {

std::vector<NoteEvent> Melody(std::string_view text, int firstStep = 0);
std::vector<NoteEvent> Hits(std::string_view pattern, int firstStep = 0);

// The events of a `patternSteps` long pattern repeated `times` times end to end.
std::vector<NoteEvent> Repeat(const std::vector<NoteEvent>& pattern, int patternSteps, int times);
// Appends `more`, shifted by `offset` steps.
void Append(std::vector<NoteEvent>& events, const std::vector<NoteEvent>& more, int offset);
std::vector<NoteEvent> Transposed(std::vector<NoteEvent> events, double semitones);

// Plays `section` after what `tune` holds: each of its tracks continues the tune's track of the
// same place (the layouts must match; extra tracks are dropped), and the tune grows by its steps.
void AppendSection(Tune& tune, const Tune& section);

// MIDI notes of a named chord with its root in `octave` (C4 = 60); empty for an unknown name.
std::vector<int> ChordTones(std::string_view name, int octave);

struct Progression {
  std::vector<std::vector<int>> chords;  // tones with root at octave 0 (root 0..11 + intervals)
  int stepsPerChord = 16;
  int Steps() const { return static_cast<int>(chords.size()) * stepsPerChord; }
};
Progression MakeProgression(std::string_view chordNames, int stepsPerChord);

// Every chord held as a block for its whole span.
std::vector<NoteEvent> PadNotes(const Progression& progression, int octave, float velocity);
// Chord tones in the order of `order` (indices into the chord, wrapping up an octave past its
// top), one every `rate` steps, each `length` steps long.
std::vector<NoteEvent> ArpNotes(const Progression& progression, int octave,
                                const std::vector<int>& order, int rate, int length,
                                float velocity);
// A bass line on the chord roots, one character per step: 'r' root, 'R' accented root, 'o'
// octave up, 'f' fifth, 'm' seventh below the octave, '-' hold, '.' rest; the rhythm repeats.
std::vector<NoteEvent> BassNotes(const Progression& progression, int octave,
                                 std::string_view rhythm);
// The whole chord on a rhythm, one character per step: 'x' hit, 'X' accent, '-' hold, '.' rest.
std::vector<NoteEvent> StabNotes(const Progression& progression, int octave,
                                 std::string_view rhythm);

}  // namespace tvx
