// The API object and the device: display modes, format checks, present with black bars,
// Reset, and the calls a draw needs.
#include <algorithm>
#include <cstdio>

#include "core/FileBytes.h"
#include "gl_test_device.h"
#include "platform/gl/PngWriter.h"

namespace tvx::test {
namespace {

using namespace gfx;

using DeviceTest = GlDeviceTest;

std::uint32_t At(const std::vector<std::uint32_t>& pixels, int width, int x, int y) {
  return pixels[static_cast<std::size_t>(y) * width + x];
}

TEST_F(DeviceTest, DisplayModesOffer640x480InTheFullScreenFormats) {
  DisplayMode desktop;
  ASSERT_EQ(api_->GetAdapterDisplayMode(desktop), Ok);
  EXPECT_GT(desktop.width, 0u);
  EXPECT_EQ(desktop.format, format::X8R8G8B8);
  for (std::uint32_t f : {format::A8R8G8B8, format::X8R8G8B8, format::R5G6B5}) {
    ASSERT_GE(api_->GetAdapterModeCount(f), 1u);
    DisplayMode mode;
    ASSERT_EQ(api_->EnumAdapterModes(f, 0, mode), Ok);
    EXPECT_EQ(mode.width, 640u);
    EXPECT_EQ(mode.height, 480u);
    EXPECT_EQ(mode.format, f);
    EXPECT_EQ(mode.refreshRate, desktop.refreshRate);
    EXPECT_NE(api_->EnumAdapterModes(f, api_->GetAdapterModeCount(f), mode), Ok);
  }
  EXPECT_EQ(api_->GetAdapterModeCount(format::A1R5G5B5), 0u);
}

TEST_F(DeviceTest, FormatChecksAcceptEveryTextureFormatAndSomeDepthFormats) {
  for (std::uint32_t f = format::A8R8G8B8; f <= format::X4R4G4B4; ++f) {
    EXPECT_EQ(api_->CheckDeviceFormat(devtype::Hal, format::X8R8G8B8, 0, rtype::Texture, f), Ok);
    EXPECT_EQ(api_->CheckDeviceFormat(devtype::Hal, format::A8R8G8B8, usage::AutoGenMipMap,
                                      rtype::Texture, f),
              Ok);
  }
  EXPECT_NE(api_->CheckDeviceFormat(devtype::Hal, format::X8R8G8B8, 0, rtype::Texture, 50), Ok);
  for (std::uint32_t depth : {format::D32, format::D24S8, format::D24X8, format::D16}) {
    EXPECT_EQ(api_->CheckDeviceFormat(devtype::Hal, format::A8R8G8B8, usage::DepthStencil,
                                      rtype::Surface, depth),
              Ok);
  }
  for (std::uint32_t depth : {format::D15S1, format::D24X4S4}) {
    EXPECT_NE(api_->CheckDeviceFormat(devtype::Hal, format::A8R8G8B8, usage::DepthStencil,
                                      rtype::Surface, depth),
              Ok);
  }
}

TEST_F(DeviceTest, SecondDeviceAndFullScreenWithoutAModeAreRefused) {
  PresentParameters parameters = WindowedParameters();
  EXPECT_NE(api_->CreateDevice(devtype::Hal, 0, 0, parameters), Ok);
  api_->ReleaseDevice();
  parameters.windowed = 0;
  parameters.backBufferWidth = 641;
  parameters.backBufferFormat = format::A8R8G8B8;
  EXPECT_NE(api_->CreateDevice(devtype::Hal, 0, 0, parameters), Ok);
  parameters.backBufferWidth = 640;
  parameters.backBufferFormat = format::Unknown;
  EXPECT_NE(api_->CreateDevice(devtype::Hal, 0, 0, parameters), Ok);
}

TEST_F(DeviceTest, CapsReportTextureSizeAndSixteenBitIndices) {
  DeviceCaps caps;
  ASSERT_EQ(api_->GetDeviceCaps(caps), Ok);
  EXPECT_GE(caps.maxTextureWidth, 2048u);
  EXPECT_EQ(caps.maxVertexIndex, 0xFFFFu);
}

TEST_F(DeviceTest, ScenesDoNotNestAndDrawsNeedOne) {
  EXPECT_NE(api_->EndScene(), Ok);
  ASSERT_EQ(api_->BeginScene(), Ok);
  EXPECT_NE(api_->BeginScene(), Ok);
  ASSERT_EQ(api_->EndScene(), Ok);
  ASSERT_EQ(api_->SetStreamSource(0, vertexBuffer_, 0, sizeof(TransformedVertex)), Ok);
  ASSERT_EQ(api_->SetFVF(FvfXyzRhwDiffuseTex1), Ok);
  EXPECT_NE(api_->DrawPrimitive(prim::PointList, 0, 1), Ok);
}

TEST_F(DeviceTest, DrawsThatWouldReadOutsideTheBuffersFail) {
  BeginFrame(0xFF000000);
  DrawPoints({{1, 1, 0, 1, 0xFFFFFFFF}});
  EXPECT_NE(api_->DrawPrimitive(prim::PointList, 4095, 2), Ok);
  EXPECT_NE(api_->DrawIndexedPrimitive(prim::TriangleList, 0, 0, 3, 4095, 1), Ok);
  void* data = nullptr;
  ASSERT_EQ(api_->LockBuffer(indexBuffer_, 0, 6, &data, lock::Discard), Ok);
  const std::uint16_t farIndices[] = {0, 1, 4096};
  std::copy(std::begin(farIndices), std::end(farIndices), static_cast<std::uint16_t*>(data));
  ASSERT_EQ(api_->UnlockBuffer(indexBuffer_), Ok);
  EXPECT_NE(api_->DrawIndexedPrimitive(prim::TriangleList, 0, 0, 3, 0, 1), Ok);
  EXPECT_NE(api_->DrawPrimitive(7, 0, 1), Ok);
  EXPECT_NE(api_->LockBuffer(vertexBuffer_, 4096 * sizeof(TransformedVertex), 1, &data, 0), Ok);
}

TEST_F(DeviceTest, BaseVertexAndStartIndexSelectThePartDrawn) {
  std::vector<TransformedVertex> vertices = QuadVertices(0, 0, 2, 2, 0xFFFF0000);
  const std::vector<TransformedVertex> second = QuadVertices(10, 10, 12, 12, 0xFF00FF00);
  vertices.insert(vertices.end(), second.begin(), second.end());
  BeginFrame(0xFF000000);
  DrawPoints(vertices);  // uploads the eight vertices
  BeginFrame(0xFF000000);
  void* data = nullptr;
  ASSERT_EQ(api_->LockBuffer(indexBuffer_, 0, 24, &data, lock::Discard), Ok);
  const std::uint16_t indices[] = {9, 9, 9, 9, 9, 9, 0, 1, 3, 1, 2, 3};
  std::copy(std::begin(indices), std::end(indices), static_cast<std::uint16_t*>(data));
  ASSERT_EQ(api_->UnlockBuffer(indexBuffer_), Ok);
  ASSERT_EQ(api_->SetIndices(indexBuffer_), Ok);
  ASSERT_EQ(api_->DrawIndexedPrimitive(prim::TriangleList, 4, 0, 4, 6, 2), Ok);
  EXPECT_EQ(Pixel(10, 10), 0xFF00FF00u);
  EXPECT_EQ(Pixel(0, 0), 0xFF000000u);
}

TEST_F(DeviceTest, ResetResizesTheTargetAndKeepsTextures) {
  const TextureHandle texture = MakeTexture(format::A8R8G8B8, 2, 1, {0xFF102030, 0xFF405060});
  PresentParameters parameters = WindowedParameters(800, 600);
  ASSERT_EQ(api_->Reset(parameters), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::Modulate), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaOp, top::Modulate), Ok);
  BeginFrame(0xFF000000);
  ASSERT_EQ(api_->SetTexture(0, texture), Ok);
  DrawQuads(QuadVertices(700, 500, 702, 501, 0xFFFFFFFF, true));
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(api_->ReadTargetPixels(pixels));
  ASSERT_EQ(pixels.size(), 800u * 600u);
  EXPECT_EQ(pixels[500 * 800 + 700], 0xFF102030u);
  EXPECT_EQ(pixels[500 * 800 + 701], 0xFF405060u);
}

TEST_F(DeviceTest, ResetPutsStatesBackToTheirDefaults) {
  SetBlend(blend::One, blend::One, blendop::Add);
  PresentParameters parameters = WindowedParameters();
  ASSERT_EQ(api_->Reset(parameters), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaOp, top::Modulate), Ok);
  BeginFrame(0xFF0000FF);
  DrawQuads(QuadVertices(0, 0, 2, 2, 0xFFFF0000));
  EXPECT_EQ(Pixel(0, 0), 0xFFFF0000u);  // blending off again
}

TEST_F(DeviceTest, TargetGoesToAnOpaquePngOfItsPixels) {
  BeginFrame(0x80336699);
  DrawPoints({{5, 7, 0, 1, 0x80FFFFFF}});
  const std::string path = ::testing::TempDir() + "gl_target_test.png";
  ASSERT_TRUE(api_->ReadTargetToPng(path));
  const std::vector<std::uint8_t> written = ReadWholeFile(path);
  std::vector<std::uint32_t> opaque = Target();
  ASSERT_NE(opaque[0] >> 24, 0xFFu);  // the target keeps the cleared alpha
  for (std::uint32_t& pixel : opaque) pixel |= 0xFF000000u;
  EXPECT_EQ(written, EncodePng(640, 480, opaque));
  std::remove(path.c_str());
}

// The target is cleared to red with a green 2 x 2 square in its top-left corner, presented
// and read back from the window.
class PresentTest : public GlDeviceTest {
 protected:
  void SetUp() override {}
  void Show(int width, int height, GlPresentation presentation = {}, bool prepareAhead = false) {
    OpenDevice(width, height, presentation, prepareAhead);
    BeginFrame(0xFFFF0000);
    DrawQuads(QuadVertices(0, 0, 2, 2, 0xFF00FF00));
    ASSERT_EQ(api_->EndScene(), Ok);
    ASSERT_EQ(api_->Present(), Ok);
    ASSERT_TRUE(api_->ReadWindowPixels(pixels_, width_, height_));
    ASSERT_EQ(width_, width);
    ASSERT_EQ(height_, height);
  }
  std::uint32_t Window(int x, int y) const { return At(pixels_, width_, x, y); }
  bool IsBlack(int x, int y) const { return (Window(x, y) & 0xFFFFFF) == 0; }

  std::vector<std::uint32_t> pixels_;
  int width_ = 0;
  int height_ = 0;
};

TEST_F(PresentTest, WindowOfTheSameAspectShowsTheTargetScaledWithTopRowOnTop) {
  Show(1024, 768);
  EXPECT_EQ(Window(0, 0), 0xFF00FF00u);
  EXPECT_EQ(Window(1023, 767), 0xFFFF0000u);
  EXPECT_EQ(Window(0, 767), 0xFFFF0000u);
  const auto red = std::count(pixels_.begin(), pixels_.end(), std::uint32_t{0xFFFF0000});
  EXPECT_GT(red, 1024 * 768 - 20);  // all but the scaled green square
}

TEST_F(PresentTest, WiderWindowGetsBarsLeftAndRight) {
  Show(1280, 480);
  EXPECT_TRUE(IsBlack(0, 240));
  EXPECT_TRUE(IsBlack(319, 240));
  EXPECT_EQ(Window(320, 0), 0xFF00FF00u);
  EXPECT_EQ(Window(959, 479), 0xFFFF0000u);
  EXPECT_TRUE(IsBlack(960, 240));
}

TEST_F(PresentTest, TallerWindowGetsBarsAboveAndBelow) {
  Show(640, 680);
  EXPECT_TRUE(IsBlack(320, 99));
  EXPECT_EQ(Window(0, 100), 0xFF00FF00u);
  EXPECT_EQ(Window(320, 579), 0xFFFF0000u);
  EXPECT_TRUE(IsBlack(320, 580));
}

// Whole multiples with nearest filtering: the 2 x 2 green square becomes exactly 4 x 4, its
// edges sharp, centred in the largest 640 x 480 multiple the window holds.
TEST_F(PresentTest, IntegerScalingShowsTheLargestWholeMultipleWithSharpEdges) {
  Show(1400, 1000, {.scale = ScaleMode::Integer});
  EXPECT_TRUE(IsBlack(59, 20));
  EXPECT_TRUE(IsBlack(60, 19));
  EXPECT_EQ(Window(60, 20), 0xFF00FF00u);
  EXPECT_EQ(Window(63, 23), 0xFF00FF00u);
  EXPECT_EQ(Window(64, 23), 0xFFFF0000u);
  EXPECT_EQ(Window(63, 24), 0xFFFF0000u);
  EXPECT_EQ(Window(1339, 979), 0xFFFF0000u);
  EXPECT_TRUE(IsBlack(1340, 979));
  EXPECT_TRUE(IsBlack(1339, 980));
}

// A context made and warmed ahead is the device's: the first Present shows the same picture,
// and once the device exists a second call changes nothing.
TEST_F(PresentTest, DeviceOnTheContextMadeAheadPresentsTheSamePicture) {
  Show(640, 480, {}, true);
  EXPECT_EQ(Window(0, 0), 0xFF00FF00u);
  EXPECT_EQ(Window(1, 1), 0xFF00FF00u);
  EXPECT_EQ(Window(2, 0), 0xFFFF0000u);
  EXPECT_EQ(std::count(pixels_.begin(), pixels_.end(), std::uint32_t{0xFFFF0000}), 640 * 480 - 4);
  api_->PrepareAhead();
  ASSERT_EQ(api_->Clear(clear::Target, 0xFF0000FF, 1.0f, 0), Ok);
  ASSERT_EQ(api_->Present(), Ok);
  ASSERT_TRUE(api_->ReadWindowPixels(pixels_, width_, height_));
  EXPECT_EQ(Window(0, 0), 0xFF0000FFu);
}

TEST_F(PresentTest, IntegerScalingInAWindowSmallerThanThePictureFitsItInstead) {
  Show(320, 240, {.scale = ScaleMode::Integer});
  EXPECT_EQ(Window(0, 0), 0xFF00FF00u);
  EXPECT_EQ(Window(319, 239), 0xFFFF0000u);
}

}  // namespace
}  // namespace tvx::test
