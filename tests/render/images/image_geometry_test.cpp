#include <gtest/gtest.h>

#include "harness/ImageRecordBuilder.h"
#include "render/PxImages.h"
#include "render_test_fixture.h"

namespace tvx {
namespace {

using testing::ImageRecordBuilder;

class ImageGeometry : public testing::RenderTest {
 protected:
  // Texture coordinates in texture pixels, and the texture index, of a selection.
  struct Placement {
    float left, top, right, bottom;
    std::int32_t texture;
  };

  Placement Place(const TPxImage& image, PatternSelection selection) {
    FloatQuad uv{};
    std::int32_t texture = -1;
    EXPECT_TRUE(image.PatternCoordinates(selection, uv, texture));
    const float w = static_cast<float>(image.Width());
    const float h = static_cast<float>(image.Height());
    // Corner order: top-left, top-right, bottom-right, bottom-left.
    EXPECT_EQ(uv.p[0].y, uv.p[1].y);
    EXPECT_EQ(uv.p[2].y, uv.p[3].y);
    EXPECT_EQ(uv.p[0].x, uv.p[3].x);
    EXPECT_EQ(uv.p[1].x, uv.p[2].x);
    return {uv.p[0].x * w, uv.p[0].y * h, uv.p[2].x * w, uv.p[2].y * h, texture};
  }

  static PatternSelection Pattern(std::int32_t pattern) { return {pattern, 0, 0, 0, 0, 0, 0}; }

  static void ExpectEdges(const Placement& p, float left, float top, float right, float bottom) {
    EXPECT_FLOAT_EQ(p.left, left);
    EXPECT_FLOAT_EQ(p.top, top);
    EXPECT_FLOAT_EQ(p.right, right);
    EXPECT_FLOAT_EQ(p.bottom, bottom);
  }
};

TEST_F(ImageGeometry, DrawSizeDefaultsToTheTextureAndMustFitTheCell) {
  TPxImage image(device);
  EXPECT_FALSE(
      LoadBytes(image, ImageRecordBuilder().Cell(64, 64).Draw(0, 0).Texture(256, 256).Bytes()));
  EXPECT_EQ(image.State(), TextureState::Inactive);
  EXPECT_EQ(api.Count(gfx::Call::CreateTexture), 0u);
}

TEST_F(ImageGeometry, DrawnPartIsCentredInItsCell) {
  TPxImage image(device);
  ASSERT_TRUE(
      LoadBytes(image, ImageRecordBuilder().Cell(64, 32).Draw(60, 30).Texture(256, 256).Bytes()));
  EXPECT_EQ(image.PatternsPerRow(), 4);
  EXPECT_EQ(image.PatternsPerColumn(), 8);
  EXPECT_EQ(image.PatternsPerTexture(), 32);
  EXPECT_EQ(image.PatternCount(), 32);
  const Placement p = Place(image, Pattern(5));
  ExpectEdges(p, 66, 33, 126, 63);
  EXPECT_EQ(p.texture, 0);
}

TEST_F(ImageGeometry, MissingSizesBecomeTheWholeTexture) {
  TPxImage image(device);
  ASSERT_TRUE(
      LoadBytes(image, ImageRecordBuilder().Cell(0, -3).Draw(0, 0).Texture(32, 16).Bytes()));
  EXPECT_EQ(image.CellSize().x, 32);
  EXPECT_EQ(image.CellSize().y, 16);
  EXPECT_EQ(image.DrawSize().x, 32);
  EXPECT_EQ(image.DrawSize().y, 16);
  EXPECT_EQ(image.PatternCount(), 1);
}

TEST_F(ImageGeometry, PatternsRunTextureByTextureAndClampAtBothEnds) {
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(
      image,
      ImageRecordBuilder().Cell(64, 32).Draw(64, 32).Patterns(40).Texture(256, 256, 2).Bytes()));
  Placement p = Place(image, Pattern(35));  // pattern 3 of texture 1
  EXPECT_EQ(p.texture, 1);
  EXPECT_FLOAT_EQ(p.left, 192);
  EXPECT_FLOAT_EQ(p.top, 0);
  p = Place(image, Pattern(99));  // clamped to 39: pattern 7 of texture 1
  EXPECT_EQ(p.texture, 1);
  EXPECT_FLOAT_EQ(p.left, 192);
  EXPECT_FLOAT_EQ(p.top, 32);
  EXPECT_FLOAT_EQ(p.bottom, 64);
  p = Place(image, Pattern(-4));
  EXPECT_EQ(p.texture, 0);
  EXPECT_FLOAT_EQ(p.left, 0);
  EXPECT_FLOAT_EQ(p.top, 0);
}

TEST_F(ImageGeometry, MirrorAndFlipExchangeTheEdges) {
  TPxImage image(device);
  ASSERT_TRUE(
      LoadBytes(image, ImageRecordBuilder().Cell(64, 32).Draw(60, 30).Texture(256, 256).Bytes()));
  PatternSelection mirrored = Pattern(5);
  mirrored.mirror = 1;
  ExpectEdges(Place(image, mirrored), 126, 33, 66, 63);
  PatternSelection flipped = Pattern(5);
  flipped.flip = 1;
  ExpectEdges(Place(image, flipped), 66, 63, 126, 33);
  PatternSelection turned = Pattern(5);
  turned.flip = turned.mirror = 1;
  ExpectEdges(Place(image, turned), 126, 63, 66, 33);
}

TEST_F(ImageGeometry, SourceRectangleIsInsideTheDrawnPart) {
  TPxImage image(device);
  ASSERT_TRUE(
      LoadBytes(image, ImageRecordBuilder().Cell(64, 32).Draw(60, 30).Texture(256, 256).Bytes()));
  ExpectEdges(Place(image, {5, 2, 3, 10, 5, 0, 0}), 68, 36, 78, 41);
}

TEST_F(ImageGeometry, RefusesWithoutTexturesOrPatternsOrWhenInactive) {
  FloatQuad uv{};
  std::int32_t texture = -1;
  TPxImage inactive(device);
  EXPECT_FALSE(inactive.PatternCoordinates(Pattern(0), uv, texture));

  TPxImage noTextures(device);
  ASSERT_TRUE(LoadBytes(noTextures, ImageRecordBuilder().Texture(16, 16, -2).Bytes()));
  EXPECT_EQ(noTextures.TextureCount(), 0);
  EXPECT_FALSE(noTextures.PatternCoordinates(Pattern(0), uv, texture));

  // More patterns promised than the one texture holds: those beyond it show nothing.
  TPxImage overPromised(device);
  ASSERT_TRUE(
      LoadBytes(overPromised,
                ImageRecordBuilder().Cell(8, 8).Draw(8, 8).Patterns(10).Texture(16, 16).Bytes()));
  EXPECT_TRUE(overPromised.PatternCoordinates(Pattern(3), uv, texture));
  EXPECT_FALSE(overPromised.PatternCoordinates(Pattern(4), uv, texture));
  EXPECT_EQ(texture, 0);
}

TEST_F(ImageGeometry, GeometryIsFixedOnceActive) {
  TPxImage image(device);
  ASSERT_TRUE(LoadBytes(image, ImageRecordBuilder().Cell(8, 8).Draw(8, 8).Texture(16, 16).Bytes()));
  image.SetCellSize({4, 4});
  image.SetDrawSize({2, 2});
  image.SetPatternCount(1);
  image.SetWidth(8);
  image.SetTextureCount(3);
  image.SetQuality(TPxQuality::pqLow);
  image.SetAlphaLevel(TAlphaLevel::alNone);
  EXPECT_EQ(image.CellSize().x, 8);
  EXPECT_EQ(image.DrawSize().x, 8);
  EXPECT_EQ(image.PatternCount(), 4);
  EXPECT_EQ(image.Width(), 16);
  EXPECT_EQ(image.TextureCount(), 1);
  EXPECT_EQ(image.Quality(), TPxQuality::pqHigh);
  EXPECT_EQ(image.AlphaLevel(), TAlphaLevel::alFull);
}

}  // namespace
}  // namespace tvx
