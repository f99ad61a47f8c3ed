#include <gtest/gtest.h>

#include "platform/KeyboardDevice.h"
#include "platform/doubles/FakeKeyboardDevice.h"
#include "timing/PxKeyboard.h"

namespace tvx {
namespace {

using Call = FakeKeyboardDevice::Call;

class TestForm : public TForm {
 public:
  TestForm() : TForm(nullptr) {}
  std::uintptr_t WindowHandle() const override { return 42; }
};

class Keyboard : public ::testing::Test {
 protected:
  FakeKeyboardDevice device;
  TestForm form;
  TPxKeyboard* keyboard = CreateComponent<TPxKeyboard>(&form, device);
};

TEST_F(Keyboard, RefusesAnOwnerThatIsNotAForm) {
  TComponent owner(nullptr);
  try {
    TPxKeyboard keyboard(&owner, device);
    FAIL() << "no exception";
  } catch (const EKeyboardError& e) {
    EXPECT_STREQ(e.what(), "TPxKeyboard: This component must be dropped onto the form!");
  }
}

TEST_F(Keyboard, FirstUpdateInitialisesAcquiresAndReadsTheFreshState) {
  device.SetKeyDown(dik::Up, true);
  EXPECT_FALSE(keyboard->Initialized());
  ASSERT_TRUE(keyboard->Update());
  EXPECT_TRUE(keyboard->Initialized());
  EXPECT_TRUE(device.Acquired());
  EXPECT_EQ(device.CooperativeWindow(), 42u);
  EXPECT_TRUE(device.Foreground());
  EXPECT_TRUE(keyboard->KeyPressed(dik::Up));
  EXPECT_FALSE(keyboard->KeyPressed(dik::Left));
  EXPECT_EQ(device.CallCount(Call::Acquire), 1);
  EXPECT_EQ(device.CallCount(Call::GetDeviceState), 2);
}

TEST_F(Keyboard, KeyPressedFollowsTheLastSuccessfulUpdate) {
  device.SetKeyDown(dik::Up, true);
  ASSERT_TRUE(keyboard->Update());
  device.SetKeyDown(dik::Up, false);
  EXPECT_TRUE(keyboard->KeyPressed(dik::Up));  // not read yet
  ASSERT_TRUE(keyboard->Update());
  EXPECT_FALSE(keyboard->KeyPressed(dik::Up));
}

TEST_F(Keyboard, NothingIsReadInTheBackgroundAndTheLastStateStays) {
  device.SetKeyDown(dik::Left, true);
  ASSERT_TRUE(keyboard->Update());
  device.SetFocused(false);
  device.SetKeyDown(dik::Left, false);
  EXPECT_FALSE(keyboard->Update());
  EXPECT_FALSE(keyboard->Update());
  EXPECT_TRUE(keyboard->KeyPressed(dik::Left));
  device.SetFocused(true);
  EXPECT_TRUE(keyboard->Update());
  EXPECT_FALSE(keyboard->KeyPressed(dik::Left));
}

TEST_F(Keyboard, InitialiseTwiceAnswersFalseAndChangesNothing) {
  ASSERT_TRUE(keyboard->Initialize());
  device.ClearCalls();
  EXPECT_FALSE(keyboard->Initialize());
  EXPECT_TRUE(device.Calls().empty());
}

TEST_F(Keyboard, ForegroundSetWhileInitialisedIsNotKept) {
  ASSERT_TRUE(keyboard->Initialize());
  keyboard->SetForeground(false);
  EXPECT_TRUE(keyboard->Foreground());
  keyboard->Finalize();
  EXPECT_FALSE(keyboard->Initialized());
  ASSERT_TRUE(keyboard->Initialize());
  EXPECT_TRUE(device.Foreground());
  keyboard->Finalize();
  keyboard->SetForeground(false);
  ASSERT_TRUE(keyboard->Initialize());
  EXPECT_FALSE(device.Foreground());
}

TEST_F(Keyboard, ConfigurationFailuresReleaseTheDeviceAndAnswerFalse) {
  device.FailCall(Call::SetCooperativeLevel, input::Fail, 1);
  EXPECT_FALSE(keyboard->Update());
  EXPECT_FALSE(keyboard->Initialized());
  EXPECT_FALSE(device.DeviceExists());
  EXPECT_EQ(device.CallCount(Call::ReleaseDevice), 1);
  EXPECT_TRUE(keyboard->Update());
}

TEST_F(Keyboard, OtherReadErrorsAnswerFalseWithoutAcquiring) {
  ASSERT_TRUE(keyboard->Update());
  device.ClearCalls();
  device.FailCall(Call::GetDeviceState, input::Fail, 1);
  EXPECT_FALSE(keyboard->Update());
  EXPECT_EQ(device.CallCount(Call::Acquire), 0);
}

TEST_F(Keyboard, DestructionUnacquiresAndReleases) {
  {
    TestForm other;
    ASSERT_TRUE(CreateComponent<TPxKeyboard>(&other, device)->Update());
  }
  EXPECT_FALSE(device.DeviceExists());
  EXPECT_EQ(device.CallCount(Call::Unacquire), 1);
}

}  // namespace
}  // namespace tvx
