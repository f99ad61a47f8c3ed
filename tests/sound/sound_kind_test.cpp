#include <gtest/gtest.h>

#include "sound/SoundKind.h"

namespace tvx {
namespace {

TEST(SoundKindOf, ModuleExtensionsInAnyLetterCase) {
  for (const char* key :
       {"a.XM", "a.xM", "a.xm", "song.Mod", "x.s3m", "x.MTM", "x.umx", "x.mo3", "x.It"}) {
    EXPECT_EQ(SoundKindOf(key), TSoundKind::skModule) << key;
  }
}

TEST(SoundKindOf, StreamsAndSamples) {
  EXPECT_EQ(SoundKindOf("crash.mp3"), TSoundKind::skMp3);
  EXPECT_EQ(SoundKindOf("Whush1.MP3"), TSoundKind::skMp3);
  EXPECT_EQ(SoundKindOf("theme.ogg"), TSoundKind::skOgg);
  EXPECT_EQ(SoundKindOf("bee.wav"), TSoundKind::skWave);
}

TEST(SoundKindOf, OnlyTheTextFromTheLastDotCounts) {
  EXPECT_EQ(SoundKindOf("crash.mp3.bak"), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("wav.mp3"), TSoundKind::skMp3);
  EXPECT_EQ(SoundKindOf("archive.tar.xm"), TSoundKind::skModule);
}

TEST(SoundKindOf, NoOrUnknownExtensionIsNone) {
  EXPECT_EQ(SoundKindOf(""), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("crash"), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("mp3"), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("road0.png"), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("crash."), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("crash.mp"), TSoundKind::skNone);
  EXPECT_EQ(SoundKindOf("crash.mp33"), TSoundKind::skNone);
  // Only a-z fold: a byte that some code pages would upper-case to 'I' does not.
  EXPECT_EQ(SoundKindOf("x.\xFDt"), TSoundKind::skNone);
}

TEST(SoundKindOf, KindValuesAreTheStoredOnes) {
  EXPECT_EQ(static_cast<int>(TSoundKind::skNone), 0);
  EXPECT_EQ(static_cast<int>(TSoundKind::skModule), 1);
  EXPECT_EQ(static_cast<int>(TSoundKind::skMp3), 2);
  EXPECT_EQ(static_cast<int>(TSoundKind::skOgg), 3);
  EXPECT_EQ(static_cast<int>(TSoundKind::skWave), 4);
  EXPECT_EQ(sizeof(TSoundKind), 1u);
}

}  // namespace
}  // namespace tvx
