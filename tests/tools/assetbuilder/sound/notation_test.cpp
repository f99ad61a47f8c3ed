// The tune notation: melodies, hits, chords and the lines that follow a progression.
#include <gtest/gtest.h>

#include "assetbuilder/sound/pattern_notation.h"

namespace tvx {
namespace {

TEST(MelodyTest, NotesHoldsRestsAndAccents) {
  const auto notes = Melody("C4 - . | E4> G#4< Bb3", 8);
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].step, 8);
  EXPECT_EQ(notes[0].length, 2);
  EXPECT_EQ(notes[0].midi, 60.0);
  EXPECT_EQ(notes[1].step, 11);
  EXPECT_FLOAT_EQ(notes[1].velocity, 1.0f);
  EXPECT_EQ(notes[2].midi, 68.0);
  EXPECT_LT(notes[2].velocity, notes[0].velocity);
  EXPECT_EQ(notes[3].midi, 58.0);
}

TEST(MelodyTest, AHoldAfterARestExtendsNothing) {
  const auto notes = Melody("C4 . - D4");
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].length, 1);
  EXPECT_EQ(notes[1].step, 3);
}

TEST(HitsTest, HitAccentAndGhostSkippingSpacesAndBars) {
  const auto hits = Hits("x.o |X");
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(hits[1].step, 2);
  EXPECT_EQ(hits[2].step, 3);
  EXPECT_LT(hits[1].velocity, hits[0].velocity);
  EXPECT_GT(hits[2].velocity, hits[0].velocity);
  EXPECT_EQ(Repeat(hits, 4, 3).size(), 9u);
  EXPECT_EQ(Repeat(hits, 4, 3).back().step, 11);
}

TEST(ChordTest, NamedChordsGiveTheirTones) {
  EXPECT_EQ(ChordTones("Am", 3), (std::vector<int>{57, 60, 64}));
  EXPECT_EQ(ChordTones("Cmaj7", 4), (std::vector<int>{60, 64, 67, 71}));
  EXPECT_EQ(ChordTones("F#m7", 3), (std::vector<int>{54, 57, 61, 64}));
  EXPECT_EQ(ChordTones("Bb", 2), (std::vector<int>{46, 50, 53}));
  EXPECT_TRUE(ChordTones("Hm", 3).empty());
  EXPECT_TRUE(ChordTones("Cdim", 3).empty());
}

TEST(ProgressionTest, PadsArpsBassAndStabsFollowTheChords) {
  const Progression chords = MakeProgression("C G", 4);
  ASSERT_EQ(chords.Steps(), 8);

  const auto pad = PadNotes(chords, 4, 0.5f);
  ASSERT_EQ(pad.size(), 6u);
  EXPECT_EQ(pad[0].midi, 60.0);
  EXPECT_EQ(pad[3].step, 4);
  EXPECT_EQ(pad[3].midi, 67.0);
  EXPECT_EQ(pad[3].length, 4);

  // Index 3 of a triad wraps to the root an octave up.
  const auto arp = ArpNotes(chords, 4, {0, 3}, 2, 1, 1.0f);
  ASSERT_EQ(arp.size(), 4u);
  EXPECT_EQ(arp[1].midi, 72.0);
  EXPECT_EQ(arp[2].midi, 67.0);

  const auto bass = BassNotes(chords, 2, "r-o.");
  ASSERT_EQ(bass.size(), 4u);
  EXPECT_EQ(bass[0].midi, 36.0);
  EXPECT_EQ(bass[0].length, 2);
  EXPECT_EQ(bass[1].midi, 48.0);
  EXPECT_EQ(bass[2].midi, 43.0);

  const auto stabs = StabNotes(chords, 4, "x--.");
  ASSERT_EQ(stabs.size(), 6u);
  for (const NoteEvent& e : stabs) EXPECT_EQ(e.length, 3);
}

}  // namespace
}  // namespace tvx
