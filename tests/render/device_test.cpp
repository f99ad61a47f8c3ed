#include <gtest/gtest.h>

#include "device_fixture.h"

namespace tvx::testing {
namespace {

using gfx::Call;
using Codes = std::vector<std::int32_t>;

class DeviceInitialize : public DeviceTest {};

TEST_F(DeviceInitialize, CreatesAHardwareDeviceForTheFormWindow) {
  ASSERT_TRUE(device->Initialize());
  EXPECT_TRUE(device->Active());
  EXPECT_EQ(api.Count(Call::CreateDevice), 1u);
  EXPECT_EQ(api.LastBehaviorFlags(), gfx::create::HardwareVertexProcessing);
  const auto create = api.Calls(Call::CreateDevice).front();
  EXPECT_EQ(create.args[0], gfx::devtype::Hal);
  EXPECT_EQ(create.args[1], kFormWindow);
  EXPECT_EQ(api.LastPresentParameters().deviceWindow, kFormWindow);
  EXPECT_EQ(subscriber->codes, Codes{NotifyInitialize});
}

TEST_F(DeviceInitialize, FallsBackToSoftwareVertexProcessing) {
  api.FailOnce(Call::CreateDevice);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(api.Count(Call::CreateDevice), 2u);
  EXPECT_EQ(api.LastBehaviorFlags(), gfx::create::SoftwareVertexProcessing);
}

TEST_F(DeviceInitialize, WithoutHardwareTLTriesSoftwareOnly) {
  device->SetHardwareTL(false);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(api.Count(Call::CreateDevice), 1u);
  EXPECT_EQ(api.LastBehaviorFlags(), gfx::create::SoftwareVertexProcessing);
}

TEST_F(DeviceInitialize, UnreadableCapsFailWithoutNotifying) {
  api.FailOnce(Call::GetDeviceCaps);
  EXPECT_FALSE(device->Initialize());
  EXPECT_FALSE(device->Active());
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(DeviceInitialize, ObjectWithoutDeviceBlocksEveryLaterAttempt) {
  api.FailAlways(Call::CreateDevice);
  EXPECT_FALSE(device->Initialize());
  EXPECT_TRUE(api.ObjectExists());
  api.StopFailing(Call::CreateDevice);
  EXPECT_FALSE(device->Initialize());
  EXPECT_EQ(api.Count(Call::CreateObject), 1u);
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(DeviceInitialize, MissingObjectFails) {
  api.FailOnce(Call::CreateObject);
  EXPECT_FALSE(device->Initialize());
  EXPECT_EQ(api.Count(Call::CreateDevice), 0u);
  // Nothing was left behind, so the next attempt can succeed.
  EXPECT_TRUE(device->Initialize());
}

TEST_F(DeviceInitialize, SecondCallWhileActiveAnswersFalse) {
  ASSERT_TRUE(device->Initialize());
  EXPECT_FALSE(device->Initialize());
  EXPECT_EQ(subscriber->codes, Codes{NotifyInitialize});
}

TEST_F(DeviceInitialize, RefusingSubscriberFinalisesEveryone) {
  auto* second = CreateComponent<JournalDeviceSubscriber>(&form);
  second->SetPublisher(device);
  subscriber->refuse = NotifyInitialize;
  EXPECT_FALSE(device->Initialize());
  EXPECT_FALSE(device->Active());
  EXPECT_EQ(subscriber->codes, (Codes{NotifyInitialize, NotifyFinalize}));
  EXPECT_EQ(second->codes, Codes{NotifyFinalize});
  EXPECT_FALSE(api.DeviceExists());
  EXPECT_FALSE(api.ObjectExists());
}

TEST_F(DeviceInitialize, OnInitializeSeesTheOutcomeAndMayOverturnIt) {
  std::vector<bool> seen;
  device->OnInitialize = [&](TComponent* sender, bool& success) {
    EXPECT_EQ(sender, device);
    seen.push_back(success);
    success = false;
  };
  EXPECT_FALSE(device->Initialize());
  EXPECT_EQ(seen, std::vector<bool>{true});
  EXPECT_FALSE(device->Active());
  EXPECT_EQ(subscriber->codes, (Codes{NotifyInitialize, NotifyFinalize}));
}

TEST_F(DeviceInitialize, OnInitializeIsCalledAfterARefusalAndCanRescueNothing) {
  std::vector<bool> seen;
  subscriber->refuse = NotifyInitialize;
  device->OnInitialize = [&](TComponent*, bool& success) {
    seen.push_back(success);
    success = true;
  };
  // The device is already finalised; the handler's flag is answered as it is.
  EXPECT_TRUE(device->Initialize());
  EXPECT_EQ(seen, std::vector<bool>{false});
  EXPECT_FALSE(device->Active());
  EXPECT_EQ(subscriber->codes, (Codes{NotifyInitialize, NotifyFinalize}));
}

class DeviceFinalize : public DeviceTest {};

TEST_F(DeviceFinalize, WhenInactiveAnswersFalseAndSendsNothing) {
  bool called = false;
  device->OnFinalize = [&](TComponent*) { called = true; };
  EXPECT_FALSE(device->Finalize());
  EXPECT_FALSE(called);
  EXPECT_TRUE(subscriber->codes.empty());
}

TEST_F(DeviceFinalize, CallsOnFinalizeNotifiesThenReleasesDeviceAndObject) {
  ASSERT_TRUE(device->Initialize());
  std::vector<int> order;
  device->OnFinalize = [&](TComponent*) {
    order.push_back(1);
    EXPECT_TRUE(subscriber->codes.back() == NotifyInitialize);
  };
  api.ClearLog();
  EXPECT_TRUE(device->Finalize());
  EXPECT_EQ(order, std::vector<int>{1});
  EXPECT_EQ(subscriber->codes, (Codes{NotifyInitialize, NotifyFinalize}));
  ASSERT_EQ(api.Log().size(), 2u);
  EXPECT_EQ(api.Log()[0].call, Call::ReleaseDevice);
  EXPECT_EQ(api.Log()[1].call, Call::ReleaseObject);
  EXPECT_FALSE(device->Active());
  EXPECT_TRUE(device->Initialize());  // a new device can be made
}

TEST(DeviceLifetime, DestroyingAnActiveDeviceTellsRemainingSubscribersAndReleases) {
  gfx::RecordingGraphicsApi api;
  JournalDeviceSubscriber outsider(nullptr);
  bool finalizeEvent = false;
  {
    TestForm form;
    auto* device = CreateComponent<TPxDevice>(&form, api);
    outsider.SetPublisher(device);
    device->OnFinalize = [&](TComponent*) { finalizeEvent = true; };
    ASSERT_TRUE(device->Initialize());
  }
  // The owner is half gone by then, so its handler is not called.
  EXPECT_FALSE(finalizeEvent);
  EXPECT_EQ(outsider.codes, (Codes{NotifyInitialize, NotifyFinalize}));
  EXPECT_EQ(outsider.Publisher(), nullptr);
  EXPECT_FALSE(api.DeviceExists());
  EXPECT_FALSE(api.ObjectExists());
}

TEST(DeviceLifetime, DestroyingReleasesAnObjectLeftByAFailedCreation) {
  gfx::RecordingGraphicsApi api;
  api.FailAlways(gfx::Call::CreateDevice);
  {
    TPxDevice device(nullptr, api);
    EXPECT_FALSE(device.Initialize());
    EXPECT_TRUE(api.ObjectExists());
  }
  EXPECT_FALSE(api.ObjectExists());
}

}  // namespace
}  // namespace tvx::testing
