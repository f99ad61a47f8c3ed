// Module arranging and writing, on small hand-made songs.
#include <gtest/gtest.h>

#include "assetbuilder/sound/mod_writer.h"
#include "assetbuilder/sound/module_arranger.h"
#include "assetbuilder/sound/xm_writer.h"

namespace tvx {
namespace {

ModuleTune SmallTune(TrackerFormat format, int bpm) {
  ModuleTune tune;
  tune.title = "test";
  tune.format = format;
  tune.bpm = bpm;
  tune.steps = 128;
  tune.instruments.push_back(ChipInstrument(format, ChipWave::kPulse50, 60, "square"));
  tune.instruments.push_back(DrumInstrument(DrumKind::kKick, 1.0f, "kick"));
  return tune;
}

const TrackerCell& CellAt(const TrackerSong& song, int row, int channel) {
  const int pattern = song.order.at(static_cast<std::size_t>(row / 64));
  return song.patterns.at(static_cast<std::size_t>(pattern))
      .cells.at(static_cast<std::size_t>((row % 64) * song.channels + channel));
}

TEST(ModuleArrangerTest, NotesGetKeyOffsDrumsRingAndRepeatsReusePatterns) {
  ModuleTune tune = SmallTune(TrackerFormat::kFastTracker, 120);
  tune.channels.push_back(ModuleNotes(tune, 1, {{0, 4, 72.0, 0.5f}, {64, 4, 72.0, 0.5f}}));
  tune.channels.push_back(DrumChannel({{2, {{0, 1, 0.0, 1.0f}, {64, 1, 0.0, 1.0f}}}}));
  const TrackerSong song = ArrangeModule(tune);
  ASSERT_EQ(song.order.size(), 2u);
  EXPECT_EQ(CellAt(song, 0, 0).note, kNoteMiddle + 12);
  EXPECT_EQ(CellAt(song, 0, 0).volume, 32);
  EXPECT_EQ(CellAt(song, 4, 0).note, kNoteKeyOff);
  EXPECT_EQ(CellAt(song, 0, 1).note, kDrumNote);
  EXPECT_EQ(CellAt(song, 1, 1).note, kNoteNone);
  // The last row rings on into the next loop like any other: both blocks are one pattern.
  EXPECT_EQ(CellAt(song, 127, 0).effect, 0);
  EXPECT_EQ(song.order[0], song.order[1]);
}

TEST(ModuleArrangerTest, SectionsFollowEachOtherAndVolumesScaleUpToFull) {
  ModuleTune tune = SmallTune(TrackerFormat::kFastTracker, 120);
  tune.steps = 64;
  tune.channels.push_back(ModuleNotes(tune, 1, {{0, 4, 60.0, 0.5f}}));
  ModuleTune section = tune;
  section.channels[0][0].note = kNoteMiddle + 7;
  AppendModuleSection(tune, section);
  EXPECT_EQ(tune.steps, 128);
  ASSERT_EQ(tune.channels[0].size(), 2u);
  EXPECT_EQ(tune.channels[0][1].step, 64);
  EXPECT_EQ(CellAt(ArrangeModule(tune), 64, 0).note, kNoteMiddle + 7);
  const ModuleTune louder = WithVolumes(tune, 1.5f);
  EXPECT_EQ(louder.channels[0][0].volume, 48);
  EXPECT_EQ(louder.instruments[0].sample.volume, 64);
}

TEST(ModuleArrangerTest, IdenticalBlocksShareOnePatternAndChannelsPairUp) {
  ModuleTune tune = SmallTune(TrackerFormat::kFastTracker, 120);
  tune.steps = 192;
  tune.channels.push_back(ModuleNotes(tune, 1, {{0, 2, 60.0, 1.0f}, {64, 2, 60.0, 1.0f}}));
  const TrackerSong song = ArrangeModule(tune);
  EXPECT_EQ(song.channels, 2);  // FastTracker channel counts are even
  ASSERT_EQ(song.order.size(), 3u);
  EXPECT_EQ(song.order[0], song.order[1]);
  EXPECT_EQ(song.patterns.size(), 2u);
}

TEST(ModuleArrangerTest, ProTrackerGetsVolumeKeyOffAndTempoAsEffects) {
  ModuleTune tune = SmallTune(TrackerFormat::kProTracker, 140);
  tune.channels.push_back(ModuleNotes(tune, 1, {{0, 4, 60.0, 0.5f}}));
  tune.channels.push_back(ModuleNotes(tune, 1, {{0, 4, 60.0, 0.75f}}));
  tune.channels.push_back({});
  tune.channels.push_back({});
  const TrackerSong song = ArrangeModule(tune);
  EXPECT_EQ(CellAt(song, 0, 0).effect, kEffectSetVolume);
  EXPECT_EQ(CellAt(song, 0, 0).parameter, 32);
  EXPECT_EQ(CellAt(song, 0, 0).volume, -1);
  EXPECT_EQ(CellAt(song, 4, 0).note, kNoteNone);
  EXPECT_EQ(CellAt(song, 4, 0).effect, kEffectSetVolume);
  EXPECT_EQ(CellAt(song, 4, 0).parameter, 0);
  // Channel 1 plays at the sample's own volume, so it needs no effect and takes the tempo.
  EXPECT_EQ(CellAt(song, 0, 1).effect, kEffectSetSpeed);
  EXPECT_EQ(CellAt(song, 0, 1).parameter, 140);
  EXPECT_EQ(CellAt(song, 0, 1).volume, -1);
  EXPECT_FALSE(WriteProTrackerModule(song).empty());
}

TEST(ModWriterTest, PeriodsFoldIntoThreeOctaves) {
  EXPECT_EQ(ProTrackerPeriod(kNoteMiddle), 428);
  EXPECT_EQ(ProTrackerPeriod(kNoteMiddle - 12), 856);
  EXPECT_EQ(ProTrackerPeriod(kNoteMiddle + 23), 113);
  EXPECT_EQ(ProTrackerPeriod(kNoteMiddle - 24), 856);
  EXPECT_EQ(ProTrackerPeriod(kNoteMiddle + 36), 214);
}

TEST(ModuleWriterTest, SongsThatDoNotFitTheFormatGiveNoFile) {
  ModuleTune tune = SmallTune(TrackerFormat::kProTracker, 125);
  tune.channels.resize(8);
  TrackerSong song = ArrangeModule(tune);
  EXPECT_TRUE(WriteProTrackerModule(song).empty());
  song.format = TrackerFormat::kFastTracker;
  EXPECT_FALSE(WriteFastTrackerModule(song).empty());
  song.patterns[0].cells.pop_back();
  EXPECT_TRUE(WriteFastTrackerModule(song).empty());
  song.order.clear();
  EXPECT_TRUE(WriteFastTrackerModule(song).empty());
}

}  // namespace
}  // namespace tvx
