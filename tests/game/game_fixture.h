// A whole game on the doubles, started and showing its title screen.
#pragma once

#include <gtest/gtest.h>

#include "core/TempFolder.h"
#include "harness/GameHarness.h"
#include "harness/TestArchive.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "sound/SoundSystem.h"
#include "timing/PxTimers.h"

namespace tvx::testing {

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    graphics.SetLogging(false);
    ASSERT_TRUE(WriteTestArchive(folder.Path() + "resources.tvx"));
    harness = std::make_unique<GameHarness>(graphics, folder.Path(), RefreshRate(), Display());
    harness->Start();
    ASSERT_TRUE(State().DeviceReady);
  }
  virtual int RefreshRate() const { return 60; }
  virtual DisplayOptions Display() const { return {}; }

  TGameState& State() { return harness->State(); }
  TForm1& Form() { return harness->Form(); }
  void Press(std::uint16_t key) { harness->Press(key); }
  void RunFor(std::uint32_t ms) { harness->RunFor(ms); }
  bool RunUntil(const std::function<bool()>& done, std::uint32_t maxMs) {
    return harness->RunUntil(done, maxMs);
  }

  TempFolder folder;
  gfx::RecordingGraphicsApi graphics;
  std::unique_ptr<GameHarness> harness;
};

}  // namespace tvx::testing
