#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "canvas_fixture.h"

namespace tvx::testing {
namespace {

using gfx::Call;

void ExpectCorners(const DrawnBatch& batch, std::size_t first,
                   const std::vector<FloatPoint>& corners) {
  for (std::size_t i = 0; i < corners.size(); ++i) {
    EXPECT_FLOAT_EQ(batch.vertices[first + i].x, corners[i].x) << "corner " << i;
    EXPECT_FLOAT_EQ(batch.vertices[first + i].y, corners[i].y) << "corner " << i;
  }
}

class CanvasGeometry : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    image = MakeImage();
    BeginScene();
  }
  // The one batch the scene drew.
  const DrawnBatch& Drawn() {
    EndScene();
    EXPECT_EQ(batches.size(), 1u);
    static const DrawnBatch kNone;
    return batches.empty() ? kNone : batches.front();
  }
  std::unique_ptr<TPxImage> image;
};

TEST_F(CanvasGeometry, FillOutlinedBoxFillsThenOutlinesInside) {
  canvas->FillOutlinedBox(53, 93, 532, 340, 0xFF000000, 0x8E000000, EffectAlphaBlend);
  EndScene();
  ASSERT_EQ(batches.size(), 2u);
  ASSERT_EQ(batches[0].type, gfx::prim::TriangleList);
  ExpectCorners(batches[0], 0, {{53, 93}, {585, 93}, {585, 433}, {53, 433}});
  for (const auto& v : batches[0].vertices) EXPECT_EQ(v.diffuse, 0x8E000000u);
  ASSERT_EQ(batches[1].type, gfx::prim::LineList);
  ASSERT_EQ(batches[1].vertices.size(), 8u);
  ExpectCorners(
      batches[1], 0,
      {{53, 93}, {584, 93}, {584, 93}, {584, 432}, {584, 432}, {53, 432}, {53, 432}, {53, 93}});
  for (const auto& v : batches[1].vertices) EXPECT_EQ(v.diffuse, 0xFF000000u);
  for (const auto& v : batches[1].vertices) {
    EXPECT_EQ(v.z, 0.0f);
    EXPECT_EQ(v.rhw, 1.0f);
  }
}

TEST_F(CanvasGeometry, OutlineOfASlantedQuadIsNotPulledIn) {
  canvas->OutlineQuad({{{0, 0}, {10, 2}, {10, 12}, {0, 10}}}, cColor4(1, 2, 3, 4), EffectOpaque);
  const DrawnBatch& lines = Drawn();
  ExpectCorners(lines, 0, {{0, 0}, {10, 2}, {10, 2}, {10, 12}});
  // Each edge carries the colours of its two corners.
  EXPECT_EQ(lines.vertices[6].diffuse, DeviceColor(4));
  EXPECT_EQ(lines.vertices[7].diffuse, DeviceColor(1));
}

TEST_F(CanvasGeometry, OnlyTexturedVerticesSitHalfAPixelUpAndLeft) {
  canvas->DrawTexturedQuad(pBounds4(10, 20, 30, 40), pBounds4(0, 0, 0.5f, 0.25f),
                           cColor4(ColorWhite), image.get(), 0, EffectAlphaBlend);
  canvas->FillQuad(pBounds4(10, 20, 30, 40), cColor4(ColorWhite), EffectAlphaBlend);
  canvas->DrawLine({1, 2}, {3, 4}, ColorWhite, ColorWhite, EffectAlphaBlend);
  EndScene();
  ASSERT_EQ(batches.size(), 3u);
  ExpectCorners(batches[0], 0, {{9.5f, 19.5f}, {39.5f, 19.5f}, {39.5f, 59.5f}, {9.5f, 59.5f}});
  EXPECT_FLOAT_EQ(batches[0].vertices[2].u, 0.5f);
  EXPECT_FLOAT_EQ(batches[0].vertices[2].v, 0.25f);
  ExpectCorners(batches[1], 0, {{10, 20}, {40, 20}, {40, 60}, {10, 60}});
  ExpectCorners(batches[2], 0, {{1, 2}, {3, 4}});
}

TEST_F(CanvasGeometry, ColoursReachTheDeviceAsARGB) {
  canvas->FillQuad(pBounds4(0, 0, 1, 1), cColor4(0x11223344, 0xFF0000FF, 0x00FF0000, 0), 1);
  const DrawnBatch& quad = Drawn();
  EXPECT_EQ(quad.vertices[0].diffuse, 0x11443322u);
  EXPECT_EQ(quad.vertices[1].diffuse, 0xFFFF0000u);
  EXPECT_EQ(quad.vertices[2].diffuse, 0x000000FFu);
}

TEST_F(CanvasGeometry, DrawImageAlphaTintsEveryCorner) {
  canvas->DrawImageAlpha(image.get(), 0, 5, 6, 200, EffectAlphaBlend);
  const DrawnBatch& quad = Drawn();
  for (const auto& v : quad.vertices) EXPECT_EQ(v.diffuse, 0xC8FFFFFFu);
  ExpectCorners(quad, 0, {{4.5f, 5.5f}, {36.5f, 5.5f}, {36.5f, 37.5f}, {4.5f, 37.5f}});
}

TEST_F(CanvasGeometry, DrawImageScaledRoundsHalvesToEven) {
  canvas->DrawImageScaled(image.get(), 0, 0, 0, 1.5f / 32 + 0.5, EffectAlphaBlend);  // 17.5
  const DrawnBatch& quad = Drawn();
  EXPECT_FLOAT_EQ(quad.vertices[2].x, 18 - 0.5f);
}

TEST_F(CanvasGeometry, ScaledExCentredKeepsTheCentre) {
  canvas->DrawImageScaledEx(image.get(), 0, 100, 100, 2, 0.5, 1, false, false, cColor4(ColorWhite),
                            EffectAlphaBlend);
  // 32 x 32 scaled to 64 x 16, moved by (-16, 8).
  ExpectCorners(Drawn(), 0, {{83.5f, 107.5f}, {147.5f, 107.5f}, {147.5f, 123.5f}, {83.5f, 123.5f}});
}

TEST_F(CanvasGeometry, ScaledExUncentredStartsAtTheCorner) {
  canvas->DrawImageRGBA(image.get(), 0, 10, 10, 2, 2, 0, false, false, 1, 2, 3, 4,
                        EffectAlphaBlend);
  const DrawnBatch& quad = Drawn();
  ExpectCorners(quad, 0, {{9.5f, 9.5f}, {73.5f, 9.5f}, {73.5f, 73.5f}, {9.5f, 73.5f}});
  EXPECT_EQ(quad.vertices[0].diffuse, DeviceColor(0x04030201));
}

TEST_F(CanvasGeometry, CentredTwoDrawsNothingAndChangesNoState) {
  api.ClearLog();
  canvas->DrawImageScaledEx(image.get(), 0, 0, 0, 1, 1, 2, false, false, cColor4(ColorWhite),
                            EffectAlphaBlend);
  EXPECT_TRUE(api.Log().empty());
  EndScene();
  EXPECT_EQ(Draws(), 0u);
}

TEST_F(CanvasGeometry, MirrorAndFlipExchangeTextureCoordinates) {
  canvas->DrawImageCorners(image.get(), 0, 0, 0, 1, 1, 0, true, true, 1, 2, 3, 4, EffectAlphaBlend);
  const DrawnBatch& quad = Drawn();
  // Mirrored and flipped, the top-left corner shows the pattern's bottom-right texel.
  EXPECT_GT(quad.vertices[0].u, quad.vertices[1].u);
  EXPECT_GT(quad.vertices[0].v, quad.vertices[3].v);
  EXPECT_EQ(quad.vertices[3].diffuse, DeviceColor(4));
}

TEST_F(CanvasGeometry, RotatedTurnsClockwiseAroundTheCentre) {
  canvas->DrawImageRotated(image.get(), 0, 100, 50, std::numbers::pi / 2, 1, 2, false, false,
                           cColor4(ColorWhite), EffectAlphaBlend);
  // Top-left (-16, -32 after scaling) turns to (32, -16).
  const DrawnBatch& quad = Drawn();
  EXPECT_NEAR(quad.vertices[0].x, 132 - 0.5f, 1e-4);
  EXPECT_NEAR(quad.vertices[0].y, 34 - 0.5f, 1e-4);
  EXPECT_NEAR(quad.vertices[2].x, 68 - 0.5f, 1e-4);
  EXPECT_NEAR(quad.vertices[2].y, 66 - 0.5f, 1e-4);
}

TEST_F(CanvasGeometry, ToQuadMapsOntoTheGivenCornersUnrounded) {
  canvas->DrawImageToQuad(image.get(), 0, 1.25, 2.25, 30.75, 3, 28, 40.5, 0, 39, false, false,
                          cColor4(ColorWhite), EffectAlphaBlend);
  ExpectCorners(Drawn(), 0, {{0.75f, 1.75f}, {30.25f, 2.5f}, {27.5f, 40}, {-0.5f, 38.5f}});
}

TEST_F(CanvasGeometry, RefusingImageDrawsNothing) {
  TPxImage inactive(device);
  api.ClearLog();
  canvas->DrawImage(&inactive, 0, 0, 0, EffectAlphaBlend);
  canvas->DrawPatternQuad(nullptr, pBounds4(0, 0, 1, 1), cColor4(ColorWhite), {}, 1);
  EXPECT_TRUE(api.Log().empty());
}

class CanvasEffects : public CanvasTest {
 protected:
  void Draw(DrawEffect effect) {
    BeginScene();
    canvas->FillQuad(pBounds4(0, 0, 4, 4), cColor4(ColorWhite), effect);
    EndScene();
  }
  std::uint32_t State(std::uint32_t rs) const { return api.RenderState(rs); }
  std::uint32_t Stage0(std::uint32_t tss) const { return api.TextureStageState(0, tss); }
};

TEST_F(CanvasEffects, AlphaBlendTurnsBlendingAndAlphaTestOn) {
  Draw(EffectAlphaBlend);
  EXPECT_EQ(State(gfx::rs::AlphaBlendEnable), 1u);
  EXPECT_EQ(State(gfx::rs::AlphaTestEnable), 1u);
  EXPECT_EQ(State(gfx::rs::SrcBlend), gfx::blend::SrcAlpha);
  EXPECT_EQ(State(gfx::rs::DestBlend), gfx::blend::InvSrcAlpha);
  EXPECT_EQ(State(gfx::rs::BlendOp), gfx::blendop::Add);
  EXPECT_EQ(Stage0(gfx::tss::ColorOp), gfx::top::Modulate);
  EXPECT_EQ(Stage0(gfx::tss::AlphaOp), gfx::top::Modulate);
}

TEST_F(CanvasEffects, OpaqueTurnsBothOff) {
  Draw(EffectAlphaBlend);
  Draw(EffectOpaque);
  EXPECT_EQ(State(gfx::rs::AlphaBlendEnable), 0u);
  EXPECT_EQ(State(gfx::rs::AlphaTestEnable), 0u);
}

TEST_F(CanvasEffects, WithoutAlphaTestingTheTestStaysOff) {
  device->Finalize();
  canvas->SetAlphaTesting(false);
  ASSERT_TRUE(device->Initialize());
  Draw(EffectAlphaBlend);
  EXPECT_EQ(State(gfx::rs::AlphaBlendEnable), 1u);
  EXPECT_EQ(State(gfx::rs::AlphaTestEnable), 0u);
  for (const auto& call : RenderStateCalls(gfx::rs::AlphaTestEnable)) EXPECT_EQ(call.args[1], 0u);
}

TEST_F(CanvasEffects, OperationIndexOneIsReverseSubtractAndTwoSubtract) {
  Draw(0x010201);  // one, src colour, reverse subtract
  EXPECT_EQ(State(gfx::rs::BlendOp), gfx::blendop::RevSubtract);
  EXPECT_EQ(State(gfx::rs::DestBlend), gfx::blend::SrcColor);
  Draw(0x020A00);
  EXPECT_EQ(State(gfx::rs::BlendOp), gfx::blendop::Subtract);
  EXPECT_EQ(State(gfx::rs::SrcBlend), gfx::blend::Zero);
  EXPECT_EQ(State(gfx::rs::DestBlend), gfx::blend::SrcAlphaSat);
}

TEST_F(CanvasEffects, SpecialCodesSelectFixedStageSetups) {
  struct Row {
    DrawEffect code;
    std::uint32_t src, dest, colorOp;
  };
  const std::vector<Row> rows = {
      {0x7FFFFFF0, gfx::blend::SrcAlpha, gfx::blend::One, gfx::top::Modulate2x},
      {0x7FFFFFF1, gfx::blend::DestColor, gfx::blend::One, gfx::top::Modulate2x},
      {0x7FFFFFF2, gfx::blend::DestColor, gfx::blend::One, gfx::top::Modulate4x},
      {0x7FFFFFF3, gfx::blend::SrcAlpha, gfx::blend::InvSrcAlpha, gfx::top::Modulate2x},
      {0x7FFFFFF4, gfx::blend::SrcAlpha, gfx::blend::InvSrcAlpha, gfx::top::Modulate4x},
      {0x7FFFFFF6, gfx::blend::SrcAlpha, gfx::blend::InvSrcAlpha, gfx::top::MultiplyAdd}};
  for (const Row& row : rows) {
    Draw(row.code);
    EXPECT_EQ(State(gfx::rs::AlphaBlendEnable), 1u) << std::hex << row.code;
    EXPECT_EQ(State(gfx::rs::SrcBlend), row.src) << std::hex << row.code;
    EXPECT_EQ(State(gfx::rs::DestBlend), row.dest) << std::hex << row.code;
    EXPECT_EQ(Stage0(gfx::tss::ColorOp), row.colorOp) << std::hex << row.code;
    EXPECT_EQ(Stage0(gfx::tss::AlphaOp), gfx::top::Modulate) << std::hex << row.code;
  }
}

TEST_F(CanvasEffects, DotProductCodeUsesTheTextureFactorUntilTheNextReset) {
  BeginScene();
  canvas->FillQuad(pBounds4(0, 0, 4, 4), cColor4(ColorWhite), 0x7FFFFFF5);
  EXPECT_EQ(State(gfx::rs::TextureFactor), 0xBBFFBBFFu);
  EXPECT_EQ(Stage0(gfx::tss::ColorOp), gfx::top::DotProduct3);
  EXPECT_EQ(Stage0(gfx::tss::ColorArg2), gfx::ta::TFactor);
  canvas->FillQuad(pBounds4(0, 0, 4, 4), cColor4(ColorWhite), EffectAlphaBlend);
  EXPECT_EQ(Stage0(gfx::tss::ColorArg2), gfx::ta::TFactor);
  EndScene();
  Draw(EffectAlphaBlend);
  EXPECT_EQ(Stage0(gfx::tss::ColorArg2), gfx::ta::Diffuse);
}

}  // namespace
}  // namespace tvx::testing
