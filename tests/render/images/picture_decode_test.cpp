// Pictures of image and font records decoded without a device: patterns cut from their cells,
// stored formats widened to 32 bits, and damaged records refused whole.
#include <gtest/gtest.h>

#include "harness/ImageRecordBuilder.h"
#include "render/PxPictureDecode.h"

namespace tvx {
namespace {

using testing::FontRecordBuilder;
using testing::ImageRecordBuilder;

TMemoryStream StreamOf(std::vector<std::uint8_t> bytes) {
  TMemoryStream stream;
  stream.Write(std::move(bytes));
  stream.Seek(0);
  return stream;
}

std::optional<TDecodedPicture> Decode(std::vector<std::uint8_t> bytes) {
  TMemoryStream stream = StreamOf(std::move(bytes));
  return DecodePictureRecord(stream);
}

// A 4 x 4 texture of four 2 x 2 cells whose pixel (x, y) holds 0xFF000000 + 16 y + x.
std::vector<std::uint8_t> NumberedPixels() {
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t y = 0; y < 4; ++y)
    for (std::uint32_t x = 0; x < 4; ++x) AppendLittleEndian(bytes, 0xFF000000u + 16 * y + x);
  return bytes;
}

TEST(PictureDecode, PatternsAreTheCellsRowByRowThenTextureByTexture) {
  std::vector<std::uint8_t> pixels = NumberedPixels();
  const std::vector<std::uint8_t> second = NumberedPixels();
  pixels.insert(pixels.end(), second.begin(), second.end());
  const auto picture = Decode(ImageRecordBuilder()
                                  .Cell(2, 2)
                                  .Draw(2, 2)
                                  .Texture(4, 4, 2)
                                  .Patterns(6)
                                  .Pixels(pixels)
                                  .Bytes());
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->patterns.size(), 6u);
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->patterns[1],
            (std::vector<std::uint32_t>{0xFF000002, 0xFF000003, 0xFF000012, 0xFF000013}));
  EXPECT_EQ(picture->patterns[2][0], 0xFF000020u);
  EXPECT_EQ(picture->patterns[5][3], 0xFF000013u);  // the second texture's second cell
}

TEST(PictureDecode, TheDrawnPartIsCentredInItsCell) {
  const auto picture = Decode(
      ImageRecordBuilder().Cell(4, 4).Draw(2, 2).Texture(4, 4).Pixels(NumberedPixels()).Bytes());
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->patterns.size(), 1u);
  EXPECT_EQ(picture->patterns[0],
            (std::vector<std::uint32_t>{0xFF000011, 0xFF000012, 0xFF000021, 0xFF000022}));
}

TEST(PictureDecode, NoMorePatternsThanAFontCanReach) {
  const auto picture = Decode(ImageRecordBuilder().Cell(1, 1).Draw(1, 1).Texture(20, 20).Bytes());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->patterns.size(), static_cast<std::size_t>(kMaxDecodedPatterns));
}

TEST(PictureDecode, NarrowFormatsWidenToFullChannels) {
  const auto picture = Decode(
      ImageRecordBuilder().Format(PixelFormat::pfR5G6B5).Texture(2, 1).FillPixels(0xF800).Bytes());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->patterns[0][1], 0xFFFF0000u);
}

TEST(PictureDecode, DamagedRecordsGiveNothing) {
  EXPECT_FALSE(Decode(ImageRecordBuilder().Truncate(1).Bytes())) << "a row short";
  EXPECT_FALSE(Decode(ImageRecordBuilder().Cell(32, 8).Bytes())) << "cell wider than the texture";
  EXPECT_FALSE(Decode(ImageRecordBuilder().Cell(8, 8).Draw(9, 8).Bytes())) << "drawn part too big";
  EXPECT_FALSE(Decode(ImageRecordBuilder().Texture(9000, 1).Bytes())) << "texture too large";
  EXPECT_FALSE(Decode(ImageRecordBuilder().Texture(4, 4, 0).Bytes())) << "no texture";
  EXPECT_FALSE(Decode(ImageRecordBuilder().FormatByte(200).Bytes())) << "unknown format";
  EXPECT_FALSE(Decode(std::vector<std::uint8_t>(10))) << "a short header";
}

TEST(PictureDecode, FontsKeepTheirAdvancesAndRefuseAShortGlyphTable) {
  const std::vector<std::uint8_t> glyphs =
      ImageRecordBuilder().Cell(2, 2).Draw(2, 2).Texture(4, 4).Bytes();
  TMemoryStream good = StreamOf(
      FontRecordBuilder().FirstChar(65).GlyphSpacing(-1).Advances({3, 5}).Picture(glyphs).Bytes());
  const std::optional<TDecodedFont> font = DecodeFontRecord(good);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->firstChar, 65);
  EXPECT_EQ(font->glyphSpacing, -1);
  EXPECT_EQ(font->advances, (std::vector<std::int32_t>{3, 5}));
  EXPECT_EQ(font->glyphs.patterns.size(), 4u);

  TMemoryStream shortTable =
      StreamOf(FontRecordBuilder().Advances({3}).GlyphCountField(1000).Bytes());
  EXPECT_FALSE(DecodeFontRecord(shortTable));
  TMemoryStream noPicture = StreamOf(FontRecordBuilder().Advances({3}).Bytes());
  EXPECT_FALSE(DecodeFontRecord(noPicture));
}

}  // namespace
}  // namespace tvx
