// Every sound file as the game's decoders will see it: module headers read by hand, then
// each file through the same libraries the audio layer uses.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <mpg123.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "asset_fixture.h"

namespace tvx {
namespace {

using test::BuiltAssets;
using test::EndsWith;
using test::ReviewSeconds;

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

TEST(ModuleFileTest, ModulesPlayForTheLengthOfOurRenderingThroughLibopenmpt) {
  for (const SoundAsset& asset : BuiltAssets()) {
    if (!EndsWith(asset.key, ".mod") && !EndsWith(asset.key, ".xm")) continue;
    openmpt_module* module =
        openmpt_module_create_from_memory2(asset.file.data(), asset.file.size(), nullptr, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(module, nullptr) << asset.key;
    EXPECT_NEAR(openmpt_module_get_duration_seconds(module), ReviewSeconds(asset),
                0.01 * ReviewSeconds(asset))
        << asset.key;
    std::vector<std::int16_t> pcm(2 * 44100 * 4);
    const std::size_t frames =
        openmpt_module_read_interleaved_stereo(module, 44100, pcm.size() / 2, pcm.data());
    EXPECT_EQ(frames, pcm.size() / 2) << asset.key;
    int peak = 0;
    for (std::int16_t s : pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 2000) << asset.key << " is silent";
    openmpt_module_destroy(module);
  }
}

// Decodes a whole MP3 from memory; returns the frames, or -1 on a decoder error.
long DecodeMp3Frames(const std::vector<std::uint8_t>& file, int& channels) {
  int error = 0;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  if (handle == nullptr) return -1;
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_format_none(handle);
  mpg123_format(handle, 44100, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  long frames = -1;
  if (mpg123_open_feed(handle) == MPG123_OK &&
      mpg123_feed(handle, file.data(), file.size()) == MPG123_OK) {
    std::vector<unsigned char> buffer(1 << 16);
    long bytes = 0;
    channels = 0;
    for (;;) {
      std::size_t done = 0;
      const int result = mpg123_read(handle, buffer.data(), buffer.size(), &done);
      bytes += static_cast<long>(done);
      if (result == MPG123_NEW_FORMAT) {
        long rate = 0;
        int encoding = 0;
        mpg123_getformat(handle, &rate, &channels, &encoding);
        continue;
      }
      if (result == MPG123_OK) continue;
      if (result == MPG123_NEED_MORE || result == MPG123_DONE)
        frames = bytes / 2 / std::max(1, channels);
      break;
    }
  }
  mpg123_delete(handle);
  return frames;
}

struct MemoryFile {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  const std::size_t wanted = size * count;
  const std::size_t n = std::min(wanted, file->bytes->size() - file->at);
  std::memcpy(out, file->bytes->data() + file->at, n);
  file->at += n;
  return size == 0 ? 0 : n / size;
}

TEST(StreamFileTest, StreamsAndSamplesDecodeToExactlyTheFramesEncoded) {
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".mp3")) continue;
      EXPECT_NE(Text(asset.file, 0, 3), "ID3") << asset.key;
      EXPECT_NE(Text(asset.file, asset.file.size() - 128, 3), "TAG") << asset.key;
      int channels = 0;
      const long frames = DecodeMp3Frames(asset.file, channels);
      // The LAME tag carries delay and padding, so the loop length survives the codec.
      EXPECT_EQ(frames, static_cast<long>(asset.reviewPcm.size() / 2)) << asset.key;
      EXPECT_TRUE(channels == 1 || channels == 2) << asset.key;
    }
  }
  {
    for (const SoundAsset& asset : BuiltAssets()) {
      if (!EndsWith(asset.key, ".ogg")) continue;
      MemoryFile source{&asset.file};
      OggVorbis_File vorbis;
      const ov_callbacks callbacks{ReadMemory, nullptr, nullptr, nullptr};
      ASSERT_EQ(ov_open_callbacks(&source, &vorbis, nullptr, 0, callbacks), 0) << asset.key;
      const vorbis_info* info = ov_info(&vorbis, -1);
      ASSERT_NE(info, nullptr);
      EXPECT_EQ(info->channels, 2);
      EXPECT_EQ(info->rate, 44100);
      long frames = 0;
      std::vector<char> buffer(1 << 16);
      int section = 0;
      for (long got; (got = ov_read(&vorbis, buffer.data(), static_cast<int>(buffer.size()), 0, 2,
                                    1, &section)) > 0;) {
        frames += got / 4;
      }
      EXPECT_EQ(frames, static_cast<long>(asset.reviewPcm.size() / 2)) << asset.key;
      ov_clear(&vorbis);
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
