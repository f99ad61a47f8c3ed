// Every sound file as the game will see it: headers read by hand, then each file through the
// audio layer's own decoders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "asset_fixture.h"
#include "platform/audio/ModuleSource.h"
#include "platform/audio/Mp3Decoder.h"
#include "platform/audio/OggDecoder.h"

namespace tvx {
namespace {

using test::BuiltAssets;
using test::EndsWith;
using namespace audio_detail;

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

std::uint32_t Be16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (static_cast<std::uint32_t>(b.at(at)) << 8) | b.at(at + 1);
}

std::string Text(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t length) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + length));
}

TEST(ModuleFileTest, ProTrackerAndFastTrackerLayoutsAddUp) {
  {
    int modules = 0;
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".mod")) continue;
      ++modules;
      const auto& f = asset.file;
      ASSERT_GE(f.size(), 1084u);
      EXPECT_EQ(Text(f, 1080, 4), "M.K.");
      const std::size_t songLength = f[950];
      ASSERT_GE(songLength, 1u);
      ASSERT_LE(songLength, 128u);
      std::size_t patterns = 0;
      for (std::size_t i = 0; i < 128; ++i)
        patterns = std::max<std::size_t>(patterns, f[952 + i] + 1u);
      std::size_t sampleBytes = 0;
      int usedSamples = 0;
      for (std::size_t s = 0; s < 31; ++s) {
        const std::size_t header = 20 + s * 30;
        const std::size_t length = Be16(f, header + 22) * 2;
        const std::size_t loopStart = Be16(f, header + 26) * 2;
        const std::size_t loopLength = Be16(f, header + 28) * 2;
        EXPECT_LE(f[header + 25], 64) << asset.key << " volume of sample " << s;
        if (length > 0) {
          ++usedSamples;
          EXPECT_LE(loopStart + (loopLength > 2 ? loopLength : 0), length) << asset.key;
        }
        sampleBytes += length;
      }
      EXPECT_GE(usedSamples, 5) << asset.key;
      EXPECT_EQ(f.size(), 1084 + patterns * 1024 + sampleBytes) << asset.key;
    }
    EXPECT_GE(modules, 1);
  }
  {
    int modules = 0;
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".xm")) continue;
      ++modules;
      const auto& f = asset.file;
      ASSERT_GE(f.size(), 336u);
      EXPECT_EQ(Text(f, 0, 17), "Extended Module: ");
      EXPECT_EQ(f[37], 0x1A);
      EXPECT_EQ(Le(f, 58, 2), 0x0104u);
      const std::size_t headerSize = Le(f, 60, 4);
      EXPECT_EQ(headerSize, 276u);
      const std::size_t songLength = Le(f, 64, 2);
      const std::size_t channels = Le(f, 68, 2);
      const std::size_t patterns = Le(f, 70, 2);
      const std::size_t instruments = Le(f, 72, 2);
      EXPECT_GE(songLength, 1u);
      EXPECT_GE(channels, 4u);
      EXPECT_LE(channels, 32u);
      EXPECT_EQ(Le(f, 74, 2) & 1u, 1u);  // linear frequencies
      for (std::size_t i = 0; i < songLength; ++i) EXPECT_LT(f[80 + i], patterns);
      // Walk every pattern and instrument: the sizes must add up to the file exactly.
      std::size_t at = 60 + headerSize;
      for (std::size_t p = 0; p < patterns; ++p) {
        ASSERT_LE(at + 9, f.size());
        EXPECT_EQ(Le(f, at, 4), 9u);
        const std::size_t rows = Le(f, at + 5, 2);
        EXPECT_GE(rows, 1u);
        at += 9 + Le(f, at + 7, 2);
      }
      for (std::size_t i = 0; i < instruments; ++i) {
        ASSERT_LE(at + 29, f.size());
        const std::size_t size = Le(f, at, 4);
        const std::size_t samples = Le(f, at + 27, 2);
        ASSERT_EQ(samples, 1u);
        const std::size_t sampleHeaderSize = Le(f, at + 29, 4);
        EXPECT_EQ(sampleHeaderSize, 40u);
        at += size;
        ASSERT_LE(at + 40, f.size());
        const std::size_t length = Le(f, at, 4);
        const std::size_t loopStart = Le(f, at + 4, 4);
        const std::size_t loopLength = Le(f, at + 8, 4);
        EXPECT_LE(f[at + 12], 64u);
        if ((f[at + 14] & 3) != 0) {
          EXPECT_LE(loopStart + loopLength, length) << asset.key;
        }
        at += 40 + length;
      }
      EXPECT_EQ(at, f.size()) << asset.key;
    }
    EXPECT_GE(modules, 1);
  }
}

// Frames a module gives until its end, and their highest absolute sample.
struct Played {
  std::size_t frames = 0;
  float peak = 0.0f;
};

Played PlayToEnd(AudioSource& source) {
  std::vector<float> block(2 * kBlockFrames);
  Played played;
  std::size_t got = kBlockFrames;
  while (got == kBlockFrames && (got = source.Read(block.data(), kBlockFrames)) > 0) {
    played.frames += got;
    for (std::size_t i = 0; i < 2 * got; ++i)
      played.peak = std::max(played.peak, std::abs(block[i]));
  }
  return played;
}

// Frames a stream decoder gives until its end.
std::size_t DecodeToEnd(BlockDecoder& decoder) {
  std::vector<float> block(2 * kBlockFrames);
  std::size_t frames = 0;
  for (std::size_t got; (got = decoder.Decode(block.data(), kBlockFrames)) > 0;) frames += got;
  return frames;
}

TEST(ModuleFileTest, ModulesPlayThroughAndAreNotSilent) {
  for (const SoundAsset& asset : BuiltAssets()) {
    if (!EndsWith(asset.key, ".mod") && !EndsWith(asset.key, ".xm")) continue;
    const std::unique_ptr<ModuleSource> module =
        ModuleSource::Open(asset.file.data(), asset.file.size(), true);
    ASSERT_NE(module, nullptr) << asset.key;
    ASSERT_TRUE(module->Prepare()) << asset.key;
    const Played played = PlayToEnd(*module);
    EXPECT_EQ(played.frames, asset.reviewPcm.size() / 2) << asset.key;
    EXPECT_GT(played.peak, 2000.0f / 32768.0f) << asset.key << " is silent";
  }
}

TEST(StreamFileTest, StreamsAndSamplesDecodeToExactlyTheFramesEncoded) {
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".mp3")) continue;
      EXPECT_NE(Text(asset.file, 0, 3), "ID3") << asset.key;
      EXPECT_NE(Text(asset.file, asset.file.size() - 128, 3), "TAG") << asset.key;
      const std::unique_ptr<Mp3Decoder> decoder =
          Mp3Decoder::Open(asset.file.data(), asset.file.size());
      ASSERT_NE(decoder, nullptr) << asset.key;
      EXPECT_EQ(decoder->Rate(), 44100) << asset.key;
      // The LAME tag carries delay and padding, so the loop length survives the codec.
      EXPECT_EQ(DecodeToEnd(*decoder), asset.reviewPcm.size() / 2) << asset.key;
    }
  }
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".ogg")) continue;
      // The identification header opens the first page: channels at 11, rate at 12.
      const auto& f = asset.file;
      ASSERT_GE(f.size(), 27u + f.at(26) + 16u);
      const std::size_t identification = 27 + f[26];
      EXPECT_EQ(Text(f, identification, 7), "\x01vorbis") << asset.key;
      EXPECT_EQ(f[identification + 11], 2) << asset.key;
      EXPECT_EQ(Le(f, identification + 12, 4), 44100u) << asset.key;
      const std::unique_ptr<OggDecoder> decoder = OggDecoder::Open(f.data(), f.size());
      ASSERT_NE(decoder, nullptr) << asset.key;
      EXPECT_EQ(decoder->Rate(), 44100) << asset.key;
      EXPECT_EQ(DecodeToEnd(*decoder), asset.reviewPcm.size() / 2) << asset.key;
    }
  }
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".wav")) continue;
      const auto& f = asset.file;
      ASSERT_GE(f.size(), 44u);
      EXPECT_EQ(Text(f, 0, 4), "RIFF");
      EXPECT_EQ(Le(f, 4, 4), f.size() - 8);
      EXPECT_EQ(Text(f, 8, 8), "WAVEfmt ");
      EXPECT_EQ(Le(f, 16, 4), 16u);
      EXPECT_EQ(Le(f, 20, 2), 1u);
      const std::uint32_t channels = Le(f, 22, 2);
      EXPECT_EQ(Le(f, 24, 4), 44100u);
      EXPECT_EQ(Le(f, 28, 4), 44100u * 2 * channels);
      EXPECT_EQ(Le(f, 32, 2), 2 * channels);
      EXPECT_EQ(Le(f, 34, 2), 16u);
      EXPECT_EQ(Text(f, 36, 4), "data");
      EXPECT_EQ(Le(f, 40, 4), f.size() - 44);
      EXPECT_EQ((f.size() - 44) / 2 / channels, asset.reviewPcm.size() / 2) << asset.key;
    }
  }
}

}  // namespace
}  // namespace tvx
