#include "harness/GameHarness.h"

#include "core/Random.h"
#include "sound/SoundSystem.h"

namespace tvx::testing {

GameHarness::GameHarness(gfx::IGraphicsApi& graphics, GameFiles files, int refreshRate,
                         const DisplayOptions& display) {
  SetRandSeed(0);  // each run replays the program's random sequence from its start
  app.SetRefreshRate(refreshRate);
  app.SetFullScreen(display.fullscreen);
  form_ = std::make_unique<TForm1>(PlatformParts{clock, app, graphics, keyboard, audio,
                                                 std::move(files.archivePath),
                                                 std::move(files.rankingPath), display});
}

GameHarness::~GameHarness() = default;

void GameHarness::Start() {
  app.ClickStart();
  app.RunUntil([this] { return State().DeviceReady || app.Terminated(); }, 1000);
}

void GameHarness::Press(std::uint16_t virtualKey) {
  app.QueueKey(virtualKey);
  app.RunPass();
}

bool GameHarness::RunUntilWithoutTraffic(const std::function<bool()>& predicate,
                                         std::uint32_t maxVirtualMilliseconds) {
  return app.RunUntil(
      [&] {
        form_->Timer1().SetEnabled(false);
        return predicate();
      },
      maxVirtualMilliseconds);
}

void GameHarness::StartLevel() {
  Press(vk::Return);
  app.RunUntil([this] { return State().LevelRunning; }, 5000);
}

bool GameHarness::Playing(const std::string& sound) const {
  return form_->SoundSystem1().IsPlaying(sound);
}

}  // namespace tvx::testing
