// The image record encoder: header fields, the pattern grid, the gutter around patterns and
// the split over several textures when one would exceed 2048 pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "assetbuilder/image_asset.h"
#include "render/PxImageRecord.h"

namespace tvx::assets {
namespace {

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | bytes[offset + i];
  return static_cast<std::int32_t>(v);
}

// Each pattern filled with its own index in every byte, so its place can be found again.
ImageAsset NumberedPatterns(int w, int h, int count) {
  ImageAsset image{"test", w, h, {}};
  for (int i = 0; i < count; ++i) {
    Pixmap p(w, h);
    std::memset(p.bgra.data(), i + 1, p.bgra.size());
    image.patterns.push_back(std::move(p));
  }
  return image;
}

TEST(ImageRecord, SinglePatternHasNoGutterAndTheTextureIsThePicture) {
  const std::vector<std::uint8_t> bytes = EncodeImageRecord(NumberedPatterns(640, 960, 1));
  ASSERT_EQ(bytes.size(), ImageRecordHeaderSize + 640u * 960 * 4);
  EXPECT_EQ(bytes[0], 5) << "A8R8G8B8";
  EXPECT_EQ(Int32At(bytes, 1), 640);  // cell
  EXPECT_EQ(Int32At(bytes, 5), 960);
  EXPECT_EQ(Int32At(bytes, 9), 640);  // draw
  EXPECT_EQ(Int32At(bytes, 13), 960);
  EXPECT_EQ(Int32At(bytes, 17), 1);    // patterns
  EXPECT_EQ(Int32At(bytes, 21), 640);  // texture
  EXPECT_EQ(Int32At(bytes, 25), 960);
  EXPECT_EQ(Int32At(bytes, 29), 1);
}

TEST(ImageRecord, PatternsSitCentredInCellsWithATransparentGutter) {
  const std::vector<std::uint8_t> bytes = EncodeImageRecord(NumberedPatterns(10, 6, 3));
  EXPECT_EQ(Int32At(bytes, 1), 12);
  EXPECT_EQ(Int32At(bytes, 5), 8);
  EXPECT_EQ(Int32At(bytes, 21), 36) << "three cells in one row";
  EXPECT_EQ(Int32At(bytes, 25), 8);
  const auto pixel = [&](int x, int y) { return bytes[ImageRecordHeaderSize + (y * 36 + x) * 4]; };
  EXPECT_EQ(pixel(0, 0), 0);
  EXPECT_EQ(pixel(1, 1), 1);
  EXPECT_EQ(pixel(10, 6), 1);
  EXPECT_EQ(pixel(11, 7), 0);
  EXPECT_EQ(pixel(13, 1), 2);
  EXPECT_EQ(pixel(25, 6), 3);
  EXPECT_EQ(pixel(35, 4), 0);
}

TEST(ImageRecord, LargeSetsContinueOnFurtherTexturesOfTheSameSize) {
  const TextureLayout layout = LayoutFor(298, 298, 100);
  EXPECT_EQ(layout.patternsPerRow, 6);
  EXPECT_EQ(layout.patternsPerColumn, 6);
  EXPECT_EQ(layout.textureCount, 3);
  EXPECT_LE(layout.textureWidth, MaxTextureSize);
  EXPECT_LE(layout.textureHeight, MaxTextureSize);

  const std::vector<std::uint8_t> bytes = EncodeImageRecord(NumberedPatterns(298, 298, 100));
  const std::size_t texture =
      static_cast<std::size_t>(layout.textureWidth) * layout.textureHeight * 4;
  ASSERT_EQ(bytes.size(), ImageRecordHeaderSize + 3 * texture);
  EXPECT_EQ(Int32At(bytes, 29), 3);
  // Pattern 36 is the first of texture 1, pattern 99 the fourth of texture 2.
  EXPECT_EQ(bytes[ImageRecordHeaderSize + texture + (1 * layout.textureWidth + 1) * 4], 37);
  const std::size_t p99 = ImageRecordHeaderSize + 2 * texture +
                          (4 * 300 + 1) * layout.textureWidth * 4 + (3 * 300 + 1) * 4;
  EXPECT_EQ(bytes[p99], 100);
}

TEST(ImageRecord, FewPatternsMakeANarrowTexture) {
  const TextureLayout layout = LayoutFor(35, 30, 2);
  EXPECT_EQ(layout.textureWidth, 74);
  EXPECT_EQ(layout.textureHeight, 32);
  EXPECT_EQ(layout.textureCount, 1);
}

}  // namespace
}  // namespace tvx::assets
