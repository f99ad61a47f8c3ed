#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "harness/ImageRecordBuilder.h"
#include "render/PxImages.h"
#include "render_test_fixture.h"

namespace tvx {
namespace {

using gfx::Call;
using testing::ImageRecordBuilder;
namespace fmt = gfx::format;

class ImageLoad : public testing::RenderTest {
 protected:
  // The first 32-bit texel of texture `index` of the image.
  std::uint32_t Texel32(const TPxImage& image, std::int32_t index, std::size_t pixel = 0) {
    const auto& data = api.TextureData(image.Texture(index), 0);
    std::uint32_t value = 0;
    EXPECT_GE(data.size(), 4 * (pixel + 1));
    if (data.size() >= 4 * (pixel + 1)) std::memcpy(&value, data.data() + 4 * pixel, 4);
    return value;
  }
  std::uint16_t Texel16(const TPxImage& image, std::size_t pixel = 0) {
    const auto& data = api.TextureData(image.Texture(0), 0);
    std::uint16_t value = 0;
    if (data.size() >= 2 * (pixel + 1)) std::memcpy(&value, data.data() + 2 * pixel, 2);
    return value;
  }
};

TEST_F(ImageLoad, StoredXRGBOnAnARGBTextureIsCopiedWithItsFourthByteAsAlpha) {
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder()
                                   .Format(PixelFormat::pfX8R8G8B8)
                                   .Texture(4, 2)
                                   .FillPixels(0x12345678)
                                   .Bytes()));
  EXPECT_EQ(image.Format(), fmt::A8R8G8B8);
  EXPECT_EQ(Texel32(image, 0), 0x12345678u);
  EXPECT_EQ(Texel32(image, 0, 7), 0x12345678u);
}

TEST_F(ImageLoad, SixteenBitPixelsAreDecodedOntoTheTexture) {
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(
      image,
      ImageRecordBuilder().Format(PixelFormat::pfR5G6B5).Texture(2, 2).FillPixels(0xF800).Bytes()));
  EXPECT_EQ(Texel32(image, 0), 0xFFFF0000u);
  EXPECT_EQ(Texel32(image, 0, 3), 0xFFFF0000u);
}

TEST_F(ImageLoad, RowsAreEncodedIntoASmallerTextureFormat) {
  api.SetAcceptedFormats({fmt::A4R4G4B4});
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder()
                                   .Format(PixelFormat::pfA8R8G8B8)
                                   .Texture(2, 1)
                                   .Pixels({0x40, 0x80, 0xFF, 0x80, 0xFF, 0xFF, 0xFF, 0xFF})
                                   .Bytes()));
  EXPECT_EQ(image.Format(), fmt::A4R4G4B4);
  EXPECT_EQ(Texel16(image, 0), 0x8F84);
  EXPECT_EQ(Texel16(image, 1), 0xFFFF);
}

TEST_F(ImageLoad, OneBitAlphaOnAnOpaqueTextureLosesItsTopBit) {
  api.SetAcceptedFormats({fmt::X1R5G5B5});
  TPxImage image(device);
  image.SetAlphaLevel(TAlphaLevel::alNone);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder()
                                   .Format(PixelFormat::pfA1R5G5B5)
                                   .Texture(1, 1)
                                   .FillPixels(0xFFFF)
                                   .Bytes()));
  EXPECT_EQ(image.Format(), fmt::X1R5G5B5);
  EXPECT_EQ(Texel16(image), 0x7FFF);
}

TEST_F(ImageLoad, EveryTextureGetsItsOwnRowsInOrder) {
  std::vector<std::uint8_t> pixels;
  for (std::uint8_t t = 0; t < 3; ++t) {
    for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), {t, t, t, 0xFF});
  }
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder().Texture(2, 2, 3).Pixels(pixels).Bytes()));
  EXPECT_EQ(api.Count(Call::CreateTexture), 3u);
  EXPECT_EQ(Texel32(image, 0, 3), 0xFF000000u);
  EXPECT_EQ(Texel32(image, 2, 0), 0xFF020202u);
  EXPECT_EQ(api.Count(Call::LockRect), 3u);
  EXPECT_EQ(api.Count(Call::UnlockRect), 3u);
}

TEST_F(ImageLoad, TexturesAreCreatedWithTheImageSettings) {
  TPxImage plain(device);
  plain.SetMipmapping(false);
  ASSERT_TRUE(LoadBytes(plain, ImageRecordBuilder().Texture(8, 4).Bytes()));
  TPxImage mipmapped(device);
  ASSERT_TRUE(LoadBytes(mipmapped, ImageRecordBuilder().Texture(8, 4).Bytes()));
  const auto created = api.Calls(Call::CreateTexture);
  ASSERT_EQ(created.size(), 2u);
  // width, height, levels, usage, format, pool
  EXPECT_EQ(created[0].args,
            (std::array<std::uint32_t, 6>{8, 4, 1, 0, fmt::A8R8G8B8, gfx::pool::Managed}));
  EXPECT_EQ(created[1].args[2], 0u);
  EXPECT_EQ(created[1].args[3], gfx::usage::AutoGenMipMap);
}

struct RejectedCase {
  const char* what;
  ImageRecordBuilder record;
};

class RejectedImageRecord : public ImageLoad, public ::testing::WithParamInterface<RejectedCase> {};

// None of them may leave textures behind, and none creates textures for rows that are not there.
TEST_P(RejectedImageRecord, FailsWithoutCreatingTextures) {
  TPxImage image(device);
  EXPECT_FALSE(LoadBytes(image, GetParam().record.Bytes())) << GetParam().what;
  EXPECT_EQ(image.State(), TextureState::Inactive);
  EXPECT_EQ(api.Count(Call::CreateTexture), 0u);
  EXPECT_EQ(api.LiveTextures(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    BadHeaders, RejectedImageRecord,
    ::testing::Values(
        RejectedCase{"format byte outside the table", ImageRecordBuilder().FormatByte(11)},
        RejectedCase{"short header", ImageRecordBuilder().Texture(0, 0).Truncate(1)},
        RejectedCase{"negative width", ImageRecordBuilder().Texture(-16, 16)},
        RejectedCase{"zero height", ImageRecordBuilder().Texture(16, 0)},
        RejectedCase{"huge width", ImageRecordBuilder().Texture(9000, 1).Pixels({})},
        RejectedCase{"huge both", ImageRecordBuilder().Texture(0x7FFFFFFF, 0x7FFFFFFF).Pixels({})},
        RejectedCase{"cell wider than texture", ImageRecordBuilder().Cell(32, 8).Texture(16, 16)},
        RejectedCase{"draw larger than cell",
                     ImageRecordBuilder().Cell(8, 8).Draw(9, 8).Texture(16, 16)},
        RejectedCase{"last row cut short", ImageRecordBuilder().Texture(16, 16, 2).Truncate(1)},
        RejectedCase{"texture count the data cannot hold",
                     ImageRecordBuilder().Texture(16, 16, 1000000000).Pixels({1, 2, 3})}));

TEST_F(ImageLoad, NoAcceptableFormatFailsBeforeCreatingTextures) {
  api.SetAcceptedFormats({fmt::R5G6B5});
  TPxImage image(device);
  EXPECT_FALSE(LoadBytes(image, ImageRecordBuilder().Texture(4, 4).Bytes()));
  EXPECT_EQ(api.Count(Call::CheckDeviceFormat), 4u);
  EXPECT_EQ(api.Count(Call::CreateTexture), 0u);
}

TEST_F(ImageLoad, AFailedTextureCreationReleasesTheOnesBefore) {
  api.QueueResults(Call::CreateTexture, {gfx::Ok, gfx::Fail});
  TPxImage image(device);
  EXPECT_FALSE(LoadBytes(image, ImageRecordBuilder().Texture(4, 4, 3).Bytes()));
  EXPECT_EQ(image.State(), TextureState::Inactive);
  EXPECT_EQ(api.Count(Call::CreateTexture), 2u);
  EXPECT_EQ(api.LiveTextures(), 0u);
}

TEST_F(ImageLoad, AFailedLockReleasesEveryTexture) {
  api.QueueResults(Call::LockRect, {gfx::Ok, gfx::Fail});
  TPxImage image(device);
  EXPECT_FALSE(LoadBytes(image, ImageRecordBuilder().Texture(4, 4, 2).Bytes()));
  EXPECT_EQ(image.State(), TextureState::Inactive);
  EXPECT_EQ(api.LiveTextures(), 0u);
  EXPECT_EQ(api.Count(Call::UnlockRect), 1u);
}

struct ChoiceCase {
  TAlphaLevel alpha;
  TPxQuality quality;
  std::set<std::uint32_t> offered;
  std::uint32_t chosen;
};

class FormatChoice : public testing::RenderTest,
                     public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(FormatChoice, TakesTheFirstCandidateTheDeviceOffers) {
  api.SetAcceptedFormats(GetParam().offered);
  TPxImage image(device);
  image.SetAlphaLevel(GetParam().alpha);
  image.SetQuality(GetParam().quality);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder().Texture(4, 4).Bytes()));
  EXPECT_EQ(image.Format(), GetParam().chosen);
}

using enum TAlphaLevel;
using enum TPxQuality;
INSTANTIATE_TEST_SUITE_P(
    Walks, FormatChoice,
    ::testing::Values(
        ChoiceCase{alFull, pqHigh, {fmt::A1R5G5B5, fmt::A8R8G8B8}, fmt::A8R8G8B8},
        ChoiceCase{alFull, pqHigh, {fmt::A1R5G5B5, fmt::A8R3G3B2}, fmt::A8R3G3B2},
        ChoiceCase{alFull, pqMedium, {fmt::A1R5G5B5, fmt::A8R3G3B2}, fmt::A8R3G3B2},
        ChoiceCase{alFull, pqLow, {fmt::A1R5G5B5, fmt::A8R3G3B2}, fmt::A1R5G5B5},
        ChoiceCase{alFull, pqLow, {fmt::A8R8G8B8, fmt::A4R4G4B4}, fmt::A4R4G4B4},
        ChoiceCase{alNone, pqLow, {fmt::R5G6B5, fmt::X8R8G8B8, fmt::R3G3B2}, fmt::R3G3B2},
        ChoiceCase{alNone, pqMedium, {fmt::X8R8G8B8, fmt::R3G3B2}, fmt::X8R8G8B8},
        ChoiceCase{alNone, pqHigh, {fmt::R5G6B5, fmt::X4R4G4B4}, fmt::R5G6B5},
        ChoiceCase{alNone, pqHigh, {fmt::R3G3B2, fmt::A8R8G8B8}, fmt::R3G3B2},
        ChoiceCase{alMask, pqHigh, {fmt::A8R8G8B8, fmt::A4R4G4B4}, fmt::A4R4G4B4},
        ChoiceCase{alMask, pqLow, {fmt::A8R3G3B2}, fmt::A8R3G3B2},
        ChoiceCase{alExclusive, pqHigh, {fmt::A8, fmt::A8R8G8B8}, fmt::A8},
        ChoiceCase{alExclusive, pqLow, {fmt::A1R5G5B5, fmt::A4R4G4B4}, fmt::A4R4G4B4}));

TEST_F(ImageLoad, FormatsAreCheckedAgainstTheDisplayFormatWithTheTextureUsage) {
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder().Texture(4, 4).Bytes()));
  const auto checks = api.Calls(Call::CheckDeviceFormat);
  ASSERT_FALSE(checks.empty());
  // device type, display format, usage, resource type, candidate
  EXPECT_EQ(checks.back().args[0], gfx::devtype::Hal);
  EXPECT_EQ(checks.back().args[1], device->DisplayFormat());
  EXPECT_EQ(checks.back().args[2], gfx::usage::AutoGenMipMap);
  EXPECT_EQ(checks.back().args[3], gfx::rtype::Texture);
  EXPECT_EQ(checks.back().args[4], fmt::A8R8G8B8);
}

}  // namespace
}  // namespace tvx
