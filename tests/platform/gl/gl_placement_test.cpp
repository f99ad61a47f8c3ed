// Where the target lives: a back buffer without alpha or depth at the window's size is drawn
// straight into the window, every other one into the offscreen target; both must give the
// same picture, pixel for pixel.
#include "gl_test_device.h"

namespace tvx::test {
namespace {

using namespace gfx;

class PlacementTest : public GlDeviceTest {
 protected:
  void Reset(std::uint32_t width, std::uint32_t height, std::uint32_t format,
             std::uint32_t depthFormat = 0) {
    EndFrame();
    PresentParameters parameters = WindowedParameters(width, height, format);
    parameters.enableAutoDepthStencil = depthFormat != 0 ? 1 : 0;
    parameters.autoDepthStencilFormat = depthFormat;
    ASSERT_EQ(api_->Reset(parameters), Ok);
    ASSERT_EQ(api_->SetRenderState(rs::CullMode, cull::None), Ok);
    ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::Modulate), Ok);
    ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaOp, top::Modulate), Ok);
    ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaArg2, ta::Diffuse), Ok);
  }

  // Edges on pixel centres everywhere, so that every tie of the fill rules shows: boxes,
  // a thin sliver, diagonal triangles of both windings with culling on, lines in all four
  // directions, points, and a linearly filtered texture at a half-pixel offset.
  std::vector<std::uint32_t> DrawScene() {
    BeginFrame(0xFF203040);
    DrawQuads(QuadVertices(1, 1, 5, 4, 0xFFFF0000));
    DrawQuads(QuadVertices(10, 10, 10.5f, 30, 0xFF00FF00));
    SetBlend(blend::SrcAlpha, blend::InvSrcAlpha, blendop::Add);
    DrawQuads(QuadVertices(3, 2, 40, 25, 0x800000FF));
    EXPECT_EQ(api_->SetRenderState(rs::CullMode, 3), Ok);  // counter-clockwise culled
    DrawQuads({{50, 50, 0, 1, 0xFFFFFF00},
               {90, 50, 0, 1, 0xFFFFFF00},
               {90, 70, 0, 1, 0xFFFFFF00},
               {50, 90, 0, 1, 0xFFFFFF00}});
    DrawQuads({{100, 50, 0, 1, 0xFF00FFFF},
               {100, 90, 0, 1, 0xFF00FFFF},
               {140, 70, 0, 1, 0xFF00FFFF},
               {140, 50, 0, 1, 0xFF00FFFF}});
    EXPECT_EQ(api_->SetRenderState(rs::CullMode, cull::None), Ok);
    DrawLines({{200, 100, 0, 1},
               {230, 100, 0, 1},
               {230, 101, 0, 1},
               {230, 131, 0, 1},
               {229, 131, 0, 1},
               {199, 131, 0, 1},
               {199, 130, 0, 1},
               {199, 101, 0, 1},
               {250, 100, 0, 1},
               {270, 137, 0, 1}});
    DrawPoints({{300, 0, 0, 1}, {639, 479, 0, 1}, {0, 479, 0, 1}});
    const Handle texture =
        MakeTexture(format::A8R8G8B8, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF});
    EXPECT_EQ(api_->SetTexture(0, texture), Ok);
    EXPECT_EQ(api_->SetSamplerState(0, samp::MagFilter, texf::Linear), Ok);
    EXPECT_EQ(api_->SetSamplerState(0, samp::MinFilter, texf::Linear), Ok);
    DrawQuads(QuadVertices(400.5f, 300, 417.5f, 317, 0xFFFFFFFF, true));
    EXPECT_EQ(api_->SetTexture(0, 0), Ok);
    std::vector<std::uint32_t> pixels = Target();
    api_->ReleaseTexture(texture);
    return pixels;
  }
};

TEST_F(PlacementTest, OnlyATargetLikeTheWindowsOwnBackBufferGoesIntoTheWindow) {
  EXPECT_FALSE(api_->DrawsIntoWindow());  // A8R8G8B8 has alpha, which the window lacks
  Reset(640, 480, format::X8R8G8B8);
  EXPECT_TRUE(api_->DrawsIntoWindow());
  Reset(800, 600, format::X8R8G8B8);
  EXPECT_FALSE(api_->DrawsIntoWindow());
  Reset(640, 480, format::X8R8G8B8, format::D24S8);
  EXPECT_FALSE(api_->DrawsIntoWindow());
  Reset(640, 480, format::R5G6B5);
  EXPECT_TRUE(api_->DrawsIntoWindow());
  ASSERT_EQ(api_->Present(), Ok);
  EXPECT_TRUE(api_->DrawsIntoWindow());  // chosen again after the swap, the same
  api_->KeepTargetOffscreen();
  EXPECT_FALSE(api_->DrawsIntoWindow());
  Reset(640, 480, format::X8R8G8B8);
  EXPECT_FALSE(api_->DrawsIntoWindow());  // kept for good
}

// A Reset that cannot make its target leaves the device without one until a Reset succeeds.
TEST_F(PlacementTest, WithoutATargetFramesFailUntilAResetSucceeds) {
  PresentParameters huge = WindowedParameters(1 << 20, 1 << 20, format::X8R8G8B8);
  EXPECT_NE(api_->Reset(huge), Ok);
  EXPECT_NE(api_->Clear(clear::Target, 0, 1.0f, 0), Ok);
  EXPECT_NE(api_->BeginScene(), Ok);
  EXPECT_NE(api_->Present(), Ok);
  EXPECT_FALSE(api_->DrawsIntoWindow());
  PresentParameters keepSize = WindowedParameters(0, 0, format::X8R8G8B8);
  EXPECT_NE(api_->Reset(keepSize), Ok);  // no target whose size it could keep
  Reset(640, 480, format::X8R8G8B8);
  BeginFrame(0xFF102030);
  EXPECT_EQ(Pixel(3, 3), 0xFF102030u);
}

TEST_F(PlacementTest, WindowAndOffscreenTargetDrawTheSamePixels) {
  Reset(640, 480, format::X8R8G8B8);
  ASSERT_TRUE(api_->DrawsIntoWindow());
  const std::vector<std::uint32_t> inWindow = DrawScene();
  api_->KeepTargetOffscreen();
  Reset(640, 480, format::X8R8G8B8);
  const std::vector<std::uint32_t> offscreen = DrawScene();
  ASSERT_EQ(inWindow.size(), offscreen.size());
  for (std::size_t i = 0; i < inWindow.size(); ++i) {
    ASSERT_EQ(inWindow[i], offscreen[i]) << "at " << i % 640 << "," << i / 640;
  }
  EXPECT_EQ(inWindow[2 * 640 + 1], 0xFFFF0000u);  // top row first: the red box's corner
  EXPECT_EQ(inWindow[479 * 640 + 639], 0xFFFFFFFFu);
}

// As in D3D, a back buffer without alpha reads opaque and gives 1 as destination alpha.
TEST_F(PlacementTest, WithoutAlphaTheTargetReadsOpaqueAndDestinationAlphaIsOne) {
  for (const std::uint32_t width : {640u, 800u}) {
    Reset(width, 480, format::X8R8G8B8);
    EXPECT_EQ(api_->DrawsIntoWindow(), width == 640);
    BeginFrame(0x00336699);
    SetBlend(blend::DestAlpha, blend::Zero, blendop::Add);
    DrawQuads(QuadVertices(0, 0, 2, 2, 0x80FFFFFF));
    EXPECT_EQ(Pixel(0, 0), 0xFFFFFFFFu) << width;
    EXPECT_EQ(Pixel(5, 5), 0xFF336699u) << width;
  }
}

TEST_F(PlacementTest, WindowShowsWhatWasDrawnTopRowOnTop) {
  Reset(640, 480, format::X8R8G8B8);
  BeginFrame(0xFFFF0000);
  DrawQuads(QuadVertices(0, 0, 2, 2, 0xFF00FF00));
  std::vector<std::uint32_t> window;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(api_->ReadWindowPixels(window, width, height));
  ASSERT_EQ(width, 640);
  ASSERT_EQ(height, 480);
  EXPECT_EQ(window, Target());
  EXPECT_EQ(window[0], 0xFF00FF00u);
  EXPECT_EQ(window[479 * 640], 0xFFFF0000u);
  EndFrame();
  EXPECT_EQ(api_->Present(), Ok);
}

}  // namespace
}  // namespace tvx::test
