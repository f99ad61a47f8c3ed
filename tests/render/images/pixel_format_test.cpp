#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/GraphicsApi.h"
#include "render/PxPixelFormats.h"

namespace tvx {
namespace {

using enum PixelFormat;

TEST(PixelDecode, SixteenBitRedIsOpaquePureRed) {
  EXPECT_EQ(DecodePixel(pfR5G6B5, 0xF800), 0xFFFF0000u);
}

TEST(PixelDecode, OneBitAlphaClearGivesTransparentWhite) {
  EXPECT_EQ(DecodePixel(pfA1R5G5B5, 0x7FFF), 0x00FFFFFFu);
  EXPECT_EQ(DecodePixel(pfA1R5G5B5, 0x8000), 0xFF000000u);
}

TEST(PixelDecode, FormatsWithoutAlphaAreOpaque) {
  EXPECT_EQ(DecodePixel(pfX8R8G8B8, 0x00123456), 0xFF123456u);
  EXPECT_EQ(DecodePixel(pfX1R5G5B5, 0x8000), 0xFF000000u);  // the unused bit is ignored
  EXPECT_EQ(DecodePixel(pfX4R4G4B4, 0xF00F), 0xFF0000FFu);
}

TEST(PixelDecode, AlphaOnlyIsWhiteWithTheStoredAlpha) {
  EXPECT_EQ(DecodePixel(pfA8, 0x80), 0x80FFFFFFu);
}

TEST(PixelDecode, ThreeThreeTwoHoldsBlueInTheLowBits) {
  EXPECT_EQ(DecodePixel(pfR3G3B2, 0x07), 0xFF0000FFu);
  EXPECT_EQ(DecodePixel(pfR3G3B2, 0x38), 0xFF00FF00u);
  EXPECT_EQ(DecodePixel(pfR3G3B2, 0xC0), 0xFFFF0000u);
  EXPECT_EQ(DecodePixel(pfA8R3G3B2, 0x40C0), 0x40FF0000u);
}

TEST(PixelDecode, FieldsWidenRoundedToEightBits) {
  // 3 of 7 is 109.3, 4 of 7 is 145.7, 16 of 31 is 131.6, 1 of 3 is 85.
  EXPECT_EQ(DecodePixel(pfR3G3B2, 0x03) & 0xFF, 109u);
  EXPECT_EQ(DecodePixel(pfR3G3B2, 0x04) & 0xFF, 146u);
  EXPECT_EQ(DecodePixel(pfR5G6B5, 0x0010) & 0xFF, 132u);
  // From bit 0: blue 01, green 11, red 10, alpha 01.
  EXPECT_EQ(DecodePixel(pfA2R2G2B2, 0b01'10'11'01), 0x55AAFF55u);
}

struct EncodeCase {
  PixelFormat format;
  std::uint32_t expected;
};

class PixelEncode : public ::testing::TestWithParam<EncodeCase> {};

// a 0x80, r 0xFF, g 0x80, b 0x40: keeps the top bits of each channel.
TEST_P(PixelEncode, KeepsTheTopBitsOfEachChannel) {
  EXPECT_EQ(EncodePixel(GetParam().format, 0x80FF8040u), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, PixelEncode,
    ::testing::Values(EncodeCase{pfR3G3B2, 0xE2}, EncodeCase{pfR5G6B5, 0xFC08},
                      EncodeCase{pfX8R8G8B8, 0xFFFF8040}, EncodeCase{pfX1R5G5B5, 0x7E08},
                      EncodeCase{pfX4R4G4B4, 0x0F84}, EncodeCase{pfA8R8G8B8, 0x80FF8040},
                      EncodeCase{pfA1R5G5B5, 0xFE08}, EncodeCase{pfA4R4G4B4, 0x8F84},
                      EncodeCase{pfA8R3G3B2, 0x80E2}, EncodeCase{pfA2R2G2B2, 0xB9},
                      EncodeCase{pfA8, 0x80}));

TEST(PixelEncodeUnusedBits, XFormatsWriteZeroTopBitsOrAFullTopByte) {
  EXPECT_EQ(EncodePixel(pfX1R5G5B5, 0xFFFFFFFF), 0x7FFFu);
  EXPECT_EQ(EncodePixel(pfX4R4G4B4, 0xFFFFFFFF), 0x0FFFu);
  EXPECT_EQ(EncodePixel(pfX8R8G8B8, 0x00000000), 0xFF000000u);
}

TEST(PixelRoundTrip, EveryStoredValueSurvivesDecodeAndEncode) {
  for (std::uint8_t f = 0; f < PixelFormatCount; ++f) {
    const auto format = static_cast<PixelFormat>(f);
    const TPixelFormatInfo& info = PixelFormatInfo(format);
    const unsigned used = info.blueBits + info.greenBits + info.redBits + info.alphaBits;
    const std::uint32_t limit = used >= 16 ? 0x10000 : (1u << used);
    for (std::uint32_t value = 0; value < limit; value += (used > 16 ? 257 : 1)) {
      ASSERT_EQ(EncodePixel(format, DecodePixel(format, value)), value | info.fillBits)
          << "format " << int{f} << " value " << value;
    }
  }
}

TEST(PixelRows, RowsAreLittleEndian) {
  const std::vector<std::uint8_t> stored{0x00, 0xF8, 0x1F, 0x00};  // red, blue
  std::vector<std::uint32_t> wide(2);
  DecodeRow(pfR5G6B5, stored.data(), wide.data(), 2);
  EXPECT_EQ(wide[0], 0xFFFF0000u);
  EXPECT_EQ(wide[1], 0xFF0000FFu);
  std::vector<std::uint8_t> encoded(4);
  EncodeRow(pfA4R4G4B4, wide.data(), encoded.data(), 2);
  EXPECT_EQ(encoded, (std::vector<std::uint8_t>{0x00, 0xFF, 0x0F, 0xF0}));
}

TEST(PixelFormatTable, StoredBytesAndDeviceFormats) {
  EXPECT_FALSE(PixelFormatFromByte(11).has_value());
  EXPECT_EQ(PixelFormatFromByte(10), pfA8);
  EXPECT_EQ(PixelFormatOfDevice(gfx::format::A8R3G3B2), pfA8R3G3B2);
  EXPECT_EQ(PixelFormatOfDevice(gfx::format::X4R4G4B4), pfX4R4G4B4);
  EXPECT_FALSE(PixelFormatOfDevice(gfx::format::Unknown).has_value());
  EXPECT_FALSE(PixelFormatOfDevice(gfx::format::D16).has_value());
  EXPECT_EQ(PixelFormatInfo(pfA2R2G2B2).deviceFormat, gfx::format::Unknown);
}

TEST(PixelFormatTable, RowsCopyOnlyBetweenSameLayouts) {
  EXPECT_TRUE(RowsCopyUnchanged(pfR5G6B5, pfR5G6B5));
  EXPECT_TRUE(RowsCopyUnchanged(pfX8R8G8B8, pfA8R8G8B8));
  EXPECT_TRUE(RowsCopyUnchanged(pfA8R8G8B8, pfX8R8G8B8));
  EXPECT_TRUE(RowsCopyUnchanged(pfX4R4G4B4, pfA4R4G4B4));
  EXPECT_FALSE(RowsCopyUnchanged(pfX1R5G5B5, pfA1R5G5B5));
  EXPECT_FALSE(RowsCopyUnchanged(pfR5G6B5, pfX1R5G5B5));
}

}  // namespace
}  // namespace tvx
