// Rows land one pitch apart, whatever the pitch: a device may pad its texture rows.
#include <gtest/gtest.h>

#include <vector>

#include "core/Component.h"
#include "harness/ImageRecordBuilder.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "render/PxDevices.h"
#include "render/PxImages.h"

namespace tvx {
namespace {

using testing::ImageRecordBuilder;

// Hands out a padded copy of each locked texture level; the padding must stay untouched.
class PaddedPitchApi : public gfx::RecordingGraphicsApi {
 public:
  static constexpr std::int32_t kPadding = 6;
  static constexpr std::uint8_t kUntouched = 0xEE;

  gfx::Result LockRect(gfx::TextureHandle texture, std::uint32_t level, gfx::LockedRect& locked,
                       const gfx::Rect* rect, std::uint32_t flags) override {
    const gfx::Result result = RecordingGraphicsApi::LockRect(texture, level, locked, rect, flags);
    if (!gfx::Succeeded(result)) return result;
    rowBytes = locked.pitch;
    const auto rows = static_cast<std::size_t>(TextureDescription(texture).height);
    padded.assign(static_cast<std::size_t>(rowBytes + kPadding) * rows, kUntouched);
    locked.bits = padded.data();
    locked.pitch = rowBytes + kPadding;
    return result;
  }

  std::int32_t rowBytes = 0;
  std::vector<std::uint8_t> padded;
};

class ImagePitch : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device->Initialize()); }

  bool Load(TPxImage& image, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(0);
    return image.LoadFromStream(stream);
  }

  // Row y of the padded texture, without its padding, and the padding after it.
  std::vector<std::uint8_t> Row(std::size_t y) const {
    const std::size_t pitch = static_cast<std::size_t>(api.rowBytes + PaddedPitchApi::kPadding);
    const auto begin = api.padded.begin() + static_cast<std::ptrdiff_t>(y * pitch);
    return {begin, begin + api.rowBytes};
  }
  std::vector<std::uint8_t> Padding(std::size_t y) const {
    const std::size_t pitch = static_cast<std::size_t>(api.rowBytes + PaddedPitchApi::kPadding);
    const auto begin = api.padded.begin() + static_cast<std::ptrdiff_t>(y * pitch + api.rowBytes);
    return {begin, begin + PaddedPitchApi::kPadding};
  }

  PaddedPitchApi api;
  testing::RenderRig rig{api};
  TPxDevice* device = rig.device;
};

TEST_F(ImagePitch, CopiedRowsFollowThePitch) {
  TPxImage image(device);
  ASSERT_TRUE(Load(image, ImageRecordBuilder()
                              .Texture(2, 2)
                              .Pixels({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})
                              .Bytes()));
  EXPECT_EQ(Row(0), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Row(1), (std::vector<std::uint8_t>{9, 10, 11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(Padding(0), std::vector<std::uint8_t>(PaddedPitchApi::kPadding, 0xEE));
  EXPECT_EQ(Padding(1), std::vector<std::uint8_t>(PaddedPitchApi::kPadding, 0xEE));
}

TEST_F(ImagePitch, ConvertedRowsFollowThePitch) {
  TPxImage image(device);
  ASSERT_TRUE(Load(image, ImageRecordBuilder()
                              .Format(PixelFormat::pfA8)
                              .Texture(1, 3)
                              .Pixels({0x10, 0x20, 0x30})
                              .Bytes()));
  EXPECT_EQ(Row(0), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x10}));
  EXPECT_EQ(Row(2), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x30}));
  EXPECT_EQ(Padding(1), std::vector<std::uint8_t>(PaddedPitchApi::kPadding, 0xEE));
}

}  // namespace
}  // namespace tvx
