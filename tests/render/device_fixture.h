// A device on the recording graphics double, owned by a form with a known window, with a
// subscriber that journals every notification it receives.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/Component.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "render/PxDevices.h"

namespace tvx::testing {

constexpr std::uintptr_t kFormWindow = 0x5150;

class TestForm : public TForm {
 public:
  TestForm() : TForm(nullptr) {}
  std::uintptr_t WindowHandle() const override { return kFormWindow; }
};

class JournalDeviceSubscriber : public TPxDeviceSubscriber {
 public:
  explicit JournalDeviceSubscriber(TComponent* owner) : TPxDeviceSubscriber(owner) {}
  bool HandleNotification(std::int32_t code) override {
    codes.push_back(code);
    return code != refuse;
  }
  std::vector<std::int32_t> codes;
  std::int32_t refuse = 0;
};

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device = CreateComponent<TPxDevice>(&form, api);
    subscriber = CreateComponent<JournalDeviceSubscriber>(&form);
    subscriber->SetPublisher(device);
  }

  // Declared before the form so that the components go first.
  gfx::RecordingGraphicsApi api;
  TestForm form;
  TPxDevice* device = nullptr;
  JournalDeviceSubscriber* subscriber = nullptr;
};

}  // namespace tvx::testing
