// Runs the main window against the platform doubles with a virtual clock: scripted keys,
// a silent audio library that keeps playing state, a scripted keyboard device, and any
// graphics API (the recording double, or the OpenGL backend for pictures). Time passes only
// as the message loop sleeps, so a level plays in milliseconds and every run is the same.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/Form1.h"
#include "platform/doubles/FakeApplication.h"
#include "platform/doubles/FakeKeyboardDevice.h"
#include "platform/doubles/SilentAudioLibrary.h"
#include "platform/doubles/VirtualClock.h"

namespace tvx::testing {

// The archive the game reads and the ranking file it keeps.
struct GameFiles {
  std::string archivePath;
  std::string rankingPath;
};

class GameHarness {
 public:
  GameHarness(gfx::IGraphicsApi& graphics, GameFiles files, int refreshRate = 60,
              const DisplayOptions& display = {});
  // `programFolder` ends with a separator and holds resources.tvx (and ranking.rkg).
  GameHarness(gfx::IGraphicsApi& graphics, const std::string& programFolder, int refreshRate = 60,
              const DisplayOptions& display = {})
      : GameHarness(graphics, {programFolder + "resources.tvx", programFolder + "ranking.rkg"},
                    refreshRate, display) {}
  ~GameHarness();

  TForm1& Form() { return *form_; }
  TGameState& State() { return form_->State(); }

  // "Start Game", then passes until the first frame has loaded the resources.
  void Start();
  // A key-down event, delivered by the next message-loop pass.
  void Press(std::uint16_t virtualKey);
  void RunPasses(int count) { app.RunPasses(count); }
  void RunFor(std::uint32_t virtualMilliseconds) { app.RunFor(virtualMilliseconds); }
  bool RunUntil(const std::function<bool()>& predicate, std::uint32_t maxVirtualMilliseconds) {
    return app.RunUntil(predicate, maxVirtualMilliseconds);
  }
  // RunUntil with the traffic spawner held off, for tests that need levels to run their
  // course without the car being worn out by traffic.
  bool RunUntilWithoutTraffic(const std::function<bool()>& predicate,
                              std::uint32_t maxVirtualMilliseconds);
  // From the title screen to the first playing frame of level 1.
  void StartLevel();

  bool Playing(const std::string& sound) const;

  VirtualClock clock;
  FakeApplication app{clock};
  FakeKeyboardDevice keyboard;
  SilentAudioLibrary audio;

 private:
  std::unique_ptr<TForm1> form_;
};

}  // namespace tvx::testing
