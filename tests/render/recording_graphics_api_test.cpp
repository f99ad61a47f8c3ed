#include "platform/doubles/RecordingGraphicsApi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tvx::gfx {
namespace {

class RecordingApi : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(api.CreateObject(SdkVersion), Ok);
    PresentParameters parameters;
    parameters.windowed = -1;
    ASSERT_EQ(api.CreateDevice(devtype::Hal, 0, create::HardwareVertexProcessing, parameters), Ok);
  }
  RecordingGraphicsApi api;
};

TEST_F(RecordingApi, BufferLocksHandOutTheBufferMemory) {
  Handle buffer = 0;
  ASSERT_EQ(api.CreateVertexBuffer(64, usage::Dynamic, FvfXyzRhwDiffuseTex1, pool::Default, buffer),
            Ok);
  void* data = nullptr;
  ASSERT_EQ(api.LockBuffer(buffer, 16, 8, &data, lock::Discard), Ok);
  std::memset(data, 0xAB, 8);
  EXPECT_NE(api.LockBuffer(buffer, 0, 0, &data, 0), Ok);  // already locked
  ASSERT_EQ(api.UnlockBuffer(buffer), Ok);
  const auto& bytes = api.BufferData(buffer);
  ASSERT_EQ(bytes.size(), 64u);
  EXPECT_EQ(bytes[15], 0);
  EXPECT_EQ(bytes[16], 0xAB);
  EXPECT_EQ(bytes[23], 0xAB);
  EXPECT_EQ(bytes[24], 0);
  EXPECT_NE(api.LockBuffer(buffer, 60, 8, &data, 0), Ok);  // past the end
  api.ReleaseBuffer(buffer);
  EXPECT_EQ(api.LiveBuffers(), 0u);
}

TEST_F(RecordingApi, TextureRectLocksPointIntoTheLevel) {
  Handle texture = 0;
  ASSERT_EQ(api.CreateTexture(16, 8, 1, 0, format::A8R8G8B8, pool::Managed, texture), Ok);
  LockedRect locked;
  const Rect rect{2, 3, 6, 5};
  ASSERT_EQ(api.LockRect(texture, 0, locked, &rect, 0), Ok);
  EXPECT_EQ(locked.pitch, 64);
  static_cast<std::uint8_t*>(locked.bits)[0] = 7;
  ASSERT_EQ(api.UnlockRect(texture, 0), Ok);
  EXPECT_EQ(api.TextureData(texture, 0)[3 * 64 + 2 * 4], 7);
  const Rect outside{0, 0, 17, 1};
  EXPECT_NE(api.LockRect(texture, 0, locked, &outside, 0), Ok);
  Handle chain = 0;
  ASSERT_EQ(api.CreateTexture(8, 2, 0, 0, format::R5G6B5, pool::Managed, chain), Ok);
  EXPECT_EQ(api.TextureData(chain, 3).size(), 2u);  // 8x2, 4x1, 2x1, 1x1
  EXPECT_TRUE(api.TextureData(chain, 4).empty());
}

TEST_F(RecordingApi, RefusesFormatsOutsideTheAcceptedSet) {
  api.SetAcceptedFormats({format::A8});
  Handle texture = 0;
  EXPECT_NE(api.CreateTexture(4, 4, 1, 0, format::A8R8G8B8, pool::Managed, texture), Ok);
  EXPECT_EQ(api.CreateTexture(4, 4, 1, 0, format::A8, pool::Managed, texture), Ok);
  EXPECT_NE(api.CheckDeviceFormat(devtype::Hal, 0, 0, rtype::Texture, format::R5G6B5), Ok);
}

TEST_F(RecordingApi, ScriptedResultsComeInOrderThenTheStandingOne) {
  api.QueueResults(Call::Present, {DeviceLost, DriverInternalError});
  api.FailAlways(Call::Present, DeviceNotReset);
  EXPECT_EQ(api.Present(), DeviceLost);
  EXPECT_EQ(api.Present(), DriverInternalError);
  EXPECT_EQ(api.Present(), DeviceNotReset);
  EXPECT_EQ(api.Present(), DeviceNotReset);
  api.StopFailing(Call::Present);
  EXPECT_EQ(api.Present(), Ok);
  EXPECT_EQ(CallFromName("Present"), Call::Present);
  EXPECT_EQ(CallName(Call::DrawIndexedPrimitive), "DrawIndexedPrimitive");
  EXPECT_FALSE(CallFromName("Draw").has_value());
}

TEST_F(RecordingApi, DrawsAreCheckedAgainstTheBoundBuffers) {
  Handle vertices = 0, indices = 0;
  ASSERT_EQ(api.CreateVertexBuffer(4 * 28, 0, FvfXyzRhwDiffuseTex1, pool::Default, vertices), Ok);
  ASSERT_EQ(api.CreateIndexBuffer(6 * 2, 0, format::Index16, pool::Default, indices), Ok);
  void* data = nullptr;
  ASSERT_EQ(api.LockBuffer(indices, 0, 12, &data, lock::Discard), Ok);
  const std::uint16_t quad[6] = {0, 1, 3, 1, 2, 4};  // 4 is outside four vertices
  std::memcpy(data, quad, sizeof quad);
  ASSERT_EQ(api.UnlockBuffer(indices), Ok);
  ASSERT_EQ(api.SetStreamSource(0, vertices, 0, 28), Ok);
  ASSERT_EQ(api.SetIndices(indices), Ok);
  EXPECT_NE(api.DrawIndexedPrimitive(prim::TriangleList, 0, 0, 4, 0, 1), Ok);  // no scene
  ASSERT_EQ(api.BeginScene(), Ok);
  EXPECT_EQ(api.DrawIndexedPrimitive(prim::TriangleList, 0, 0, 4, 0, 1), Ok);
  EXPECT_NE(api.DrawIndexedPrimitive(prim::TriangleList, 0, 0, 4, 0, 2), Ok);
  EXPECT_NE(api.DrawIndexedPrimitive(prim::TriangleList, 0, 0, 5, 0, 1), Ok);
  ASSERT_EQ(api.EndScene(), Ok);
  EXPECT_EQ(api.DrawCallsThisFrame(), 1u);
  ASSERT_EQ(api.Present(), Ok);
  EXPECT_EQ(api.DrawCallsLastFrame(), 1u);
  EXPECT_EQ(api.DrawCallsThisFrame(), 0u);
  EXPECT_EQ(api.PrimitivesDrawn(), 1u);
}

TEST_F(RecordingApi, WithoutLoggingOnlyCounts) {
  api.ClearLog();
  api.SetLogging(false);
  api.SetRenderState(rs::Lighting, 0);
  api.SetRenderState(rs::Lighting, 1);
  EXPECT_TRUE(api.Log().empty());
  EXPECT_EQ(api.Count(Call::SetRenderState), 2u);
  EXPECT_EQ(api.RenderState(rs::Lighting), 1u);
  api.ResetCounters();
  EXPECT_EQ(api.Count(Call::SetRenderState), 0u);
}

TEST_F(RecordingApi, DisplayModesAreEnumeratedPerFormat) {
  api.SetDisplayModes({{640, 480, 60, format::R5G6B5},
                       {800, 600, 75, format::X8R8G8B8},
                       {1024, 768, 60, format::R5G6B5}});
  EXPECT_EQ(api.GetAdapterModeCount(format::R5G6B5), 2u);
  DisplayMode mode;
  ASSERT_EQ(api.EnumAdapterModes(format::R5G6B5, 1, mode), Ok);
  EXPECT_EQ(mode.width, 1024u);
  EXPECT_NE(api.EnumAdapterModes(format::R5G6B5, 2, mode), Ok);
  EXPECT_EQ(api.GetAdapterModeCount(format::A8), 0u);
}

}  // namespace
}  // namespace tvx::gfx
