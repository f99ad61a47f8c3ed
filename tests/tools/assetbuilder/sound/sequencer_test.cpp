// The sequencer's loop rendering and the effects' finishing steps.
#include <gtest/gtest.h>

#include <cmath>

#include "assetbuilder/sound/effect_shaping.h"
#include "assetbuilder/sound/patches.h"
#include "assetbuilder/sound/pattern_notation.h"
#include "assetbuilder/sound/tune.h"

namespace tvx {
namespace {

Tune OneNoteTune(bool loop) {
  Tune tune;
  tune.bpm = 120.0;
  tune.steps = 16;
  tune.loop = loop;
  tune.tailSeconds = 1.0f;
  SynthPatch patch = WarmPad();
  patch.amp.release = 0.8f;
  tune.synths.push_back(
      {.patch = patch, .notes = Melody(". . . . . . . . . . . . . . . A4 -"), .mix = {}});
  return tune;
}

TEST(RenderTuneTest, ALoopFoldsTheLastNotesReleaseOntoItsStart) {
  const StereoBuffer loop = RenderTune(OneNoteTune(true));
  EXPECT_EQ(loop.Frames(), SecondsToFrames(16 * 0.125));
  // The note on the last step rings on past the end, so the start already hears it.
  float start = 0.0f;
  for (std::size_t i = 0; i < 2000; ++i) start = std::max(start, std::fabs(loop.left[i]));
  EXPECT_GT(start, 0.05f);
  EXPECT_LT(std::fabs(loop.left.back() - loop.left.front()), 0.05f);
}

TEST(RenderTuneTest, AOneShotKeepsItsTailAndEndsInSilence) {
  const StereoBuffer once = RenderTune(OneNoteTune(false));
  EXPECT_EQ(once.Frames(), SecondsToFrames(16 * 0.125 + 1.0));
  EXPECT_EQ(once.left.front(), 0.0f);
  EXPECT_NEAR(once.left.back(), 0.0f, 1e-4f);
  EXPECT_NEAR(PeakOf(once), std::pow(10.0f, -1.0f / 20.0f), 1e-3f);
}

TEST(EffectShapingTest, CrossfadeLoopJoinsANoisyBufferSmoothly) {
  StereoBuffer rendered(44100);
  for (std::size_t i = 0; i < rendered.Frames(); ++i) {
    // A slow sine whose period does not fit the loop: a plain cut would jump.
    rendered.left[i] = rendered.right[i] = std::sin(static_cast<float>(i) * 0.0013f);
  }
  const StereoBuffer loop = CrossfadeLoop(rendered, 4410);
  ASSERT_EQ(loop.Frames(), 44100u - 4410u);
  EXPECT_LT(std::fabs(loop.left.front() - loop.left.back()), 0.01f);
  EXPECT_GT(std::fabs(rendered.left[loop.Frames()] - rendered.left.front()), 0.1f);
}

TEST(EffectShapingTest, OneShotsAreLevelledAndFaded) {
  StereoBuffer quiet(4410), loud(4410);
  for (std::size_t i = 0; i < 4410; ++i) {
    quiet.left[i] = quiet.right[i] = 0.01f * std::sin(i * 0.1f);
    loud.left[i] = loud.right[i] = 0.9f * std::sin(i * 0.1f);
  }
  quiet = FinishOneShot(quiet);
  loud = FinishOneShot(loud);
  EXPECT_NEAR(PeakOf(quiet), PeakOf(loud), 1e-3f);
  EXPECT_EQ(quiet.left.front(), 0.0f);
  EXPECT_NEAR(quiet.left.back(), 0.0f, 1e-3f);
}

}  // namespace
}  // namespace tvx
