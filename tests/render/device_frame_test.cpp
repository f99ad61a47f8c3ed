#include <gtest/gtest.h>

#include "device_fixture.h"

namespace tvx::testing {
namespace {

using gfx::Call;
using Codes = std::vector<std::int32_t>;

class DeviceRender : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(device->Initialize());
    subscriber->codes.clear();
    api.ClearLog();
  }
};

TEST_F(DeviceRender, WithoutOnRenderDoesNothing) {
  EXPECT_FALSE(device->Render(0, true));
  EXPECT_EQ(api.Count(Call::Clear), 0u);
  EXPECT_EQ(api.Count(Call::BeginScene), 0u);
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(DeviceRender, ClearsBeginsRendersAndEndsInOrder) {
  std::vector<std::string_view> seenInRender;
  device->OnRender = [&](TComponent* sender) {
    EXPECT_EQ(sender, device);
    EXPECT_TRUE(api.InScene());
    EXPECT_EQ(subscriber->codes, Codes{NotifyBeginScene});
  };
  EXPECT_TRUE(device->Render(0xFF0000FF, true));
  ASSERT_EQ(api.Log().size(), 3u);
  EXPECT_EQ(api.Log()[0].call, Call::Clear);
  EXPECT_EQ(api.Log()[0].args[0], gfx::clear::Target);
  EXPECT_EQ(api.Log()[0].args[1], 0xFFFF0000u);  // red as 0xAARRGGBB
  EXPECT_EQ(api.Log()[1].call, Call::BeginScene);
  EXPECT_EQ(api.Log()[2].call, Call::EndScene);
  EXPECT_EQ(subscriber->codes, (Codes{NotifyBeginScene, NotifyEndScene}));
}

TEST_F(DeviceRender, FailedClearOrBeginStops) {
  int renders = 0;
  device->OnRender = [&](TComponent*) { ++renders; };
  api.FailOnce(Call::Clear);
  EXPECT_FALSE(device->Render(0, true));
  api.FailOnce(Call::BeginScene);
  EXPECT_FALSE(device->Render(0, false));
  EXPECT_EQ(renders, 0);
  EXPECT_EQ(api.Count(Call::EndScene), 0u);
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(DeviceRender, EndSceneIsNotifiedBeforeTheSceneEnds) {
  device->OnRender = [](TComponent*) {};
  bool inSceneAtEnd = false;
  class Probe : public TPxDeviceSubscriber {
   public:
    Probe(TComponent* owner, gfx::RecordingGraphicsApi& api, bool& flag)
        : TPxDeviceSubscriber(owner), api_(api), flag_(flag) {}
    bool HandleNotification(std::int32_t code) override {
      if (code == NotifyEndScene) flag_ = api_.InScene();
      return true;
    }

   private:
    gfx::RecordingGraphicsApi& api_;
    bool& flag_;
  };
  Probe probe(nullptr, api, inSceneAtEnd);
  probe.SetPublisher(device);
  EXPECT_TRUE(device->Render(0, false));
  EXPECT_TRUE(inSceneAtEnd);
}

class DevicePresent : public DeviceRender {};

TEST_F(DevicePresent, InactiveAnswersFalse) {
  device->Finalize();
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_EQ(api.Count(Call::Present), 0u);
}

TEST_F(DevicePresent, LostTwiceThenResetNotifiesOnceEach) {
  api.QueueResults(Call::Present, {gfx::DeviceLost, gfx::DeviceLost, gfx::DeviceLost});
  api.QueueResults(Call::TestCooperativeLevel, {gfx::DeviceLost, gfx::DeviceLost});
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_TRUE(device->Lost());
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_EQ(subscriber->codes, Codes{NotifyLost});
  api.QueueResults(Call::TestCooperativeLevel, {gfx::DeviceNotReset});
  EXPECT_TRUE(device->PresentFrame());
  EXPECT_FALSE(device->Lost());
  EXPECT_EQ(subscriber->codes, (Codes{NotifyLost, NotifyRestored}));
  EXPECT_EQ(api.Count(Call::Reset), 1u);
  EXPECT_TRUE(device->PresentFrame());
  EXPECT_EQ(subscriber->codes.size(), 2u);
}

TEST_F(DevicePresent, RecoversFromADisplaySwitchAtTheFirstAllowedReset) {
  device->OnRender = [](TComponent*) {};
  api.LoseDevice(2);
  for (int frame = 0; frame < 2; ++frame) {
    EXPECT_TRUE(device->Render(0, true));  // rendering goes on while lost
    EXPECT_FALSE(device->PresentFrame());
  }
  EXPECT_EQ(api.Count(Call::Reset), 0u);
  EXPECT_TRUE(device->Render(0, true));
  EXPECT_TRUE(device->PresentFrame());
  EXPECT_FALSE(api.DeviceLostNow());
  EXPECT_EQ(subscriber->codes.front(), NotifyBeginScene);
  Codes recovery;
  for (const auto code : subscriber->codes) {
    if (code == NotifyLost || code == NotifyRestored) recovery.push_back(code);
  }
  EXPECT_EQ(recovery, (Codes{NotifyLost, NotifyRestored}));
}

TEST_F(DevicePresent, FailedResetKeepsLostAndRetriesNextFrame) {
  api.QueueResults(Call::Present, {gfx::DeviceLost, gfx::DeviceLost});
  api.QueueResults(Call::TestCooperativeLevel, {gfx::DeviceNotReset, gfx::DeviceNotReset});
  api.FailOnce(Call::Reset);
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_TRUE(device->Lost());
  EXPECT_TRUE(device->PresentFrame());
  EXPECT_EQ(subscriber->codes, (Codes{NotifyLost, NotifyRestored}));
  EXPECT_EQ(api.Count(Call::Reset), 2u);
}

TEST_F(DevicePresent, DriverErrorResets) {
  api.FailOnce(Call::Present, gfx::DriverInternalError);
  EXPECT_TRUE(device->PresentFrame());
  EXPECT_EQ(api.Count(Call::Reset), 1u);
  EXPECT_TRUE(device->Active());
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(DevicePresent, DriverErrorWithFailingResetFinalises) {
  api.FailOnce(Call::Present, gfx::DriverInternalError);
  api.FailOnce(Call::Reset);
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_FALSE(device->Active());
  EXPECT_EQ(subscriber->codes, Codes{NotifyFinalize});
  device->OnRender = [](TComponent*) {};
  EXPECT_FALSE(device->Render(0, true));
  EXPECT_FALSE(device->PresentFrame());
}

TEST_F(DevicePresent, PlainFailureIsReportedWithoutRecovery) {
  api.FailOnce(Call::Present);
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_EQ(api.Count(Call::TestCooperativeLevel), 0u);
  EXPECT_EQ(api.Count(Call::Reset), 0u);
}

}  // namespace
}  // namespace tvx::testing
