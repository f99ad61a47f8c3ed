// The synthesis building blocks: drum hits, synth notes, the job runner and the WAV writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "assetbuilder/sound/drum_voices.h"
#include "assetbuilder/sound/dsp.h"
#include "assetbuilder/sound/ordered_jobs.h"
#include "assetbuilder/sound/patches.h"
#include "assetbuilder/sound/synth_voice.h"
#include "assetbuilder/sound/wav_writer.h"

namespace tvx {
namespace {

int RisingZeroCrossings(const std::vector<float>& samples, std::size_t from, std::size_t count) {
  int crossings = 0;
  for (std::size_t i = from + 1; i < from + count && i < samples.size(); ++i) {
    crossings += samples[i - 1] < 0.0f && samples[i] >= 0.0f ? 1 : 0;
  }
  return crossings;
}

TEST(DrumVoiceTest, EveryHitStartsAndEndsInSilenceAndIsRepeatable) {
  for (DrumKind kind : {DrumKind::kKick, DrumKind::kSnare, DrumKind::kClosedHat, DrumKind::kOpenHat,
                        DrumKind::kClap, DrumKind::kCrash, DrumKind::kTom, DrumKind::kRim}) {
    const std::vector<float> hit = RenderDrum(kind, 1.0f, 3);
    ASSERT_GT(hit.size(), 1000u);
    EXPECT_EQ(hit.front(), 0.0f);
    EXPECT_EQ(hit.back(), 0.0f);
    float peak = 0.0f;
    for (float s : hit) {
      ASSERT_TRUE(std::isfinite(s));
      peak = std::max(peak, std::fabs(s));
    }
    EXPECT_GT(peak, 0.05f);
    EXPECT_TRUE(hit == RenderDrum(kind, 1.0f, 3));
  }
  // Velocity scales the hit.
  const auto soft = RenderDrum(DrumKind::kSnare, 0.5f, 3);
  const auto loud = RenderDrum(DrumKind::kSnare, 1.0f, 3);
  EXPECT_FLOAT_EQ(soft[500] * 2.0f, loud[500]);
}

TEST(SynthVoiceTest, ANoteSoundsAtItsPitchAndReleasesToSilence) {
  SynthPatch patch = ElectricPiano();
  patch.vibratoCents = 0.0f;
  const StereoBuffer note = RenderSynthNote(patch, 69.0, 0.5f, 1.0f, 1);
  EXPECT_EQ(note.Frames(), SecondsToFrames(0.5 + patch.amp.release));
  EXPECT_NEAR(RisingZeroCrossings(note.left, 2205, 11025), 110, 3);  // 440 Hz over 0.25 s
  EXPECT_NEAR(note.left.back(), 0.0f, 1e-3f);
  EXPECT_EQ(note.left.front(), 0.0f);
}

TEST(SynthVoiceTest, TheFilterEnvelopeBrightensTheAttack) {
  // A bass pluck has more high-frequency motion at its start than after the filter closes.
  const StereoBuffer note = RenderSynthNote(SawBass(), 45.0, 0.6f, 1.0f, 1);
  const auto roughness = [&](std::size_t from) {
    float sum = 0.0f;
    for (std::size_t i = from + 1; i < from + 2000; ++i)
      sum += std::fabs(note.left[i] - note.left[i - 1]);
    return sum;
  };
  EXPECT_GT(roughness(400), 1.5f * roughness(20000));
}

TEST(DspTest, WavesStayInRangeAndTheFilterPassesLowsOnly) {
  for (double phase = 0.0; phase < 2.0; phase += 0.013) {
    EXPECT_LE(std::fabs(TriangleWave(phase)), 1.0f);
    EXPECT_LE(std::fabs(SawWave(phase, 0.01)), 1.01f);
    EXPECT_LE(std::fabs(PulseWave(phase, 0.01, 0.25)), 1.01f);
  }
  EXPECT_NEAR(MidiToHz(69.0), 440.0f, 1e-3f);
  EXPECT_NEAR(MidiToHz(57.0), 220.0f, 1e-3f);
  const auto level = [](float hz) {
    StateVariableFilter filter;
    filter.Set(500.0f, 0.0f);
    float peak = 0.0f;
    for (int i = 0; i < 44100; ++i) {
      const float out = filter.Process(SineWave(i * hz / 44100.0)).low;
      if (i > 22050) peak = std::max(peak, std::fabs(out));
    }
    return peak;
  };
  EXPECT_GT(level(100.0f), 0.9f);
  EXPECT_LT(level(8000.0f), 0.01f);
  EXPECT_EQ(SoftClip(0.0f), 0.0f);
  EXPECT_EQ(SoftClip(10.0f), 1.0f);
  EXPECT_NEAR(SoftClip(0.1f), 0.1f, 1e-3f);
}

TEST(OrderedJobsTest, ResultsComeBackInJobOrder) {
  std::vector<std::function<int()>> jobs;
  for (int i = 0; i < 50; ++i) jobs.push_back([i] { return i * i; });
  const std::vector<int> results = RunOrderedJobs(jobs);
  ASSERT_EQ(results.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(results[static_cast<std::size_t>(i)], i * i);
  EXPECT_TRUE(RunOrderedJobs(std::vector<std::function<int()>>{}).empty());
}

TEST(WavWriterTest, HeaderAndLittleEndianSamples) {
  const std::vector<std::uint8_t> wav = EncodeWav({1, -2, 300}, 1, 44100);
  ASSERT_EQ(wav.size(), 44u + 6u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(wav[4], 42);  // 36 + data bytes
  EXPECT_EQ(wav[40], 6);
  EXPECT_EQ(wav[44], 1);
  EXPECT_EQ(wav[45], 0);
  EXPECT_EQ(wav[46], 0xFE);
  EXPECT_EQ(wav[47], 0xFF);
  EXPECT_EQ(wav[48], 0x2C);
  EXPECT_EQ(wav[49], 0x01);
}

}  // namespace
}  // namespace tvx
