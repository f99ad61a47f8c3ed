#include <gtest/gtest.h>

#include <array>

#include "platform/doubles/FakeKeyboardDevice.h"

namespace tvx {
namespace {

using Call = FakeKeyboardDevice::Call;
constexpr std::uintptr_t kWindow = 7;
constexpr std::uint32_t kForeground = input::Foreground | input::NonExclusive;
constexpr std::uint32_t kBackground = input::Background | input::NonExclusive;

class FakeKeyboardDeviceTest : public ::testing::Test {
 protected:
  void Configure(std::uint32_t flags = kForeground) {
    ASSERT_EQ(device.CreateInputObject(), input::Ok);
    ASSERT_EQ(device.CreateDevice(), input::Ok);
    ASSERT_EQ(device.SetDataFormat(input::KeyboardDataSize), input::Ok);
    ASSERT_EQ(device.SetCooperativeLevel(kWindow, flags), input::Ok);
  }
  std::int32_t Read() { return device.GetDeviceState(input::KeyboardDataSize, state.data()); }

  FakeKeyboardDevice device;
  std::array<std::uint8_t, 256> state{};
};

TEST_F(FakeKeyboardDeviceTest, ReadsNeedAnAcquiredDeviceAndReportHeldKeysWithBit7) {
  Configure();
  EXPECT_EQ(Read(), input::NotAcquired);
  ASSERT_EQ(device.Acquire(), input::Ok);
  device.SetKeyDown(dik::Up, true);
  device.SetKeyDown(dik::Left, true);
  state.fill(0x55);
  ASSERT_EQ(Read(), input::Ok);
  EXPECT_EQ(state[dik::Up], 0x80);
  EXPECT_EQ(state[dik::Left], 0x80);
  EXPECT_EQ(state[dik::Down], 0x00) << "every slot is written";
  device.ReleaseAllKeys();
  ASSERT_EQ(Read(), input::Ok);
  EXPECT_EQ(state[dik::Up], 0x00);
}

TEST_F(FakeKeyboardDeviceTest, TheDeviceNeedsTheInputObjectAndItsConfiguration) {
  EXPECT_EQ(device.CreateDevice(), input::Fail);
  ASSERT_EQ(device.CreateInputObject(), input::Ok);
  EXPECT_TRUE(device.HasInputObject());
  ASSERT_EQ(device.CreateDevice(), input::Ok);
  EXPECT_EQ(device.Acquire(), input::Fail) << "no data format or cooperative level yet";
  EXPECT_EQ(device.SetDataFormat(128), input::Fail);
  EXPECT_EQ(device.SetCooperativeLevel(kWindow, input::Foreground), input::Fail)
      << "foreground needs non-exclusive here";
  EXPECT_EQ(device.SetCooperativeLevel(0, kForeground), input::Fail) << "no such window";
  EXPECT_EQ(device.GetDeviceState(16, state.data()), input::Fail);
}

TEST_F(FakeKeyboardDeviceTest, LosingTheFocusLosesTheInputUnderTheForegroundLevel) {
  Configure();
  ASSERT_EQ(device.Acquire(), input::Ok);
  device.SetKeyDown(dik::Right, true);
  ASSERT_EQ(Read(), input::Ok);
  device.SetFocused(false);
  state.fill(0);
  EXPECT_EQ(Read(), input::InputLost);
  EXPECT_EQ(state[dik::Right], 0x00) << "nothing is read in the background";
  EXPECT_EQ(device.Acquire(), input::Fail);
  EXPECT_EQ(Read(), input::NotAcquired);
  device.SetFocused(true);
  EXPECT_EQ(device.Acquire(), input::Ok);
  EXPECT_EQ(Read(), input::Ok);
  EXPECT_EQ(state[dik::Right], 0x80);
}

TEST_F(FakeKeyboardDeviceTest, TheBackgroundLevelReadsWithoutTheFocus) {
  Configure(kBackground);
  device.SetFocused(false);
  ASSERT_EQ(device.Acquire(), input::Ok);
  EXPECT_EQ(Read(), input::Ok);
  EXPECT_FALSE(device.Foreground());
}

TEST_F(FakeKeyboardDeviceTest, ReleasingTheDeviceKeepsTheInputObject) {
  Configure();
  ASSERT_EQ(device.Acquire(), input::Ok);
  device.ReleaseDevice();
  EXPECT_FALSE(device.DeviceExists());
  EXPECT_FALSE(device.Acquired());
  EXPECT_TRUE(device.HasInputObject());
  EXPECT_EQ(Read(), input::Fail);
}

TEST_F(FakeKeyboardDeviceTest, InjectedFailuresAnswerInsteadOfTheDevice) {
  device.FailCall(Call::CreateDevice, input::Fail, 1);
  ASSERT_EQ(device.CreateInputObject(), input::Ok);
  EXPECT_EQ(device.CreateDevice(), input::Fail);
  EXPECT_FALSE(device.DeviceExists());
  EXPECT_EQ(device.CreateDevice(), input::Ok) << "only once";

  device.FailCall(Call::Acquire, 1);
  ASSERT_EQ(device.SetDataFormat(input::KeyboardDataSize), input::Ok);
  ASSERT_EQ(device.SetCooperativeLevel(kWindow, kForeground), input::Ok);
  EXPECT_EQ(device.Acquire(), 1);
  EXPECT_EQ(device.Acquire(), 1) << "always, until cleared";
  device.ClearFailures();
  EXPECT_EQ(device.Acquire(), input::Ok);
}

TEST_F(FakeKeyboardDeviceTest, RecordsEveryCallWithItsResult) {
  Configure();
  EXPECT_EQ(Read(), input::NotAcquired);
  device.Acquire();
  ASSERT_EQ(device.Calls().size(), 6u);
  EXPECT_EQ(device.Calls()[4].call, Call::GetDeviceState);
  EXPECT_EQ(device.Calls()[4].result, input::NotAcquired);
  EXPECT_EQ(device.CallCount(Call::Acquire), 1);
  EXPECT_EQ(device.CooperativeWindow(), kWindow);
  device.ClearCalls();
  EXPECT_TRUE(device.Calls().empty());
}

}  // namespace
}  // namespace tvx
