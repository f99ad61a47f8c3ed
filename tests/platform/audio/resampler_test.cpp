// Rate conversion of stream decoders, with a decoder that counts its frames.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/audio/ResampledStream.h"

namespace tvx::audio_detail {
namespace {

// Frame i holds the value i on the left and -i on the right; `block` caps each decode.
class CountingDecoder : public BlockDecoder {
 public:
  CountingDecoder(int rate, std::uint64_t frames, std::size_t block)
      : rate_(rate), frames_(frames), block_(block) {}
  int Rate() const override { return rate_; }
  std::size_t Decode(float* stereo, std::size_t frames) override {
    std::size_t n = 0;
    while (n < std::min(frames, block_) && next_ < frames_) {
      stereo[2 * n] = static_cast<float>(next_);
      stereo[2 * n + 1] = -static_cast<float>(next_);
      ++n;
      ++next_;
    }
    return n;
  }
  bool SeekNative(std::uint64_t frame) override {
    if (frame > frames_) return false;
    next_ = frame;
    return true;
  }

 private:
  int rate_;
  std::uint64_t frames_;
  std::size_t block_;
  std::uint64_t next_ = 0;
};

std::vector<float> ReadAll(ResampledStream& stream, std::size_t chunk) {
  std::vector<float> all;
  std::vector<float> buffer(2 * chunk);
  for (;;) {
    const std::size_t got = stream.Read(buffer.data(), chunk);
    all.insert(all.end(), buffer.begin(), buffer.begin() + 2 * got);
    if (got < chunk) return all;
  }
}

TEST(ResampledStream, AtTheMixRateEveryFrameIsCopiedExactly) {
  ResampledStream stream(std::make_unique<CountingDecoder>(kMixRate, 5000, 333));
  const std::vector<float> out = ReadAll(stream, 700);
  ASSERT_EQ(out.size(), 2u * 5000);
  for (std::size_t i = 0; i < 5000; ++i) {
    ASSERT_EQ(out[2 * i], static_cast<float>(i));
    ASSERT_EQ(out[2 * i + 1], -static_cast<float>(i));
  }
}

TEST(ResampledStream, HalfTheRateIsInterpolatedBetweenFrames) {
  ResampledStream stream(std::make_unique<CountingDecoder>(kMixRate / 2, 3000, 1000));
  const std::vector<float> out = ReadAll(stream, 512);
  // Two output frames per input frame; the last input frame has no successor to reach for.
  ASSERT_NEAR(static_cast<double>(out.size() / 2), 6000.0, 2.0);
  for (std::size_t i = 0; i + 2 < out.size() / 2; ++i) {
    ASSERT_FLOAT_EQ(out[2 * i], static_cast<float>(i) / 2.0f) << i;
  }
}

TEST(ResampledStream, SeekRestartsAtTheScaledFrame) {
  ResampledStream stream(std::make_unique<CountingDecoder>(kMixRate / 2, 3000, 1000));
  std::vector<float> out(2 * 10);
  ASSERT_EQ(stream.Read(out.data(), 10), 10u);
  ASSERT_TRUE(stream.Seek(2000));
  ASSERT_EQ(stream.Read(out.data(), 10), 10u);
  EXPECT_FLOAT_EQ(out[0], 1000.0f);
  EXPECT_FLOAT_EQ(out[2], 1000.5f);
  EXPECT_FALSE(stream.Seek(100000));
}

TEST(ResampledStream, AnEmptyDecoderEndsAtOnce) {
  ResampledStream stream(std::make_unique<CountingDecoder>(kMixRate, 0, 100));
  std::vector<float> out(2 * 10);
  EXPECT_EQ(stream.Read(out.data(), 10), 0u);
}

TEST(ToStereo, MonoIsDoubledAndExtraChannelsDropped) {
  const float mono[] = {1, 2, 3};
  float stereo[6];
  ToStereo(mono, 1, 3, stereo);
  EXPECT_EQ(std::vector<float>(stereo, stereo + 6), (std::vector<float>{1, 1, 2, 2, 3, 3}));
  const float surround[] = {1, 2, 3, 4, 5, 6};
  ToStereo(surround, 3, 2, stereo);
  EXPECT_EQ(std::vector<float>(stereo, stereo + 4), (std::vector<float>{1, 2, 4, 5}));
}

}  // namespace
}  // namespace tvx::audio_detail
