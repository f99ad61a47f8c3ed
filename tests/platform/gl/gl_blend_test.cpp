// Blending and the alpha test: the canvas's two effects, every blend operation and every
// alpha comparison.
#include <cstdlib>

#include "gl_test_device.h"

namespace tvx::test {
namespace {

using namespace gfx;

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

void ExpectColourNear(std::uint32_t actual, std::uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    EXPECT_LE(std::abs(Channel(actual, shift) - Channel(expected, shift)), 1)
        << std::hex << actual << " vs " << expected;
  }
}

class BlendTest : public GlDeviceTest {
 protected:
  // One 4x4 quad at (10, 10) of `colour` over a target cleared to `background`.
  std::uint32_t Blended(std::uint32_t background, std::uint32_t colour) {
    BeginFrame(background);
    DrawQuads(QuadVertices(10, 10, 14, 14, colour));
    return Pixel(11, 11);
  }
};

TEST_F(BlendTest, AlphaBlendMixesBySourceAlpha) {
  SetBlend(blend::SrcAlpha, blend::InvSrcAlpha, blendop::Add);
  // 0x80 / 255 of red over blue.
  ExpectColourNear(Blended(0xFF0000FF, 0x80FF0000), 0xFF80007F);
  ExpectColourNear(Blended(0xFFFFFFFF, 0x8E000000), 0xFF717171);
}

TEST_F(BlendTest, AdditiveAddsTheSourceScaledByItsAlpha) {
  SetBlend(blend::SrcAlpha, blend::One, blendop::Add);
  ExpectColourNear(Blended(0xFF202020, 0x80804000), 0xFF604020);
  ExpectColourNear(Blended(0xFFF0F0F0, 0xFFFFFFFF), 0xFFFFFFFF);  // saturates
}

TEST_F(BlendTest, OperationsCombineSourceAndDestination) {
  SetBlend(blend::One, blend::One, blendop::Subtract);
  ExpectColourNear(Blended(0xFF204060, 0xFF808080), 0xFF604020);
  SetBlend(blend::One, blend::One, blendop::RevSubtract);
  ExpectColourNear(Blended(0xFF808080, 0xFF204060), 0xFF604020);
  SetBlend(blend::One, blend::One, blendop::Min);
  ExpectColourNear(Blended(0xFF20A060, 0xFF804080), 0xFF204060);
  SetBlend(blend::One, blend::One, blendop::Max);
  ExpectColourNear(Blended(0xFF20A060, 0xFF804080), 0xFF80A080);
}

TEST_F(BlendTest, FactorsReadColourAndAlphaOfBothSides) {
  SetBlend(blend::DestColor, blend::Zero, blendop::Add);
  ExpectColourNear(Blended(0xFF808080, 0xFFFF4000), 0xFF802000);
  SetBlend(blend::Zero, blend::SrcColor, blendop::Add);
  ExpectColourNear(Blended(0xFFFFFFFF, 0xFF804000), 0xFF804000);
  SetBlend(blend::InvDestColor, blend::Zero, blendop::Add);
  ExpectColourNear(Blended(0xFF00FF00, 0xFFFFFFFF), 0xFFFF00FF);
  SetBlend(blend::DestAlpha, blend::InvDestAlpha, blendop::Add);
  ExpectColourNear(Blended(0x80000000, 0xFFFFFFFF), 0x80808080);
  SetBlend(blend::SrcAlphaSat, blend::InvSrcColor, blendop::Add);
  ExpectColourNear(Blended(0x00000000, 0x40FFFFFF), 0x00404040);  // min(As, 1 - Ad)
}

TEST_F(BlendTest, BlendingOffWritesTheSourceAsItIs) {
  SetBlend(blend::SrcAlpha, blend::InvSrcAlpha, blendop::Add);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaBlendEnable, 0), Ok);
  EXPECT_EQ(Blended(0xFF0000FF, 0x80FF0000), 0x80FF0000u);
}

TEST_F(BlendTest, AlphaTestGreaterEqualOneDiscardsOnlyTransparentPixels) {
  SetBlend(blend::One, blend::Zero, blendop::Add);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaTestEnable, 1), Ok);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaFunc, cmp::GreaterEqual), Ok);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaRef, 1), Ok);
  EXPECT_EQ(Blended(0xFF0000FF, 0x00FF0000), 0xFF0000FFu);
  EXPECT_EQ(Blended(0xFF0000FF, 0x01FF0000), 0x01FF0000u);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaTestEnable, 0), Ok);
  EXPECT_EQ(Blended(0xFF0000FF, 0x00FF0000), 0x00FF0000u);
}

TEST_F(BlendTest, EveryAlphaComparisonAgainstTheReference) {
  ASSERT_EQ(api_->SetRenderState(rs::AlphaTestEnable, 1), Ok);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaRef, 0x80), Ok);
  struct Case {
    std::uint32_t func;
    bool below, equal, above;
  };
  const Case cases[] = {{1, false, false, false}, {2, true, false, false}, {3, false, true, false},
                        {4, true, true, false},   {5, false, false, true}, {6, true, false, true},
                        {7, false, true, true},   {8, true, true, true}};
  for (const Case& c : cases) {
    ASSERT_EQ(api_->SetRenderState(rs::AlphaFunc, c.func), Ok);
    const std::uint32_t kept = 0xFF0000FF;
    EXPECT_EQ(Blended(kept, 0x7FFF0000) != kept, c.below) << c.func;
    EXPECT_EQ(Blended(kept, 0x80FF0000) != kept, c.equal) << c.func;
    EXPECT_EQ(Blended(kept, 0x81FF0000) != kept, c.above) << c.func;
  }
  EXPECT_NE(api_->SetRenderState(rs::AlphaFunc, 9), Ok);
}

TEST_F(BlendTest, CullModeDropsTrianglesOfTheCulledWinding) {
  // The quad's corners run clockwise on screen.
  ASSERT_EQ(api_->SetRenderState(rs::CullMode, 3), Ok);  // counter-clockwise culled
  EXPECT_EQ(Blended(0xFF000000, 0xFFFF0000), 0xFFFF0000u);
  ASSERT_EQ(api_->SetRenderState(rs::CullMode, 2), Ok);  // clockwise culled
  EXPECT_EQ(Blended(0xFF000000, 0xFFFF0000), 0xFF000000u);
}

}  // namespace
}  // namespace tvx::test
