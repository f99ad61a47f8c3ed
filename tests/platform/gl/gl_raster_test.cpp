// Coverage rules of the backend: D3D9 pixel centres for quads, the diamond-exit rule for
// lines, points on their pixel, and the clear colour.
#include <algorithm>

#include "gl_test_device.h"

namespace tvx::test {
namespace {

using namespace gfx;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kRed = 0xFFFF0000;

using RasterTest = GlDeviceTest;

TEST_F(RasterTest, ClearFillsTheWholeTargetWithTheColour) {
  BeginFrame(0xFF336699);
  const std::vector<std::uint32_t> pixels = Target();
  ASSERT_EQ(pixels.size(), 640u * 480u);
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](auto p) { return p == 0xFF336699; }));
}

TEST_F(RasterTest, QuadCoversThePixelsWhoseCentresLieInsideTopLeftInclusive) {
  BeginFrame(kBlack);
  DrawQuads(QuadVertices(53, 93, 585, 433, kRed));
  const std::vector<std::uint32_t> pixels = Target();
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const bool inside = x >= 53 && x <= 584 && y >= 93 && y <= 432;
      ASSERT_EQ(pixels[y * 640 + x], inside ? kRed : kBlack) << x << "," << y;
    }
  }
}

TEST_F(RasterTest, QuadsSharingAnEdgeCoverEachPixelOnce) {
  BeginFrame(kBlack);
  SetBlend(blend::One, blend::One, blendop::Add);
  std::vector<TransformedVertex> quads = QuadVertices(10.25f, 10, 20.5f, 20, 0xFF400000);
  const std::vector<TransformedVertex> right = QuadVertices(20.5f, 10, 30, 20.75f, 0xFF400000);
  quads.insert(quads.end(), right.begin(), right.end());
  DrawQuads(quads);
  for (int x = 9; x <= 30; ++x) {
    EXPECT_EQ(Pixel(x, 15), x >= 11 && x <= 29 ? 0xFF400000 : kBlack) << x;
  }
}

TEST_F(RasterTest, HorizontalLineLeavesOutItsLastPixel) {
  BeginFrame(kBlack);
  DrawLines({{53, 93, 0, 1, kRed}, {584, 93, 0, 1, kRed}});
  for (int x = 50; x < 590; ++x) {
    EXPECT_EQ(Pixel(x, 93), x >= 53 && x <= 583 ? kRed : kBlack) << x;
  }
  EXPECT_EQ(Pixel(100, 92), kBlack);
  EXPECT_EQ(Pixel(100, 94), kBlack);
}

TEST_F(RasterTest, LinesRunInEveryDirectionFromTheirFirstPixel) {
  BeginFrame(kBlack);
  DrawLines({{584, 93, 0, 1, kRed}, {584, 432, 0, 1, kRed}});  // down
  DrawLines({{500, 50, 0, 1, kRed}, {400, 50, 0, 1, kRed}});   // to the left
  DrawLines({{30, 300, 0, 1, kRed}, {30, 200, 0, 1, kRed}});   // up
  for (int y = 90; y < 436; ++y) {
    EXPECT_EQ(Pixel(584, y), y >= 93 && y <= 431 ? kRed : kBlack) << y;
  }
  for (int x = 398; x < 503; ++x) {
    EXPECT_EQ(Pixel(x, 50), x >= 401 && x <= 500 ? kRed : kBlack) << x;
  }
  for (int y = 198; y < 303; ++y) {
    EXPECT_EQ(Pixel(30, y), y >= 201 && y <= 300 ? kRed : kBlack) << y;
  }
}

// The four lines of an outlined box meet without gaps or double pixels.
TEST_F(RasterTest, OutlineOfFourLinesCoversTheBorderExactlyOnce) {
  BeginFrame(kBlack);
  SetBlend(blend::One, blend::One, blendop::Add);
  const std::uint32_t c = 0xFF400000;
  DrawLines({{53, 93, 0, 1, c},
             {584, 93, 0, 1, c},
             {584, 93, 0, 1, c},
             {584, 432, 0, 1, c},
             {584, 432, 0, 1, c},
             {53, 432, 0, 1, c},
             {53, 432, 0, 1, c},
             {53, 93, 0, 1, c}});
  const std::vector<std::uint32_t> pixels = Target();
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const bool inBox = x >= 53 && x <= 584 && y >= 93 && y <= 432;
      const bool border = inBox && (x == 53 || x == 584 || y == 93 || y == 432);
      ASSERT_EQ(pixels[y * 640 + x], border ? c : kBlack) << x << "," << y;
    }
  }
}

TEST_F(RasterTest, PointLightsThePixelItNames) {
  BeginFrame(kBlack);
  DrawPoints({{10, 20, 0, 1, kRed}, {639, 479, 0, 1, 0xFF00FF00}});
  EXPECT_EQ(Pixel(10, 20), kRed);
  EXPECT_EQ(Pixel(11, 20), kBlack);
  EXPECT_EQ(Pixel(10, 21), kBlack);
  EXPECT_EQ(Pixel(639, 479), 0xFF00FF00u);
  const std::vector<std::uint32_t> pixels = Target();
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kBlack), 640 * 480 - 2);
}

TEST_F(RasterTest, VertexColoursAreInterpolatedAcrossTheQuad) {
  BeginFrame(kBlack);
  std::vector<TransformedVertex> quad = QuadVertices(0, 0, 256, 1, 0xFF000000);
  quad[1].diffuse = quad[2].diffuse = 0xFF0000FF;
  DrawQuads(quad);
  EXPECT_EQ(Pixel(0, 0), 0xFF000000u);
  EXPECT_NEAR(static_cast<int>(Pixel(128, 0) & 0xFF), 128, 1);
  EXPECT_NEAR(static_cast<int>(Pixel(255, 0) & 0xFF), 255, 1);
}

}  // namespace
}  // namespace tvx::test
