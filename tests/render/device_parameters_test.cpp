#include <gtest/gtest.h>

#include <bit>

#include "device_fixture.h"

namespace tvx::testing {
namespace {

using gfx::Call;
using gfx::DisplayMode;
using Codes = std::vector<std::int32_t>;
namespace fmt = gfx::format;

class PresentParameters : public DeviceTest {
 protected:
  const gfx::PresentParameters& Built() { return device->PresentParameters(); }
};

TEST_F(PresentParameters, WindowedTakesTheDesktopFormat) {
  api.SetAdapterMode({1024, 768, 75, fmt::R5G6B5});
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(Built().windowed, -1);
  EXPECT_EQ(device->DisplayFormat(), fmt::R5G6B5);
  EXPECT_EQ(Built().backBufferWidth, 640u);
  EXPECT_EQ(Built().backBufferHeight, 480u);
  EXPECT_EQ(Built().swapEffect, gfx::present::SwapEffectDiscard);
  EXPECT_EQ(Built().backBufferCount, 0u);
  EXPECT_EQ(Built().enableAutoDepthStencil, 0);
  EXPECT_EQ(Built().presentationInterval, gfx::present::IntervalImmediate);
}

TEST_F(PresentParameters, WindowedFormatIsUnknownWhenTheDesktopModeFails) {
  api.FailOnce(Call::GetAdapterDisplayMode);
  ASSERT_TRUE(device->Initialize());  // windowed creation copes with an unknown format
  EXPECT_EQ(device->DisplayFormat(), fmt::Unknown);
}

TEST_F(PresentParameters, VSyncChoosesThePresentationInterval) {
  device->SetVSync(true);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(Built().presentationInterval, gfx::present::IntervalOne);
  device->SetVSync(false);  // applies at once while active
  EXPECT_EQ(Built().presentationInterval, gfx::present::IntervalImmediate);
  EXPECT_EQ(api.LastPresentParameters().presentationInterval, gfx::present::IntervalImmediate);
}

TEST_F(PresentParameters, ExplicitWindowHandleWins) {
  device->SetWindowHandle(0x77);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(Built().deviceWindow, 0x77u);
}

TEST(PresentParametersOwner, NoFormNoWindow) {
  gfx::RecordingGraphicsApi api;
  TComponent owner(nullptr);
  auto* device = CreateComponent<TPxDevice>(&owner, api);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(device->PresentParameters().deviceWindow, 0u);
}

class FullScreenFormat : public PresentParameters {
 protected:
  void SetUp() override {
    PresentParameters::SetUp();
    device->SetWindowed(false);
  }
};

TEST_F(FullScreenFormat, HighDepthTakesTheFirstFormatListingTheSize) {
  api.SetDisplayModes({{640, 480, 60, fmt::X1R5G5B5},
                       {800, 600, 60, fmt::A8R8G8B8},
                       {640, 480, 85, fmt::R5G6B5},
                       {640, 480, 60, fmt::X8R8G8B8}});
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(device->DisplayFormat(), fmt::X8R8G8B8);
  EXPECT_EQ(Built().windowed, 0);
  EXPECT_EQ(Built().fullScreenRefreshRate, 0u);
}

TEST_F(FullScreenFormat, LowDepthPrefersSixteenBits) {
  api.SetDisplayModes({{640, 480, 60, fmt::X8R8G8B8}, {640, 480, 60, fmt::X1R5G5B5}});
  device->SetBitDepth(TBitDepth::bdLow);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(device->DisplayFormat(), fmt::X1R5G5B5);
}

TEST_F(FullScreenFormat, GivenRefreshMustMatchExactly) {
  api.SetDisplayModes(
      {{640, 480, 60, fmt::A8R8G8B8}, {640, 480, 75, fmt::X8R8G8B8}, {640, 480, 85, fmt::R5G6B5}});
  device->SetRefresh(85);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(device->DisplayFormat(), fmt::R5G6B5);
  EXPECT_EQ(Built().fullScreenRefreshRate, 85u);
}

TEST_F(FullScreenFormat, NoMatchingModeMeansUnknownFormatAndNoDevice) {
  api.SetDisplayModes({{640, 480, 60, fmt::A8R8G8B8}});
  device->SetRefresh(100);
  EXPECT_FALSE(device->Initialize());
  EXPECT_EQ(device->DisplayFormat(), fmt::Unknown);
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(FullScreenFormat, ModesThatFailToEnumerateAreSkipped) {
  api.SetDisplayModes({{640, 480, 60, fmt::A8R8G8B8}, {640, 480, 60, fmt::R5G6B5}});
  api.FailOnce(Call::EnumAdapterModes);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(device->DisplayFormat(), fmt::R5G6B5);
}

class DepthFormat : public PresentParameters {
 protected:
  void SetUp() override {
    PresentParameters::SetUp();
    device->SetDepthBuffer(true);
  }
};

TEST_F(DepthFormat, HighDepthWalksFromD32) {
  api.SetAcceptedFormats({fmt::D24X8, fmt::D16, fmt::D24X4S4});
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(Built().autoDepthStencilFormat, fmt::D24X4S4);
  EXPECT_EQ(Built().enableAutoDepthStencil, -1);
  EXPECT_EQ(Built().flags, gfx::present::FlagDiscardDepthStencil);
  const auto checks = api.Calls(Call::CheckDeviceFormat);
  ASSERT_EQ(checks.size(), 3u);  // D32, D24S8, D24X4S4
  EXPECT_EQ(checks[0].args[4], fmt::D32);
  EXPECT_EQ(checks[0].args[1], device->DisplayFormat());
  EXPECT_EQ(checks[0].args[2], gfx::usage::DepthStencil);
  EXPECT_EQ(checks[0].args[3], gfx::rtype::Surface);
}

TEST_F(DepthFormat, LowDepthWalksFromD16) {
  api.SetAcceptedFormats({fmt::D32, fmt::D15S1});
  device->SetBitDepth(TBitDepth::bdLow);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(Built().autoDepthStencilFormat, fmt::D15S1);
}

TEST_F(DepthFormat, NoneAcceptedLeavesZero) {
  api.SetAcceptedFormats({});
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(Built().autoDepthStencilFormat, fmt::Unknown);
}

TEST_F(DepthFormat, ClearTouchesTheDepthBufferToo) {
  ASSERT_TRUE(device->Initialize());
  EXPECT_TRUE(device->ClearTarget(0xFF332211));
  const auto clear = api.Calls(Call::Clear).back();
  EXPECT_EQ(clear.args[0], gfx::clear::Target | gfx::clear::ZBuffer);
  EXPECT_EQ(clear.args[1], 0xFF112233u);
  EXPECT_EQ(clear.args[2], std::bit_cast<std::uint32_t>(1.0f));
  EXPECT_EQ(clear.args[3], 0u);
}

class ApplyParameters : public DeviceTest {};

TEST_F(ApplyParameters, WidthChangeWhileActiveResets) {
  ASSERT_TRUE(device->Initialize());
  subscriber->codes.clear();
  device->SetWidth(800);
  EXPECT_EQ(subscriber->codes, (Codes{NotifyLost, NotifyRestored}));
  EXPECT_EQ(api.Count(Call::Reset), 1u);
  EXPECT_EQ(api.LastPresentParameters().backBufferWidth, 800u);
  EXPECT_FALSE(device->Lost());
}

TEST_F(ApplyParameters, FailedResetSendsNoRestore) {
  ASSERT_TRUE(device->Initialize());
  subscriber->codes.clear();
  api.FailOnce(Call::Reset);
  EXPECT_FALSE(device->ApplyParameters());
  EXPECT_EQ(subscriber->codes, Codes{NotifyLost});
}

TEST_F(ApplyParameters, BitDepthChangeWhileActiveChangesNothing) {
  ASSERT_TRUE(device->Initialize());
  subscriber->codes.clear();
  device->SetBitDepth(TBitDepth::bdLow);
  device->SetRefresh(75);
  device->SetDepthBuffer(true);
  device->SetWindowHandle(9);
  EXPECT_EQ(device->BitDepth(), TBitDepth::bdHigh);
  EXPECT_EQ(device->Refresh(), 0);
  EXPECT_FALSE(device->DepthBuffer());
  EXPECT_EQ(device->WindowHandle(), 0u);
  EXPECT_TRUE(subscriber->codes.empty());
  EXPECT_EQ(api.Count(Call::Reset), 0u);
}

TEST_F(ApplyParameters, InactiveDeviceOnlyStores) {
  device->SetHeight(600);
  EXPECT_EQ(device->Height(), 600);
  EXPECT_FALSE(device->ApplyParameters());
  EXPECT_EQ(api.Count(Call::Reset), 0u);
}

}  // namespace
}  // namespace tvx::testing
